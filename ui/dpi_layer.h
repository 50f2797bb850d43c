// The DPI layer: the toolkit's creation, resize and measurement operations in
// logical units of a 96-dpi screen, and the rescaling that follows a window to
// a screen of another DPI.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/gadget_window.h"
#include "ui/dpi_state.h"

namespace ui {

// A place and size in logical units of a 96-dpi screen. A coordinate may be
// runtime::kDefaultCoordinate: the toolkit chooses it.
struct LogicalRect {
  int x, y, width, height;
};

class DpiLayer {
 public:
  DpiLayer(DpiState& state, runtime::GadgetWindow& window);
  ~DpiLayer();
  DpiLayer(const DpiLayer&) = delete;
  DpiLayer& operator=(const DpiLayer&) = delete;

  // The window's place and client size come from `rect`, everything else from `options`.
  bool scaledOpenWindow(int windowNumber, LogicalRect rect, runtime::WindowOptions options);
  HWND scaledImageButton(int gadget, LogicalRect rect, HBITMAP image);
  HWND scaledTextLabel(int gadget, LogicalRect rect, std::wstring_view text);
  HWND scaledStringField(int gadget, LogicalRect rect, std::wstring_view text);
  HWND scaledCheckBox(int gadget, LogicalRect rect, std::wstring_view text);
  HWND scaledSpinField(int gadget, LogicalRect rect, int minimum, int maximum);
  HWND scaledListView(int gadget, LogicalRect rect, std::wstring_view firstColumnTitle, int firstColumnWidth);
  void scaledAddColumn(int gadget, int position, std::wstring_view title, int width);

  // Lays every gadget out for a screen of that DPI (see dpiSubclassProc): its
  // place and size, and a list's column widths, each rescaled once from the
  // logical geometry it was made with.
  void layOutFor(int dpi);
  // Gives the gadgets the font and button images of a screen of that DPI, in
  // proportion to the screen the window was made on.
  void followDpi(int dpi);
  // Lays out, fonts and images, for a screen of that DPI, and notes it as the
  // window's: what a DPI change and the window's first placement both do.
  void adoptDpi(int windowNumber, int dpi);
  // A window made for the system's DPI may have opened on a monitor of
  // another: once its gadgets are made, they and the window are laid out and
  // sized for that monitor, about the same centre.
  void fitToMonitor(int windowNumber);
  // The DPI the window's gadgets are laid out for, by window number.
  int windowDpi(int windowNumber) const;

 private:
  friend LRESULT CALLBACK dpiSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  int x(int logical) const;
  runtime::Rect pixels(LogicalRect rect) const;
  // The pixels of a rectangle made for the window's DPI, on a screen of `dpi`.
  runtime::Rect pixelsAt(LogicalRect rect, int dpi) const;
  // The DPI the window was made for.
  int madeForDpi() const;
  // Notes a new gadget's logical geometry; returns its control.
  HWND made(int gadget, LogicalRect rect, HWND control);

  DpiState& state_;
  runtime::GadgetWindow& window_;
  LogicalRect client_{};                          // the window's client area, as made
  std::map<int, LogicalRect> layout_;             // by gadget number, as made
  std::map<int, std::vector<int>> columnWidths_;  // a list's logical column widths, as made
  std::optional<UINT_PTR> subclassId_;            // while the window is subclassed: its number
};

// Installed on the window by scaledOpenWindow on systems with per-monitor DPI;
// its reference data is the layer.
LRESULT CALLBACK dpiSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR windowNumber,
                                 DWORD_PTR layer);

}  // namespace ui
