// The parts of UI Automation that MinGW-w64's headers leave out: the Grid, GridItem and Invoke
// pattern interfaces with their identifiers, a few control type and event ids, and the
// uiautomationcore functions, which are looked up at run time so that the program starts where
// the library or one of its newer functions is missing.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>

namespace korvani::uia {

// From uiautomationcoreapi.h, which a C++ compiler cannot read (a parameter is named "new").
inline constexpr long rootObjectId = -25;
inline constexpr int appendRuntimeId = 3;
inline constexpr HRESULT elementNotAvailable = static_cast<HRESULT>(0x80040201);

inline constexpr IID iidGridProvider = {
    0xB17D6187, 0x0907, 0x464B, {0xA1, 0x68, 0x0E, 0xF1, 0x7A, 0x15, 0x72, 0xB1}};
inline constexpr IID iidGridItemProvider = {
    0xD02541F1, 0xFB81, 0x4D64, {0xAE, 0x32, 0xF5, 0x20, 0xF8, 0xA6, 0xDB, 0xD1}};
inline constexpr IID iidInvokeProvider = {
    0x54FCB24B, 0xE18E, 0x47A2, {0xB4, 0xD3, 0xEC, 0xCB, 0xE7, 0x75, 0x99, 0xA2}};

class IGridProvider : public IUnknown {
  public:
    virtual HRESULT STDMETHODCALLTYPE GetItem(int row, int column,
                                              IRawElementProviderSimple** item) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RowCount(int* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ColumnCount(int* count) = 0;
};

class IGridItemProvider : public IUnknown {
  public:
    virtual HRESULT STDMETHODCALLTYPE get_Row(int* row) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Column(int* column) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RowSpan(int* span) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ColumnSpan(int* span) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContainingGrid(IRawElementProviderSimple** grid) = 0;
};

class IInvokeProvider : public IUnknown {
  public:
    virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};

inline constexpr long buttonControlType = 50000;
inline constexpr long textControlType = 50020;
inline constexpr long dataGridControlType = 50028;
inline constexpr long dataItemControlType = 50029;
inline constexpr EVENTID focusChangedEvent = 20005;
inline constexpr int notificationActionCompleted = 2;
inline constexpr int notificationImportantAll = 0;

// uiautomationcore's functions, or null where the system has none.
struct Functions {
    LRESULT(WINAPI* returnRawElementProvider)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);
    HRESULT(WINAPI* hostProviderFromHwnd)(HWND, IRawElementProviderSimple**);
    HRESULT(WINAPI* raiseAutomationEvent)(IRawElementProviderSimple*, EVENTID);
    HRESULT(WINAPI* raisePropertyChangedEvent)
    (IRawElementProviderSimple*, PROPERTYID, VARIANT, VARIANT);
    HRESULT(WINAPI* raiseNotificationEvent)(IRawElementProviderSimple*, int, int, BSTR, BSTR);
    // From ole32, Windows 8 and later.
    HRESULT(WINAPI* incrementMtaUsage)(void** cookie);
    HRESULT(WINAPI* decrementMtaUsage)(void* cookie);
};

// Loaded once, on first use; the libraries stay loaded for the process.
const Functions& functions();

} // namespace korvani::uia
