#include "ui/dpi_layer.h"

#include <string>

#include "core/os_version.h"
#include "ui/dpi_rounding.h"

namespace ui {
namespace {

// The subclass's reference data holds the DPI the window was made for, not
// the layer: the procedure finds the layer through this one pointer (a
// process has one settings window).
DpiLayer* activeLayer = nullptr;

}  // namespace

DpiLayer::DpiLayer(DpiState& state, runtime::GadgetWindow& window) : state_(state), window_(window) {
  activeLayer = this;
  window_.setFont(state_.dpiScaling.font.get());
}

DpiLayer::~DpiLayer() {
  if (activeLayer == this) activeLayer = nullptr;
}

int DpiLayer::x(int logical) const { return logicalToPixels(logical, state_.dpiScaling.scaleX); }

runtime::Rect DpiLayer::pixels(LogicalRect rect) const {
  auto scaled = [](int value, float scale) {
    return value == runtime::kDefaultCoordinate ? value : logicalToPixels(value, scale);
  };
  const float scaleX = state_.dpiScaling.scaleX, scaleY = state_.dpiScaling.scaleY;
  return {scaled(rect.x, scaleX), scaled(rect.y, scaleY), scaled(rect.width, scaleX), scaled(rect.height, scaleY)};
}

bool DpiLayer::scaledOpenWindow(int windowNumber, LogicalRect rect, runtime::WindowOptions options) {
  const runtime::Rect placed = pixels(rect);
  options.x = placed.x;
  options.y = placed.y;
  options.clientWidth = placed.width;
  options.clientHeight = placed.height;
  if (!window_.open(options)) return false;
  const auto setWindowSubclass = state_.subclassFunctions.setWindowSubclass;
  if (state_.osVersionCode >= core::kOsWindows81 && setWindowSubclass) {
    const int dpi = roundHalfEven(state_.dpiScaling.scaleX * 96.0f);
    state_.windowDpis[std::to_wstring(windowNumber)] = dpi;
    setWindowSubclass(window_.handle(), dpiSubclassProc, static_cast<UINT_PTR>(windowNumber),
                      static_cast<DWORD_PTR>(dpi));
  }
  return true;
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
  const int percent = rescalePercent(dpi, madeForDpi());
  for (const auto& [gadget, rect] : layout_) {
    window_.resizeGadget(gadget, pixels({rescaleLogical(rect.x, percent), rescaleLogical(rect.y, percent),
                                         rescaleLogical(rect.width, percent), rescaleLogical(rect.height, percent)}));
  }
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

int DpiLayer::windowDpi(int windowNumber) const {
  auto it = state_.windowDpis.find(std::to_wstring(windowNumber));
  return it == state_.windowDpis.end() ? 0 : it->second;
}

LRESULT CALLBACK dpiSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR windowNumber,
                                 DWORD_PTR) {
  DpiLayer* layer = activeLayer;
  const SubclassFunctions* functions = layer ? &layer->state_.subclassFunctions : nullptr;
  switch (message) {
    case WM_DPICHANGED: {
      if (!layer) return 0;
      const int newDpi = LOWORD(wParam);
      layer->layOutFor(newDpi);
      layer->followDpi(newDpi);
      layer->state_.windowDpis[std::to_wstring(windowNumber)] = newDpi;
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER);
      return 0;
    }
    case WM_NCDESTROY:
      if (functions && functions->removeWindowSubclass)
        functions->removeWindowSubclass(window, dpiSubclassProc, windowNumber);
      return 0;
  }
  return functions && functions->defSubclassProc ? functions->defSubclassProc(window, message, wParam, lParam)
                                                 : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui
