// Test helper for the end-to-end tests: a UI Automation client that reads korvani's main window
// the way a screen reader does, through uiautomationcore's client functions (looked up at run
// time, as MinGW-w64 declares none of them). Prints UTF-8, one item a line:
//   uia_client grid    "rows columns" of the board's grid, then the names of its cells in order
//   uia_client focus   the name of the cell that has the keyboard focus, or "none"
//   (after the size, a line "BOARDTYPE CELLS DATAITEMS": the board's control type, how many
//   children it has and how many of them are data items)
// Wine 8 implements neither UiaGetPatternProvider nor UiaNodeFromFocus and reads no pattern
// property (nor the bounding rectangle): there the size prints as "- -", and the focus is found
// from each cell's HasKeyboardFocus property, which is also what a client on Windows may read.
#include <windows.h>

#include <ole2.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>

#include <cstdio>
#include <cstring>

namespace {

DECLARE_HANDLE(Node);

// The client side's structures, as UI Automation lays them out.
struct Condition {
    int type; // 0: true
};
struct CacheRequest {
    Condition* viewCondition;
    int scope; // 1: the element itself
    PROPERTYID* properties;
    int propertyCount;
    PATTERNID* patterns;
    int patternCount;
    int elementMode; // 1: full
};

struct Client {
    HRESULT(WINAPI* nodeFromHandle)(HWND, Node*);
    HRESULT(WINAPI* getPropertyValue)(Node, PROPERTYID, VARIANT*);
    HRESULT(WINAPI* navigate)(Node, int, Condition*, CacheRequest*, SAFEARRAY**, BSTR*);
    HRESULT(WINAPI* nodeFromVariant)(VARIANT*, Node*);
    BOOL(WINAPI* nodeRelease)(Node);
};

template <typename F> void find(HMODULE library, F& slot, const char* name) {
    slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

Client load() {
    Client c = {};
    HMODULE library = LoadLibraryW(L"uiautomationcore.dll");
    if (library == nullptr) return c;
    find(library, c.nodeFromHandle, "UiaNodeFromHandle");
    find(library, c.getPropertyValue, "UiaGetPropertyValue");
    find(library, c.navigate, "UiaNavigate");
    find(library, c.nodeFromVariant, "UiaHUiaNodeFromVariant");
    find(library, c.nodeRelease, "UiaNodeRelease");
    return c;
}

constexpr long dataItemControlType = 50029;

Client client;
Condition trueCondition = {0};
CacheRequest nodeOnly = {&trueCondition, 1, nullptr, 0, nullptr, 0, 1};

// The node in the first row of a cache-request result, or null.
Node firstNode(SAFEARRAY* data) {
    if (data == nullptr) return nullptr;
    LONG index[2] = {0, 0};
    VARIANT value;
    VariantInit(&value);
    Node node = nullptr;
    if (SUCCEEDED(SafeArrayGetElement(data, index, &value))) client.nodeFromVariant(&value, &node);
    VariantClear(&value);
    SafeArrayDestroy(data);
    return node;
}

Node step(Node from, int direction) {
    SAFEARRAY* data = nullptr;
    BSTR tree = nullptr;
    if (FAILED(client.navigate(from, direction, &trueCondition, &nodeOnly, &data, &tree)))
        return nullptr;
    SysFreeString(tree);
    return firstNode(data);
}

void printUtf8(const wchar_t* text) {
    char bytes[1024];
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (length > 1) std::fwrite(bytes, 1, static_cast<size_t>(length - 1), stdout);
}

void printName(Node node) {
    VARIANT value;
    VariantInit(&value);
    client.getPropertyValue(node, UIA_NamePropertyId, &value);
    if (value.vt == VT_BSTR)
        printUtf8(value.bstrVal);
    else
        std::fputs("?", stdout);
    std::fputc('\n', stdout);
    VariantClear(&value);
}

long longProperty(Node node, PROPERTYID property) {
    VARIANT value;
    VariantInit(&value);
    client.getPropertyValue(node, property, &value);
    client.getPropertyValue(node, property, &value);
    const long result = value.vt == VT_I4 ? value.lVal : -1;
    VariantClear(&value);
    return result;
}

Node boardNode(HWND window) {
    Node root = nullptr;
    if (FAILED(client.nodeFromHandle(window, &root)) || root == nullptr) return nullptr;
    Node board = step(root, NavigateDirection_FirstChild);
    client.nodeRelease(root);
    return board;
}

bool hasFocus(Node node) {
    VARIANT value;
    VariantInit(&value);
    client.getPropertyValue(node, UIA_HasKeyboardFocusPropertyId, &value);
    const bool focused = value.vt == VT_BOOL && value.boolVal == VARIANT_TRUE;
    VariantClear(&value);
    return focused;
}

// Walks the board's cells in order, printing their names when `print` is set; counts them and
// those that are data items, and finds the focused one.
struct Walk {
    int cells = 0;
    int dataItems = 0;
    int focused = -1;
};

Walk walkCells(Node board, bool print) {
    Walk walk;
    Node cell = step(board, NavigateDirection_FirstChild);
    while (cell != nullptr) {
        if (print) printName(cell);
        if (longProperty(cell, UIA_ControlTypePropertyId) == dataItemControlType) ++walk.dataItems;
        if (walk.focused < 0 && hasFocus(cell)) walk.focused = walk.cells;
        ++walk.cells;
        Node next = step(cell, NavigateDirection_NextSibling);
        client.nodeRelease(cell);
        cell = next;
    }
    return walk;
}

int printGrid(HWND window) {
    Node board = boardNode(window);
    if (board == nullptr) return 2;
    const long rows = longProperty(board, UIA_GridRowCountPropertyId);
    const long columns = longProperty(board, UIA_GridColumnCountPropertyId);
    if (rows < 0 || columns < 0)
        std::puts("- -");
    else
        std::printf("%ld %ld\n", rows, columns);
    const Walk walk = walkCells(board, false);
    std::printf("%ld %d %d\n", longProperty(board, UIA_ControlTypePropertyId), walk.cells,
                walk.dataItems);
    walkCells(board, true);
    client.nodeRelease(board);
    return 0;
}

int printFocus(HWND window) {
    Node board = boardNode(window);
    if (board == nullptr) return 2;
    const Walk walk = walkCells(board, false);
    Node cell = walk.focused < 0 ? nullptr : step(board, NavigateDirection_FirstChild);
    for (int k = 0; k < walk.focused && cell != nullptr; ++k) {
        Node next = step(cell, NavigateDirection_NextSibling);
        client.nodeRelease(cell);
        cell = next;
    }
    if (cell != nullptr) {
        printName(cell);
        client.nodeRelease(cell);
    } else {
        std::puts("none");
    }
    client.nodeRelease(board);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    client = load();
    if (client.nodeFromHandle == nullptr || client.navigate == nullptr) return 2;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    HWND window = FindWindowW(L"KORVANI", nullptr);
    int status = 1;
    if (window == nullptr) {
        status = 2;
    } else if (argc >= 2 && std::strcmp(argv[1], "grid") == 0) {
        status = printGrid(window);
    } else if (argc >= 2 && std::strcmp(argv[1], "focus") == 0) {
        status = printFocus(window);
    }
    std::fflush(stdout);
    CoUninitialize();
    return status;
}
