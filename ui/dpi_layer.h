// The DPI layer: the toolkit's creation, resize and measurement operations in
// logical units of a 96-dpi screen, and the rescaling that follows a window to
// a screen of another DPI.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/tool_state.h"
#include "runtime/gadget_window.h"

namespace ui {

class DpiLayer {
 public:
  DpiLayer(core::ToolState& state, runtime::GadgetWindow& window);
  ~DpiLayer();
  DpiLayer(const DpiLayer&) = delete;
  DpiLayer& operator=(const DpiLayer&) = delete;

  bool scaledOpenWindow(int windowNumber, int x, int y, int width, int height, std::wstring_view title, DWORD flags);
  HWND scaledImageButton(int gadget, int x, int y, int width, int height, HBITMAP image);
  HWND scaledTextLabel(int gadget, int x, int y, int width, int height, std::wstring_view text);
  HWND scaledStringField(int gadget, int x, int y, int width, int height, std::wstring_view text);
  HWND scaledCheckBox(int gadget, int x, int y, int width, int height, std::wstring_view text);
  HWND scaledSpinField(int gadget, int x, int y, int width, int height, int minimum, int maximum);
  HWND scaledListView(int gadget, int x, int y, int width, int height, std::wstring_view firstColumnTitle,
                      int firstColumnWidth);
  void scaledAddColumn(int gadget, int position, std::wstring_view title, int width);
  // runtime::kIgnore leaves that coordinate unchanged.
  void scaledResizeGadget(int gadget, int x, int y, int width, int height);

  // Modes -3 (parent's client area) and -1 (top-level client area) give
  // logical units; other modes give the toolkit's pixel values.
  int logicalGadgetX(int gadget, int mode) const;
  int logicalGadgetY(int gadget, int mode) const;
  // Modes -2 (actual) and -1 (required) give logical units.
  int logicalGadgetWidth(int gadget, int mode) const;
  int logicalGadgetHeight(int gadget, int mode) const;
  // The window has no tool or status bar: 0.
  int logicalBarHeight(int bar, int mode) const;

  // Rescales every gadget once for a DPI change (see dpiSubclassProc): its
  // place and size, and a list's column widths.
  void rescaleGadgets(HWND window, int percent);
  // Gives the gadgets the font and button images of a screen of that DPI, in
  // proportion to the screen the window was made on.
  void followDpi(int dpi);
  // The DPI the window's gadgets are laid out for, by window number.
  int windowDpi(int windowNumber) const;

 private:
  friend LRESULT CALLBACK dpiSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  int x(int logical) const;
  int y(int logical) const;

  core::ToolState& state_;
  runtime::GadgetWindow& window_;
};

// Installed on the window by scaledOpenWindow on systems with per-monitor DPI.
LRESULT CALLBACK dpiSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR windowNumber,
                                 DWORD_PTR dpi);

// Left edge (gadgetLeft) or top edge (gadgetTop) in the coordinates of the
// parent's client area (mode 0), the top-level window's (mode 2), or the screen.
int gadgetLeft(HWND gadget, int mode);
int gadgetTop(HWND gadget, int mode);

}  // namespace ui
