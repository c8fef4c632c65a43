// The UI Automation elements of the main window, as one small COM class whose part (the window's
// root, the board, a cell, a button, the clock) decides which patterns and properties it has.
// Elements are made on request and compared by runtime id, so they keep no state of their own:
// every answer is read from what the window's thread last published of the board.
#include "win/uia_provider.h"

#include "game/spoken_names.h"
#include "win/app_state.h"
#include "win/resources/resource.h"
#include "win/uia_interfaces.h"

#include <cstring>
#include <new>
#include <type_traits>

namespace korvani {

namespace uia {

const Functions& functions() {
    static const Functions loaded = [] {
        Functions f = {};
        const auto find = [](HMODULE module, auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
                reinterpret_cast<void*>(GetProcAddress(module, name)));
        };
        if (HMODULE com = LoadLibraryW(L"ole32.dll")) {
            find(com, f.incrementMtaUsage, "CoIncrementMTAUsage");
            find(com, f.decrementMtaUsage, "CoDecrementMTAUsage");
        }
        HMODULE library = LoadLibraryW(L"uiautomationcore.dll");
        if (library == nullptr) return f;
        find(library, f.returnRawElementProvider, "UiaReturnRawElementProvider");
        find(library, f.hostProviderFromHwnd, "UiaHostProviderFromHwnd");
        find(library, f.raiseAutomationEvent, "UiaRaiseAutomationEvent");
        find(library, f.raisePropertyChangedEvent, "UiaRaiseAutomationPropertyChangedEvent");
        find(library, f.raiseNotificationEvent, "UiaRaiseNotificationEvent");
        return f;
    }();
    return loaded;
}

} // namespace uia

namespace {

enum class Part : int { Root, Board, Cell, Button, Clock };

constexpr int buttonCount = 2;

// What the elements answer from. Windows calls a provider like this one on the window's thread,
// but Wine calls it on its RPC threads, so the elements never read the game or the window's
// state: the window's thread publishes what they need after each drawing, and every reading and
// writing of it holds the lock.
struct SpokenBoard {
    HWND window = nullptr; // null until a client asks, and again once the window is destroyed
    bool live = false;     // a puzzle is on the board
    char names[81][spokenNameCapacity] = {};
    int cursorCell = -1;
    int clockSeconds = 0;
    bool laidOut = false; // the rectangles below are known
    RECT board = {};
    RECT cells[81] = {};
    RECT buttons[buttonCount] = {};
    RECT clock = {};
};

SRWLOCK spokenLock = SRWLOCK_INIT;
SpokenBoard spoken;

// A copy of the published board, or of the part of it a reading needs, taken under the lock.
template <typename Read> auto readSpoken(Read read) {
    AcquireSRWLockShared(&spokenLock);
    auto result = read(static_cast<const SpokenBoard&>(spoken));
    ReleaseSRWLockShared(&spokenLock);
    return result;
}

// The control type a part reads as; the window's root has its host's.
long controlTypeOf(Part part) {
    switch (part) {
    case Part::Board:
        return uia::dataGridControlType;
    case Part::Cell:
        return uia::dataItemControlType;
    case Part::Button:
        return uia::buttonControlType;
    case Part::Clock:
        return uia::textControlType;
    case Part::Root:
        break;
    }
    return 0;
}

class Element;

bool clientsAsked = false;      // a client has asked for the root: worth publishing (window thread)
Element* rootElement = nullptr; // handed to UI Automation for the window; released on destroy
void* heldApartment = nullptr;  // the multithreaded apartment kept open, see holdApartment

BSTR bstrFromUtf8(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 0) return nullptr;
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (out != nullptr) MultiByteToWideChar(CP_UTF8, 0, text, -1, out, length);
    return out;
}

// The parts' rectangles in client pixels, from the renderer's last layout.
void publishLayout(const BoardRenderer& r) {
    spoken.laidOut = r.cellSize > 0;
    if (!spoken.laidOut) return;
    const LayoutMetrics& m = r.metrics;
    const int rim = m.outline + m.edgeGap;
    spoken.board = {r.colX[0] - rim, r.rowY[0] - rim, r.colX[9], r.rowY[9]};
    for (int cell = 0; cell < 81; ++cell)
        spoken.cells[cell] = {r.colX[cell % 9], r.rowY[cell / 9], r.colX[cell % 9] + r.cellSize,
                              r.rowY[cell / 9] + r.cellSize};
    for (int button = 0; button < buttonCount; ++button) {
        const int left = r.buttonBarX + button * m.buttonWidth;
        spoken.buttons[button] = {left, m.buttonY, left + m.buttonWidth,
                                  m.buttonY + m.buttonHeight};
    }
    spoken.clock = {r.clockX, m.clockGlyphY, r.clockX + m.clockWidth,
                    m.clockGlyphY + m.clockGlyphHeight};
}

// A part's rectangle in client pixels; false before a layout, and for the window's root, whose
// host gives it.
bool partRect(const SpokenBoard& board, Part part, int index, RECT& rect) {
    if (!board.laidOut) return false;
    switch (part) {
    case Part::Board:
        rect = board.board;
        return true;
    case Part::Cell:
        rect = board.cells[index];
        return true;
    case Part::Button:
        rect = board.buttons[index];
        return true;
    case Part::Clock:
        rect = board.clock;
        return true;
    case Part::Root:
        break;
    }
    return false;
}

// Wine's UI Automation marshals the provider from a thread of its own in the multithreaded
// apartment, and that thread leaves the apartment when the last client lets go. A client that
// asks again at that moment is marshalled while the apartment is being torn down, and the
// window's thread waits for it for ever. Holding the apartment open keeps it from being torn
// down; on Windows the hold costs nothing.
void holdApartment() {
    const auto& f = uia::functions();
    if (heldApartment != nullptr || f.incrementMtaUsage == nullptr) return;
    if (FAILED(f.incrementMtaUsage(&heldApartment))) heldApartment = nullptr;
}

void releaseApartment() {
    const auto& f = uia::functions();
    if (heldApartment != nullptr && f.decrementMtaUsage != nullptr)
        f.decrementMtaUsage(heldApartment);
    heldApartment = nullptr;
}

class Element final : public IRawElementProviderSimple,
                      public IRawElementProviderFragment,
                      public IRawElementProviderFragmentRoot,
                      public uia::IGridProvider,
                      public uia::IGridItemProvider,
                      public uia::IInvokeProvider {
  public:
    Element(Part part, int index) : part_(part), index_(index) {}

    static Element* make(Part part, int index = 0) {
        return new (std::nothrow) Element(part, index);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IRawElementProviderSimple)
            *out = static_cast<IRawElementProviderSimple*>(this);
        else if (iid == IID_IRawElementProviderFragment)
            *out = static_cast<IRawElementProviderFragment*>(this);
        else if (iid == IID_IRawElementProviderFragmentRoot && part_ == Part::Root)
            *out = static_cast<IRawElementProviderFragmentRoot*>(this);
        else if (iid == uia::iidGridProvider && part_ == Part::Board)
            *out = static_cast<uia::IGridProvider*>(this);
        else if (iid == uia::iidGridItemProvider && part_ == Part::Cell)
            *out = static_cast<uia::IGridItemProvider*>(this);
        else if (iid == uia::iidInvokeProvider && part_ == Part::Button)
            *out = static_cast<uia::IInvokeProvider*>(this);
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IRawElementProviderSimple
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
        if (options == nullptr) return E_POINTER;
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if ((pattern == UIA_GridPatternId && part_ == Part::Board) ||
            (pattern == UIA_GridItemPatternId && part_ == Part::Cell) ||
            (pattern == UIA_InvokePatternId && part_ == Part::Button)) {
            *out = static_cast<IRawElementProviderSimple*>(this);
            AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE
    get_HostRawElementProvider(IRawElementProviderSimple** host) override {
        if (host == nullptr) return E_POINTER;
        *host = nullptr;
        if (part_ != Part::Root || uia::functions().hostProviderFromHwnd == nullptr) return S_OK;
        const HWND window = readSpoken([](const SpokenBoard& board) { return board.window; });
        return window != nullptr ? uia::functions().hostProviderFromHwnd(window, host) : S_OK;
    }

    // IRawElementProviderFragment
    HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction,
                                       IRawElementProviderFragment** out) override;
    HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) override {
        if (id == nullptr) return E_POINTER;
        *id = nullptr;
        if (part_ == Part::Root) return S_OK; // the window's own provider gives it
        const int parts[3] = {uia::appendRuntimeId, static_cast<int>(part_), index_};
        *id = SafeArrayCreateVector(VT_I4, 0, 3);
        if (*id == nullptr) return E_OUTOFMEMORY;
        for (LONG i = 0; i < 3; ++i) SafeArrayPutElement(*id, &i, const_cast<int*>(&parts[i]));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* rect) override;
    HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** roots) override {
        if (roots == nullptr) return E_POINTER;
        *roots = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetFocus() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** root) override {
        if (root == nullptr) return E_POINTER;
        *root = make(Part::Root);
        return *root != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // IRawElementProviderFragmentRoot
    HRESULT STDMETHODCALLTYPE ElementProviderFromPoint(double x, double y,
                                                       IRawElementProviderFragment** out) override;
    HRESULT STDMETHODCALLTYPE GetFocus(IRawElementProviderFragment** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        const int cursor =
            readSpoken([](const SpokenBoard& board) { return board.live ? board.cursorCell : -1; });
        if (cursor >= 0) *out = make(Part::Cell, cursor);
        return S_OK;
    }

    // IGridProvider
    HRESULT STDMETHODCALLTYPE GetItem(int row, int column,
                                      IRawElementProviderSimple** item) override {
        if (item == nullptr) return E_POINTER;
        *item = nullptr;
        if (row < 0 || row > 8 || column < 0 || column > 8) return E_INVALIDARG;
        *item = make(Part::Cell, 9 * row + column);
        return *item != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_RowCount(int* count) override { return nine(count); }
    HRESULT STDMETHODCALLTYPE get_ColumnCount(int* count) override { return nine(count); }

    // IGridItemProvider
    HRESULT STDMETHODCALLTYPE get_Row(int* row) override { return number(row, index_ / 9); }
    HRESULT STDMETHODCALLTYPE get_Column(int* column) override {
        return number(column, index_ % 9);
    }
    HRESULT STDMETHODCALLTYPE get_RowSpan(int* span) override { return number(span, 1); }
    HRESULT STDMETHODCALLTYPE get_ColumnSpan(int* span) override { return number(span, 1); }
    HRESULT STDMETHODCALLTYPE get_ContainingGrid(IRawElementProviderSimple** grid) override {
        if (grid == nullptr) return E_POINTER;
        *grid = make(Part::Board);
        return *grid != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // IInvokeProvider: posted, so that a question the button asks runs after the call returns.
    HRESULT STDMETHODCALLTYPE Invoke() override {
        const HWND window = readSpoken(
            [](const SpokenBoard& board) { return board.live ? board.window : nullptr; });
        if (window == nullptr) return uia::elementNotAvailable;
        const WORD command = index_ == 0 ? IDM_SELECT_PROBLEM : IDM_RESTART;
        PostMessageW(window, WM_COMMAND, command, 0);
        return S_OK;
    }

  private:
    ~Element() = default;

    static HRESULT number(int* out, int value) {
        if (out == nullptr) return E_POINTER;
        *out = value;
        return S_OK;
    }
    static HRESULT nine(int* out) { return number(out, 9); }

    // The name said for the element (UTF-8); false for the window's root, whose host names it.
    bool spokenName(const SpokenBoard& board, char* out) const;

    LONG references_ = 1;
    Part part_;
    int index_;
};

bool Element::spokenName(const SpokenBoard& board, char* out) const {
    switch (part_) {
    case Part::Board:
        std::strcpy(out, "盤面");
        return true;
    case Part::Cell:
        std::strcpy(out, board.names[index_]);
        return true;
    case Part::Button:
        std::strcpy(out, index_ == 0 ? "問題の選択" : "最初から");
        return true;
    case Part::Clock:
        spokenClock(board.clockSeconds, out);
        return true;
    case Part::Root:
        break;
    }
    return false;
}

HRESULT Element::GetPropertyValue(PROPERTYID property, VARIANT* value) {
    if (value == nullptr) return E_POINTER;
    VariantInit(value);
    struct Reading {
        bool live;
        int cursorCell;
        bool named;
        char name[spokenNameCapacity];
    };
    const Reading now = readSpoken([this](const SpokenBoard& board) {
        Reading reading = {board.live, board.cursorCell, false, {}};
        if (reading.live) reading.named = spokenName(board, reading.name);
        return reading;
    });
    if (!now.live) return uia::elementNotAvailable;
    const auto setLong = [value](long number) {
        value->vt = VT_I4;
        value->lVal = number;
    };
    const auto setBool = [value](bool flag) {
        value->vt = VT_BOOL;
        value->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    };
    switch (property) {
    case UIA_NamePropertyId:
        if (!now.named) return S_OK;
        value->bstrVal = bstrFromUtf8(now.name);
        if (value->bstrVal != nullptr) value->vt = VT_BSTR;
        return S_OK;
    case UIA_ControlTypePropertyId:
        if (part_ != Part::Root) setLong(controlTypeOf(part_));
        return S_OK;
    case UIA_IsKeyboardFocusablePropertyId:
        if (part_ == Part::Cell) setBool(true);
        return S_OK;
    case UIA_HasKeyboardFocusPropertyId:
        if (part_ == Part::Cell) setBool(now.cursorCell == index_);
        return S_OK;
    // The patterns' own properties as well, for clients that ask for them directly.
    case UIA_GridRowCountPropertyId:
    case UIA_GridColumnCountPropertyId:
        if (part_ == Part::Board) setLong(9);
        return S_OK;
    case UIA_GridItemRowPropertyId:
        if (part_ == Part::Cell) setLong(index_ / 9);
        return S_OK;
    case UIA_GridItemColumnPropertyId:
        if (part_ == Part::Cell) setLong(index_ % 9);
        return S_OK;
    case UIA_IsEnabledPropertyId:
        if (part_ != Part::Root) setBool(true);
        return S_OK;
    default:
        return S_OK;
    }
}

HRESULT Element::Navigate(NavigateDirection direction, IRawElementProviderFragment** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!readSpoken([](const SpokenBoard& board) { return board.live; }))
        return uia::elementNotAvailable;
    // The root's children in order: the board, button 0, button 1, the clock.
    const auto rootChild = [](int k) -> Element* {
        if (k == 0) return make(Part::Board);
        if (k <= buttonCount) return make(Part::Button, k - 1);
        if (k == buttonCount + 1) return make(Part::Clock);
        return nullptr;
    };
    int position = -1; // among the root's children
    if (part_ == Part::Board) position = 0;
    if (part_ == Part::Button) position = 1 + index_;
    if (part_ == Part::Clock) position = buttonCount + 1;
    Element* next = nullptr;
    switch (direction) {
    case NavigateDirection_Parent:
        if (part_ == Part::Cell)
            next = make(Part::Board);
        else if (part_ != Part::Root)
            next = make(Part::Root);
        break;
    case NavigateDirection_NextSibling:
        if (part_ == Part::Cell && index_ < 80)
            next = make(Part::Cell, index_ + 1);
        else if (position >= 0)
            next = rootChild(position + 1);
        break;
    case NavigateDirection_PreviousSibling:
        if (part_ == Part::Cell && index_ > 0)
            next = make(Part::Cell, index_ - 1);
        else if (position > 0)
            next = rootChild(position - 1);
        break;
    case NavigateDirection_FirstChild:
        if (part_ == Part::Root)
            next = rootChild(0);
        else if (part_ == Part::Board)
            next = make(Part::Cell, 0);
        break;
    case NavigateDirection_LastChild:
        if (part_ == Part::Root)
            next = rootChild(buttonCount + 1);
        else if (part_ == Part::Board)
            next = make(Part::Cell, 80);
        break;
    }
    *out = next;
    return S_OK;
}

HRESULT Element::get_BoundingRectangle(UiaRect* rect) {
    if (rect == nullptr) return E_POINTER;
    *rect = {};
    RECT client = {};
    const HWND window = readSpoken([this, &client](const SpokenBoard& board) {
        return partRect(board, part_, index_, client) ? board.window : nullptr;
    });
    if (window == nullptr) return S_OK;
    POINT topLeft = {client.left, client.top};
    ClientToScreen(window, &topLeft);
    *rect = {static_cast<double>(topLeft.x), static_cast<double>(topLeft.y),
             static_cast<double>(client.right - client.left),
             static_cast<double>(client.bottom - client.top)};
    return S_OK;
}

HRESULT Element::ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    const SpokenBoard board = readSpoken([](const SpokenBoard& now) { return now; });
    if (!board.live || board.window == nullptr) return uia::elementNotAvailable;
    POINT point = {static_cast<LONG>(x), static_cast<LONG>(y)};
    ScreenToClient(board.window, &point);
    const auto inside = [&board, &point](Part part, int index) {
        RECT rect;
        return partRect(board, part, index, rect) && PtInRect(&rect, point);
    };
    for (int cell = 0; cell < 81 && *out == nullptr; ++cell)
        if (inside(Part::Cell, cell)) *out = make(Part::Cell, cell);
    for (int button = 0; button < buttonCount && *out == nullptr; ++button)
        if (inside(Part::Button, button)) *out = make(Part::Button, button);
    if (*out == nullptr && inside(Part::Clock, 0)) *out = make(Part::Clock);
    if (*out == nullptr && inside(Part::Board, 0)) *out = make(Part::Board);
    return S_OK;
}

void raiseNameChange(int cell, const char* before, const char* after) {
    const auto& f = uia::functions();
    Element* element = Element::make(Part::Cell, cell);
    if (element == nullptr || f.raisePropertyChangedEvent == nullptr) {
        if (element != nullptr) element->Release();
        return;
    }
    VARIANT oldName;
    VARIANT newName;
    VariantInit(&oldName);
    VariantInit(&newName);
    oldName.vt = newName.vt = VT_BSTR;
    oldName.bstrVal = bstrFromUtf8(before);
    newName.bstrVal = bstrFromUtf8(after);
    f.raisePropertyChangedEvent(element, UIA_NamePropertyId, oldName, newName);
    VariantClear(&oldName);
    VariantClear(&newName);
    element->Release();
}

} // namespace

bool answerGetObject(HWND window, AppState& app, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const auto& f = uia::functions();
    if (static_cast<long>(lParam) != uia::rootObjectId || f.returnRawElementProvider == nullptr)
        return false;
    if (rootElement == nullptr) {
        rootElement = Element::make(Part::Root);
        if (rootElement == nullptr) return false;
        holdApartment();
    }
    if (!clientsAsked) {
        const GameState& game = app.game;
        AcquireSRWLockExclusive(&spokenLock);
        spoken.window = window;
        spoken.live = game.currentProblem != nullptr;
        if (spoken.live)
            for (int cell = 0; cell < 81; ++cell)
                spokenCellName(game.currentProblem->givens, game.userGrid, game.notes, cell,
                               spoken.names[cell]);
        spoken.cursorCell = game.cursorCell;
        spoken.clockSeconds = game.elapsedSeconds;
        publishLayout(app.view.renderer);
        ReleaseSRWLockExclusive(&spokenLock);
        clientsAsked = true;
    }
    result = f.returnRawElementProvider(window, wParam, lParam, rootElement);
    return true;
}

void reportBoard(const BoardPicture& picture, const BoardRenderer& renderer) {
    if (!clientsAsked) return;
    // The events go out once the lock is let go: UI Automation may read the element back.
    struct NameChange {
        int cell;
        char before[spokenNameCapacity];
        char after[spokenNameCapacity];
    };
    NameChange changes[81];
    int changeCount = 0;
    AcquireSRWLockExclusive(&spokenLock);
    spoken.live = true;
    for (int cell = 0; cell < 81; ++cell) {
        NameChange& change = changes[changeCount];
        spokenCellName(picture.givens, picture.userGrid, picture.notes, cell, change.after);
        if (std::strcmp(change.after, spoken.names[cell]) == 0) continue;
        change.cell = cell;
        std::strcpy(change.before, spoken.names[cell]);
        std::strcpy(spoken.names[cell], change.after);
        ++changeCount;
    }
    const bool cursorMoved = picture.cursorCell != spoken.cursorCell;
    spoken.cursorCell = picture.cursorCell;
    publishLayout(renderer);
    ReleaseSRWLockExclusive(&spokenLock);

    for (int k = 0; k < changeCount; ++k)
        raiseNameChange(changes[k].cell, changes[k].before, changes[k].after);
    const auto& f = uia::functions();
    if (!cursorMoved || picture.cursorCell < 0 || f.raiseAutomationEvent == nullptr) return;
    if (Element* element = Element::make(Part::Cell, picture.cursorCell)) {
        f.raiseAutomationEvent(element, uia::focusChangedEvent);
        element->Release();
    }
}

void reportClock(int seconds) {
    if (!clientsAsked) return;
    AcquireSRWLockExclusive(&spokenLock);
    spoken.clockSeconds = seconds;
    ReleaseSRWLockExclusive(&spokenLock);
}

void announce(const char* utf8Text) {
    const auto& f = uia::functions();
    if (!clientsAsked || rootElement == nullptr || f.raiseNotificationEvent == nullptr) return;
    BSTR text = bstrFromUtf8(utf8Text);
    BSTR activity = SysAllocString(L"korvani");
    if (text != nullptr && activity != nullptr)
        f.raiseNotificationEvent(rootElement, uia::notificationActionCompleted,
                                 uia::notificationImportantAll, text, activity);
    SysFreeString(text);
    SysFreeString(activity);
}

void disconnectProviders(HWND window) {
    if (rootElement == nullptr) return;
    AcquireSRWLockExclusive(&spokenLock);
    spoken.window = nullptr;
    spoken.live = false;
    ReleaseSRWLockExclusive(&spokenLock);
    clientsAsked = false;
    const auto& f = uia::functions();
    // A null provider tells UI Automation that the window's elements are gone.
    if (f.returnRawElementProvider != nullptr) f.returnRawElementProvider(window, 0, 0, nullptr);
    rootElement->Release();
    rootElement = nullptr;
    releaseApartment();
}

} // namespace korvani
