// The floor under the settings window's start: the same window with the same
// controls, styles, columns, rows and font, made as directly as Win32 allows,
// and nothing else (no file, no images, no tips, no hook, no DPI layer), in a
// process that is aware of the screen's DPI as the tool's is.
// Usage: settings_window_floor <entries>   (0: the default seven)
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

#include "bench/bench_entries.h"
#include "ui/settings_window.h"

namespace {

struct Control {
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style, exStyle;
  RECT rect;  // x, y, width, height at 96 dpi
};

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP;
constexpr DWORD kLabel = SS_RIGHT | SS_CENTERIMAGE;
constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;
const Control kControls[] = {
    {WC_BUTTONW, L"Add", kButton, 0, {5, 5, 35, 26}},
    {WC_BUTTONW, L"Remove", kButton, 0, {45, 5, 35, 26}},
    {WC_BUTTONW, L"Move up", kButton, 0, {85, 5, 35, 26}},
    {WC_BUTTONW, L"Move down", kButton, 0, {125, 5, 35, 26}},
    {WC_STATICW, L"Browser Start:", kLabel, 0, {163, 9, 74, 19}},
    {WC_EDITW, L"2500", kEdit | ES_RIGHT | ES_NUMBER, WS_EX_CLIENTEDGE, {238, 9, 48, 19}},
    {WC_STATICW, L"Tab Delay:", kLabel, 0, {291, 9, 54, 19}},
    {WC_EDITW, L"500", kEdit | ES_RIGHT | ES_NUMBER, WS_EX_CLIENTEDGE, {346, 9, 48, 19}},
    {WC_BUTTONW, L"Open Wordhop.ini", kButton, 0, {400, 5, 35, 26}},
    {WC_BUTTONW, L"Donate", kButton, 0, {440, 5, 35, 26}},
    {WC_LISTVIEWW,
     L"",
     WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
     WS_EX_CLIENTEDGE,
     {5, 35, 470, 198}},
    {WC_STATICW, L"URL:", kLabel, 0, {0, 238, 29, 19}},
    {WC_EDITW, L"", kEdit, WS_EX_CLIENTEDGE, {30, 238, 249, 19}},
    {WC_BUTTONW, L"PB", kCheck, 0, {284, 238, 33, 19}},
    {WC_BUTTONW, L"Sort by Date", kCheck, 0, {322, 238, 78, 19}},
    {WC_BUTTONW, L"First Match", kCheck, 0, {405, 238, 71, 19}},
    {WC_STATICW, L"Filter:", kLabel, 0, {0, 262, 29, 19}},
    {WC_EDITW, L"", kEdit, WS_EX_CLIENTEDGE, {30, 262, 445, 19}},
    {WC_STATICW, L"Info:", kLabel, 0, {0, 286, 29, 19}},
    {WC_EDITW, L"", kEdit, WS_EX_CLIENTEDGE, {30, 286, 445, 19}},
};
constexpr int kListIndex = 10;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

void fillRows(HWND list, const std::vector<core::SearchEntry>& entries) {
  const ui::Texts texts;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LVM_SETITEMCOUNT, entries.size(), 0);
  for (int row = 0; const core::SearchEntry& entry : entries) {
    const std::wstring text = ui::rowText(entry, texts);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(L"");
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(entry.enabled ? 2 : 1);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    std::size_t start = text.find(L'\n') + 1;
    for (int column = 1; start != 0; ++column) {
      const std::size_t end = text.find(L'\n', start);
      std::wstring cell = text.substr(start, end - start);
      LVITEMW sub{};
      sub.iSubItem = column;
      sub.pszText = cell.data();
      SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
      start = end + 1;
    }
    ++row;
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // DPI-aware per monitor, as the tool makes itself where the system has it.
  using SetAwareness = HRESULT(WINAPI*)(int);
  if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
    if (auto set =
            reinterpret_cast<SetAwareness>(reinterpret_cast<void*>(GetProcAddress(shcore, "SetProcessDpiAwareness"))))
      set(2);  // PROCESS_PER_MONITOR_DPI_AWARE
  }
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  const std::vector<core::SearchEntry> entries = bench::benchEntries(argc > 1 ? _wtoi(argv[1]) : 0);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = L"WordhopSettingsFloor";
  RegisterClassExW(&windowClass);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 480, 310};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Wordhop floor", style,
                                work.left + (work.right - work.left - width) / 2,
                                work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr,
                                windowClass.hInstance, nullptr);

  LOGFONTW guiFont{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, guiFont.lfFaceName);
  std::vector<HWND> controls;
  for (int id = 1; const Control& control : kControls) {
    HWND made =
        CreateWindowExW(control.exStyle, control.windowClass, control.text, WS_CHILD | WS_VISIBLE | control.style,
                        control.rect.left, control.rect.top, control.rect.right, control.rect.bottom, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), windowClass.hInstance, nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls.push_back(made);
  }
  for (int spin : {5, 7}) {
    HWND upDown =
        CreateWindowExW(0, UPDOWN_CLASSW, L"",
                        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
                        0, 0, 0, window, nullptr, windowClass.hInstance, nullptr);
    SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(controls[static_cast<std::size_t>(spin)]), 0);
    SendMessageW(upDown, UDM_SETRANGE32, 0, 9999);
  }
  HWND list = controls[kListIndex];
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_GRIDLINES);
  const std::pair<const wchar_t*, int> columns[] = {
      {L"", 20}, {L"URL", 239}, {L"Content", 50}, {L"Sort by", 72}, {L"First Match", 68}, {L"Filter", 0}, {L"Info", 0}};
  for (int position = 0; const auto& [title, columnWidth] : columns) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = position >= 2 && position <= 4 ? LVCFMT_CENTER : LVCFMT_LEFT;
    column.cx = columnWidth;
    column.pszText = const_cast<wchar_t*>(title);
    SendMessageW(list, LVM_INSERTCOLUMNW, position++, reinterpret_cast<LPARAM>(&column));
  }
  fillRows(list, entries);
  LVITEMW selected{};
  selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!entries.empty()) SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));

  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetFocus(list);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(font);
  return 0;
}
