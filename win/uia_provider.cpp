// The UI Automation elements of the main window, as one small COM class whose part (the window's
// root, the board, a cell, a button, the clock) decides which patterns and properties it has.
// Elements are made on request and compared by runtime id, so they keep no state of their own:
// every answer is read from the one GameState and the renderer's last layout at the time of
// the call. UI Automation calls a server-side provider on the window's own thread.
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
        HMODULE library = LoadLibraryW(L"uiautomationcore.dll");
        if (library == nullptr) return f;
        const auto find = [library](auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
                reinterpret_cast<void*>(GetProcAddress(library, name)));
        };
        find(f.returnRawElementProvider, "UiaReturnRawElementProvider");
        find(f.hostProviderFromHwnd, "UiaHostProviderFromHwnd");
        find(f.raiseAutomationEvent, "UiaRaiseAutomationEvent");
        find(f.raisePropertyChangedEvent, "UiaRaiseAutomationPropertyChangedEvent");
        find(f.raiseNotificationEvent, "UiaRaiseNotificationEvent");
        return f;
    }();
    return loaded;
}

} // namespace uia

namespace {

enum class Part : int { Root, Board, Cell, Button, Clock };

constexpr int buttonCount = 2;

HWND providerWindow = nullptr; // the window the elements belong to; null once it is destroyed
AppState* providerApp = nullptr; // its state, read at every call; null with the window
bool clientsAsked = false;     // a client has asked for the root: events are worth raising
char reportedNames[81][spokenNameCapacity] = {};
int reportedCursor = -1;

BSTR bstrFromUtf8(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 0) return nullptr;
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (out != nullptr) MultiByteToWideChar(CP_UTF8, 0, text, -1, out, length);
    return out;
}

// A part's rectangle in client pixels, from the renderer's last layout; false when there is no
// layout yet, and for the window's root.
bool partRect(Part part, int index, RECT& rect) {
    if (providerApp == nullptr) return false;
    const BoardRenderer& r = providerApp->view.renderer;
    if (r.cellSize <= 0) return false;
    const LayoutMetrics& m = r.metrics;
    switch (part) {
    case Part::Board: {
        const int rim = m.outline + m.edgeGap;
        rect = {r.colX[0] - rim, r.rowY[0] - rim, r.colX[9], r.rowY[9]};
        return true;
    }
    case Part::Cell:
        rect = {r.colX[index % 9], r.rowY[index / 9], r.colX[index % 9] + r.cellSize,
                r.rowY[index / 9] + r.cellSize};
        return true;
    case Part::Button: {
        const int left = r.buttonBarX + index * m.buttonWidth;
        rect = {left, m.buttonY, left + m.buttonWidth, m.buttonY + m.buttonHeight};
        return true;
    }
    case Part::Clock:
        rect = {r.clockX, m.clockGlyphY, r.clockX + m.clockWidth, m.clockGlyphY + m.clockGlyphHeight};
        return true;
    case Part::Root:
        break;
    }
    return false;
}

const GameState* liveGame() {
    if (providerApp == nullptr || providerWindow == nullptr || providerApp->game.currentProblem == nullptr)
        return nullptr;
    return &providerApp->game;
}

class Element final : public IRawElementProviderSimple,
                      public IRawElementProviderFragment,
                      public IRawElementProviderFragmentRoot,
                      public uia::IGridProvider,
                      public uia::IGridItemProvider,
                      public uia::IInvokeProvider {
  public:
    Element(Part part, int index) : part_(part), index_(index) {}

    static Element* make(Part part, int index = 0) { return new (std::nothrow) Element(part, index); }

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
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
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
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
        if (host == nullptr) return E_POINTER;
        *host = nullptr;
        if (part_ == Part::Root && providerWindow != nullptr && uia::functions().hostProviderFromHwnd)
            return uia::functions().hostProviderFromHwnd(providerWindow, host);
        return S_OK;
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
        const GameState* game = liveGame();
        if (game != nullptr && game->cursorCell >= 0) *out = make(Part::Cell, game->cursorCell);
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
        if (liveGame() == nullptr) return uia::elementNotAvailable;
        const WORD command = index_ == 0 ? IDM_SELECT_PROBLEM : IDM_RESTART;
        PostMessageW(providerWindow, WM_COMMAND, command, 0);
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
    bool spokenName(const GameState& game, char* out) const;

    long references_ = 1;
    Part part_;
    int index_;
};

bool Element::spokenName(const GameState& game, char* out) const {
    switch (part_) {
    case Part::Board:
        std::strcpy(out, "盤面");
        return true;
    case Part::Cell:
        spokenCellName(game.currentProblem->givens, game.userGrid, game.notes, index_, out);
        return true;
    case Part::Button:
        std::strcpy(out, index_ == 0 ? "問題の選択" : "最初から");
        return true;
    case Part::Clock:
        spokenClock(game.elapsedSeconds, out);
        return true;
    case Part::Root:
        break;
    }
    return false;
}

HRESULT Element::GetPropertyValue(PROPERTYID property, VARIANT* value) {
    if (value == nullptr) return E_POINTER;
    VariantInit(value);
    const GameState* game = liveGame();
    if (game == nullptr) return uia::elementNotAvailable;
    const auto setLong = [value](long number) {
        value->vt = VT_I4;
        value->lVal = number;
    };
    const auto setBool = [value](bool flag) {
        value->vt = VT_BOOL;
        value->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    };
    char name[spokenNameCapacity];
    switch (property) {
    case UIA_NamePropertyId:
        if (!spokenName(*game, name)) return S_OK;
        value->bstrVal = bstrFromUtf8(name);
        if (value->bstrVal != nullptr) value->vt = VT_BSTR;
        return S_OK;
    case UIA_ControlTypePropertyId:
        switch (part_) {
        case Part::Board:
            setLong(uia::dataGridControlType);
            break;
        case Part::Cell:
            setLong(uia::dataItemControlType);
            break;
        case Part::Button:
            setLong(uia::buttonControlType);
            break;
        case Part::Clock:
            setLong(uia::textControlType);
            break;
        case Part::Root:
            break;
        }
        return S_OK;
    case UIA_IsKeyboardFocusablePropertyId:
        if (part_ == Part::Cell) setBool(true);
        return S_OK;
    case UIA_HasKeyboardFocusPropertyId:
        if (part_ == Part::Cell) setBool(game->cursorCell == index_);
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
    if (liveGame() == nullptr) return uia::elementNotAvailable;
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
        if (part_ == Part::Cell) next = make(Part::Board);
        else if (part_ != Part::Root) next = make(Part::Root);
        break;
    case NavigateDirection_NextSibling:
        if (part_ == Part::Cell && index_ < 80) next = make(Part::Cell, index_ + 1);
        else if (position >= 0) next = rootChild(position + 1);
        break;
    case NavigateDirection_PreviousSibling:
        if (part_ == Part::Cell && index_ > 0) next = make(Part::Cell, index_ - 1);
        else if (position > 0) next = rootChild(position - 1);
        break;
    case NavigateDirection_FirstChild:
        if (part_ == Part::Root) next = rootChild(0);
        else if (part_ == Part::Board) next = make(Part::Cell, 0);
        break;
    case NavigateDirection_LastChild:
        if (part_ == Part::Root) next = rootChild(buttonCount + 1);
        else if (part_ == Part::Board) next = make(Part::Cell, 80);
        break;
    }
    *out = next;
    return S_OK;
}

HRESULT Element::get_BoundingRectangle(UiaRect* rect) {
    if (rect == nullptr) return E_POINTER;
    *rect = {};
    RECT client;
    if (part_ == Part::Root || providerWindow == nullptr || !partRect(part_, index_, client)) return S_OK;
    POINT topLeft = {client.left, client.top};
    ClientToScreen(providerWindow, &topLeft);
    *rect = {static_cast<double>(topLeft.x), static_cast<double>(topLeft.y),
             static_cast<double>(client.right - client.left),
             static_cast<double>(client.bottom - client.top)};
    return S_OK;
}

HRESULT Element::ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (liveGame() == nullptr) return uia::elementNotAvailable;
    POINT point = {static_cast<LONG>(x), static_cast<LONG>(y)};
    ScreenToClient(providerWindow, &point);
    const auto inside = [&point](Part part, int index) {
        RECT rect;
        return partRect(part, index, rect) && PtInRect(&rect, point);
    };
    for (int cell = 0; cell < 81 && *out == nullptr; ++cell)
        if (inside(Part::Cell, cell)) *out = make(Part::Cell, cell);
    for (int button = 0; button < buttonCount && *out == nullptr; ++button)
        if (inside(Part::Button, button)) *out = make(Part::Button, button);
    if (*out == nullptr && inside(Part::Clock, 0)) *out = make(Part::Clock);
    if (*out == nullptr && inside(Part::Board, 0)) *out = make(Part::Board);
    return S_OK;
}

Element* rootElement = nullptr; // handed to UI Automation for the window; released on destroy

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
        providerWindow = window;
        providerApp = &app;
        rootElement = Element::make(Part::Root);
        if (rootElement == nullptr) return false;
    }
    if (!clientsAsked && providerApp != nullptr && providerApp->game.currentProblem != nullptr) {
        const GameState& game = providerApp->game;
        for (int cell = 0; cell < 81; ++cell)
            spokenCellName(game.currentProblem->givens, game.userGrid, game.notes, cell,
                           reportedNames[cell]);
        reportedCursor = game.cursorCell;
    }
    clientsAsked = true;
    result = f.returnRawElementProvider(window, wParam, lParam, rootElement);
    return true;
}

void reportBoard(const BoardPicture& picture) {
    if (!clientsAsked || providerWindow == nullptr) return;
    char name[spokenNameCapacity];
    for (int cell = 0; cell < 81; ++cell) {
        spokenCellName(picture.givens, picture.userGrid, picture.notes, cell, name);
        if (std::strcmp(name, reportedNames[cell]) == 0) continue;
        raiseNameChange(cell, reportedNames[cell], name);
        std::strcpy(reportedNames[cell], name);
    }
    if (picture.cursorCell == reportedCursor) return;
    reportedCursor = picture.cursorCell;
    const auto& f = uia::functions();
    if (picture.cursorCell < 0 || f.raiseAutomationEvent == nullptr) return;
    if (Element* element = Element::make(Part::Cell, picture.cursorCell)) {
        f.raiseAutomationEvent(element, uia::focusChangedEvent);
        element->Release();
    }
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
    providerWindow = nullptr;
    providerApp = nullptr;
    clientsAsked = false;
    const auto& f = uia::functions();
    // A null provider tells UI Automation that the window's elements are gone.
    if (f.returnRawElementProvider != nullptr) f.returnRawElementProvider(window, 0, 0, nullptr);
    rootElement->Release();
    rootElement = nullptr;
}

} // namespace korvani
