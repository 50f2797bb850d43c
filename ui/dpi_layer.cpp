#include "ui/dpi_layer.h"

#include <shellscalingapi.h>

#include <string>

#include "core/os_version.h"
#include "runtime/library.h"
#include "ui/dpi_rounding.h"

namespace ui {
namespace {

// The DPI of the monitor the window is on, as the window sees it (0 when the
// system cannot tell): GetDpiForWindow from Windows 10 1607 on, the monitor's
// effective DPI on Windows 8.1.
int monitorDpiOf(HWND window) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (const auto dpiForWindow = RUNTIME_EXPORT(user32, GetDpiForWindow)) return static_cast<int>(dpiForWindow(window));
  runtime::Library shcore(L"shcore.dll");
  auto dpiForMonitor = RUNTIME_EXPORT(shcore.get(), GetDpiForMonitor);
  UINT dpiX = 0, dpiY = 0;
  if (!dpiForMonitor ||
      dpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), MDT_EFFECTIVE_DPI, &dpiX, &dpiY) != S_OK)
    return 0;
  return static_cast<int>(dpiX);
}

// The window rectangle around a client area of that size on a screen of that
// DPI: the frame of a per-monitor window scales with its screen.
RECT frameAround(int width, int height, DWORD style, int dpi) {
  RECT frame{0, 0, width, height};
  if (const auto adjustForDpi = RUNTIME_EXPORT(GetModuleHandleW(L"user32.dll"), AdjustWindowRectExForDpi))
    adjustForDpi(&frame, style, FALSE, 0, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(&frame, style, FALSE, 0);
  return frame;
}

}  // namespace

DpiLayer::DpiLayer(DpiState& state, runtime::GadgetWindow& window) : state_(state), window_(window) {
  window_.setFont(state_.dpiScaling.font.get());
}

// The window may outlive the layer by a moment: it must not reach it then.
DpiLayer::~DpiLayer() {
  const auto remove = state_.subclassFunctions.removeWindowSubclass;
  if (subclassId_ && remove && IsWindow(window_.handle())) remove(window_.handle(), dpiSubclassProc, *subclassId_);
}

int DpiLayer::x(int logical) const { return logicalToPixels(logical, state_.dpiScaling.scaleX); }

runtime::Rect DpiLayer::pixels(LogicalRect rect) const {
  auto scaled = [](int value, float scale) {
    return value == runtime::kDefaultCoordinate ? value : logicalToPixels(value, scale);
  };
  const float scaleX = state_.dpiScaling.scaleX, scaleY = state_.dpiScaling.scaleY;
  return {scaled(rect.x, scaleX), scaled(rect.y, scaleY), scaled(rect.width, scaleX), scaled(rect.height, scaleY)};
}

runtime::Rect DpiLayer::pixelsAt(LogicalRect rect, int dpi) const {
  const int percent = rescalePercent(dpi, madeForDpi());
  return pixels({rescaleLogical(rect.x, percent), rescaleLogical(rect.y, percent), rescaleLogical(rect.width, percent),
                 rescaleLogical(rect.height, percent)});
}

bool DpiLayer::scaledOpenWindow(int windowNumber, LogicalRect rect, runtime::WindowOptions options) {
  const runtime::Rect placed = pixels(rect);
  options.x = placed.x;
  options.y = placed.y;
  options.clientWidth = placed.width;
  options.clientHeight = placed.height;
  if (!window_.open(options)) return false;
  client_ = rect;
  const SubclassFunctions& subclassing = state_.subclassFunctions;
  if (state_.osVersionCode >= core::kOsWindows81 && subclassing.complete()) {
    state_.windowDpis[std::to_wstring(windowNumber)] = madeForDpi();
    const auto id = static_cast<UINT_PTR>(windowNumber);
    if (subclassing.setWindowSubclass(window_.handle(), dpiSubclassProc, id, reinterpret_cast<DWORD_PTR>(this)))
      subclassId_ = id;
  }
  return true;
}

void DpiLayer::fitToMonitor(int windowNumber) {
  if (!subclassId_) return;  // the window does not follow DPI changes either
  const int dpi = monitorDpiOf(window_.handle());
  if (dpi <= 0 || dpi == madeForDpi()) return;
  adoptDpi(windowNumber, dpi);
  const runtime::Rect size = pixelsAt(client_, dpi);
  HWND handle = window_.handle();
  const RECT frame = frameAround(size.width, size.height, static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE)), dpi);
  RECT now{};
  GetWindowRect(handle, &now);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(handle, nullptr, (now.left + now.right - width) / 2, (now.top + now.bottom - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND DpiLayer::made(int gadget, LogicalRect rect, HWND control) {
  if (control) layout_[gadget] = rect;
  return control;
}

HWND DpiLayer::scaledImageButton(int gadget, LogicalRect rect, HBITMAP image) {
  return made(gadget, rect, window_.createImageButton(gadget, pixels(rect), image));
}

HWND DpiLayer::scaledTextLabel(int gadget, LogicalRect rect, std::wstring_view text) {
  return made(gadget, rect, window_.createTextLabel(gadget, pixels(rect), text));
}

HWND DpiLayer::scaledStringField(int gadget, LogicalRect rect, std::wstring_view text) {
  return made(gadget, rect, window_.createStringField(gadget, pixels(rect), text));
}

HWND DpiLayer::scaledCheckBox(int gadget, LogicalRect rect, std::wstring_view text) {
  return made(gadget, rect, window_.createCheckBox(gadget, pixels(rect), text));
}

HWND DpiLayer::scaledSpinField(int gadget, LogicalRect rect, int minimum, int maximum) {
  return made(gadget, rect, window_.createSpinField(gadget, pixels(rect), minimum, maximum));
}

HWND DpiLayer::scaledListView(int gadget, LogicalRect rect, std::wstring_view firstColumnTitle, int firstColumnWidth) {
  HWND list = made(gadget, rect, window_.createListView(gadget, pixels(rect), firstColumnTitle, x(firstColumnWidth)));
  if (list) columnWidths_[gadget] = {firstColumnWidth};
  return list;
}

void DpiLayer::scaledAddColumn(int gadget, int position, std::wstring_view title, int width) {
  window_.addColumn(gadget, position, title, x(width));
  std::vector<int>& widths = columnWidths_[gadget];
  if (position >= 0 && static_cast<std::size_t>(position) <= widths.size())
    widths.insert(widths.begin() + position, width);
}

int DpiLayer::madeForDpi() const { return roundHalfEven(state_.dpiScaling.scaleX * 96.0f); }

void DpiLayer::layOutFor(int dpi) {
  if (madeForDpi() <= 0 || dpi <= 0) return;
  // Always from the geometry the gadgets were made with: values read back
  // after one change carry its rounding into the next.
  for (const auto& [gadget, rect] : layout_) window_.resizeGadget(gadget, pixelsAt(rect, dpi));
  const int percent = rescalePercent(dpi, madeForDpi());
  for (const auto& [gadget, widths] : columnWidths_) {
    for (int column = 0; const int width : widths)
      window_.setColumnWidth(gadget, column++, x(rescaleLogical(width, percent)));
  }
}

void DpiLayer::followDpi(int dpi) {
  const int madeFor = madeForDpi();
  if (madeFor <= 0 || dpi <= 0) return;
  LOGFONTW font{};
  if (GetObjectW(state_.dpiScaling.font.get(), sizeof font, &font)) {
    font.lfHeight = MulDiv(state_.dpiScaling.fontHeight, dpi, madeFor);
    runtime::UniqueFont scaled(CreateFontIndirectW(&font));
    if (scaled) {
      window_.changeFont(scaled.get());
      state_.dpiScaling.font = std::move(scaled);  // the gadgets have let go of the old one
    }
  }
  for (int gadget : window_.gadgetNumbers()) {
    if (window_.gadgetKind(gadget) != runtime::GadgetKind::imageButton) continue;
    const SIZE own = window_.buttonImageSize(gadget);
    window_.setButtonImageSize(gadget, MulDiv(own.cx, dpi, madeFor), MulDiv(own.cy, dpi, madeFor));
  }
}

void DpiLayer::adoptDpi(int windowNumber, int dpi) {
  layOutFor(dpi);
  followDpi(dpi);
  state_.windowDpis[std::to_wstring(windowNumber)] = dpi;
}

int DpiLayer::windowDpi(int windowNumber) const {
  auto it = state_.windowDpis.find(std::to_wstring(windowNumber));
  return it == state_.windowDpis.end() ? 0 : it->second;
}

LRESULT CALLBACK dpiSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR windowNumber,
                                 DWORD_PTR reference) {
  auto* layer = reinterpret_cast<DpiLayer*>(reference);
  const SubclassFunctions& functions = layer->state_.subclassFunctions;
  switch (message) {
    case WM_DPICHANGED: {
      layer->adoptDpi(static_cast<int>(windowNumber), LOWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER);
      return 0;
    }
    case WM_NCDESTROY:
      functions.removeWindowSubclass(window, dpiSubclassProc, windowNumber);
      layer->subclassId_.reset();
      break;
  }
  return functions.defSubclassProc(window, message, wParam, lParam);
}

}  // namespace ui
