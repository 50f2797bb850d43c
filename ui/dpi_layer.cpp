#include "ui/dpi_layer.h"

#include <set>
#include <string>

#include "ui/dpi_rounding.h"

namespace ui {
namespace {

// The subclass procedure is called by the system with no way to carry a
// pointer of ours besides the DPI, so it finds the layer here.
DpiLayer* activeLayer = nullptr;

// What rescaleChildProc needs during one enumeration.
struct RescaleRun {
  DpiLayer* layer;
  runtime::GadgetWindow* window;
  int percent;
  std::set<int> done;  // a spin field is two windows with one number
};

BOOL CALLBACK rescaleChildProc(HWND child, LPARAM context) {
  auto& run = *reinterpret_cast<RescaleRun*>(context);
  const int gadget = GetDlgCtrlID(child);
  if (run.window->gadgetKind(gadget) == runtime::GadgetKind::none || !run.done.insert(gadget).second) return TRUE;
  const DpiLayer& layer = *run.layer;
  const int h = layer.logicalGadgetHeight(gadget, SizeMode::actualLogical);
  const int w = layer.logicalGadgetWidth(gadget, SizeMode::actualLogical);
  const int y = layer.logicalGadgetY(gadget, PositionMode::parentLogical);
  const int b = layer.logicalBarHeight();
  const int x = layer.logicalGadgetX(gadget, PositionMode::parentLogical);
  run.layer->scaledResizeGadget(gadget, {rescaleLogical(x, run.percent), rescaleLogical(y - b, run.percent) + b,
                                         rescaleLogical(w, run.percent), rescaleLogical(h, run.percent)});
  return TRUE;
}

RECT screenRect(HWND gadget) {
  RECT rect{};
  GetWindowRect(gadget, &rect);
  return rect;
}

RECT rectIn(HWND gadget, PositionMode mode) {
  RECT rect = screenRect(gadget);
  HWND reference = mode == PositionMode::parentPixels   ? GetAncestor(gadget, GA_PARENT)
                   : mode == PositionMode::windowPixels ? GetAncestor(gadget, GA_ROOT)
                                                        : nullptr;
  if (reference) MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A left or top edge (`edge`) in the units the mode asks for.
int logicalPosition(HWND control, PositionMode mode, int (*edge)(HWND, PositionMode), float scale) {
  switch (mode) {
    case PositionMode::parentLogical:
      return pixelsToLogical(edge(control, PositionMode::parentPixels), scale);
    case PositionMode::windowLogical:
      return pixelsToLogical(edge(control, PositionMode::windowPixels), scale);
    default:
      return edge(control, mode);
  }
}

}  // namespace

int gadgetLeft(HWND gadget, PositionMode mode) { return rectIn(gadget, mode).left; }
int gadgetTop(HWND gadget, PositionMode mode) { return rectIn(gadget, mode).top; }

DpiLayer::DpiLayer(DpiState& state, runtime::GadgetWindow& window) : state_(state), window_(window) {
  activeLayer = this;
  window_.setFont(state_.dpiScaling.font.get());
}

DpiLayer::~DpiLayer() {
  if (activeLayer == this) activeLayer = nullptr;
}

int DpiLayer::x(int logical) const { return logicalToPixels(logical, state_.dpiScaling.scaleX); }
int DpiLayer::y(int logical) const { return logicalToPixels(logical, state_.dpiScaling.scaleY); }

runtime::Rect DpiLayer::pixels(LogicalRect rect) const {
  auto scaled = [](int value, auto convert) {
    return value == runtime::kDefaultCoordinate ? runtime::kDefaultCoordinate : convert(value);
  };
  auto toX = [this](int v) { return x(v); };
  auto toY = [this](int v) { return y(v); };
  return {scaled(rect.x, toX), scaled(rect.y, toY), scaled(rect.width, toX), scaled(rect.height, toY)};
}

bool DpiLayer::scaledOpenWindow(int windowNumber, LogicalRect rect, runtime::WindowOptions options) {
  const runtime::Rect placed = pixels(rect);
  options.x = placed.x;
  options.y = placed.y;
  options.clientWidth = placed.width;
  options.clientHeight = placed.height;
  if (!window_.open(options)) return false;
  const auto setWindowSubclass = state_.subclassFunctions.setWindowSubclass;
  if (state_.osVersionCode >= 100 && setWindowSubclass) {
    const int dpi = roundHalfEven(state_.dpiScaling.scaleX * 96.0f);
    state_.windowDpis[std::to_wstring(windowNumber)] = dpi;
    setWindowSubclass(window_.handle(), dpiSubclassProc, static_cast<UINT_PTR>(windowNumber),
                      static_cast<DWORD_PTR>(dpi));
  }
  return true;
}

HWND DpiLayer::scaledImageButton(int gadget, LogicalRect rect, HBITMAP image) {
  return window_.createImageButton(gadget, pixels(rect), image);
}

HWND DpiLayer::scaledTextLabel(int gadget, LogicalRect rect, std::wstring_view text) {
  return window_.createTextLabel(gadget, pixels(rect), text);
}

HWND DpiLayer::scaledStringField(int gadget, LogicalRect rect, std::wstring_view text) {
  return window_.createStringField(gadget, pixels(rect), text);
}

HWND DpiLayer::scaledCheckBox(int gadget, LogicalRect rect, std::wstring_view text) {
  return window_.createCheckBox(gadget, pixels(rect), text);
}

HWND DpiLayer::scaledSpinField(int gadget, LogicalRect rect, int minimum, int maximum) {
  return window_.createSpinField(gadget, pixels(rect), minimum, maximum);
}

HWND DpiLayer::scaledListView(int gadget, LogicalRect rect, std::wstring_view firstColumnTitle, int firstColumnWidth) {
  return window_.createListView(gadget, pixels(rect), firstColumnTitle, x(firstColumnWidth));
}

void DpiLayer::scaledAddColumn(int gadget, int position, std::wstring_view title, int width) {
  window_.addColumn(gadget, position, title, x(width));
}

void DpiLayer::scaledResizeGadget(int gadget, LogicalRect rect) { window_.resizeGadget(gadget, pixels(rect)); }

int DpiLayer::logicalGadgetX(int gadget, PositionMode mode) const {
  return logicalPosition(window_.gadget(gadget), mode, &gadgetLeft, state_.dpiScaling.scaleX);
}

int DpiLayer::logicalGadgetY(int gadget, PositionMode mode) const {
  return logicalPosition(window_.gadget(gadget), mode, &gadgetTop, state_.dpiScaling.scaleY);
}

int DpiLayer::logicalGadgetWidth(int gadget, SizeMode mode) const {
  const int pixels = window_.gadgetWidth(gadget);
  return mode == SizeMode::pixels ? pixels : pixelsToLogical(pixels, state_.dpiScaling.scaleX);
}

int DpiLayer::logicalGadgetHeight(int gadget, SizeMode mode) const {
  const int pixels = window_.gadgetHeight(gadget);
  return mode == SizeMode::pixels ? pixels : pixelsToLogical(pixels, state_.dpiScaling.scaleY);
}

void DpiLayer::rescaleGadgets(HWND window, int percent) {
  RescaleRun run{this, &window_, percent, {}};
  EnumChildWindows(window, rescaleChildProc, reinterpret_cast<LPARAM>(&run));
  // Column widths follow the same rules as the gadgets' sizes.
  const float scale = state_.dpiScaling.scaleX;
  for (int gadget : window_.gadgetNumbers()) {
    if (window_.gadgetKind(gadget) != runtime::GadgetKind::listView) continue;
    for (int column = 0, count = window_.columnCount(gadget); column < count; ++column) {
      const int width = pixelsToLogical(window_.columnWidth(gadget, column), scale);
      window_.setColumnWidth(gadget, column, logicalToPixels(rescaleLogical(width, percent), scale));
    }
  }
}

void DpiLayer::followDpi(int dpi) {
  const int madeFor = roundHalfEven(state_.dpiScaling.scaleX * 96.0f);
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
      const std::wstring key = std::to_wstring(windowNumber);
      const int newDpi = LOWORD(wParam);
      const int percent = rescalePercent(newDpi, layer->state_.windowDpis[key]);
      layer->rescaleGadgets(window, percent);
      layer->followDpi(newDpi);
      layer->state_.windowDpis[key] = newDpi;
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
