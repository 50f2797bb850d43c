// A small window and gadget toolkit: one top-level window whose controls are
// addressed by the program's own gadget numbers (which are also the control
// identifiers), with a blocking queue of gadget events. Changes the program
// makes through it raise no events; only the user's actions and posted events do.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/scope_exit.h"
#include "runtime/subclassing.h"
#include "runtime/unique_resource.h"

namespace runtime {

// A coordinate the toolkit chooses: a new window is centred on the screen, a
// resized gadget keeps the coordinate it has.
inline constexpr int kDefaultCoordinate = -65535;

enum class GadgetKind { none = 0, listView, imageButton, textLabel, spinField, stringField, checkBox };
enum class EventKind { change, leftClick, focusLost, shortcut };

// A key pressed while a gadget has the keyboard focus, with or without Alt
// (and neither Ctrl nor Shift).
struct Shortcut {
  UINT key = 0;  // virtual-key code
  bool alt = false;
  bool operator==(const Shortcut&) const = default;
};

struct Event {
  // `activated`: the window became the active one (the user came back to it).
  enum class Type { gadget, closeWindow, activated };
  Type type = Type::closeWindow;
  int gadget = 0;
  EventKind kind = EventKind::change;
  Shortcut shortcut{};  // of a `shortcut` event
};

// The check box image in a list row's item state: 0 none, 1 clear, 2 ticked.
inline UINT listCheckImage(UINT itemState) { return (itemState & LVIS_STATEIMAGEMASK) >> 12; }

struct Rect {
  int x, y, width, height;
};

struct WindowOptions {
  std::wstring className;  // registered with the first window of that name
  int iconResource = 0;    // the executable's icon of that id, or none
  std::wstring title;
  int x = kDefaultCoordinate, y = kDefaultCoordinate;
  int clientWidth = 0, clientHeight = 0;
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HWND owner = nullptr;  // kept above it, minimised and restored with it
};

// Sees every message of the window before the toolkit; returning true ends
// its handling with `result`.
using WindowCallback = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT& result)>;

class GadgetWindow {
 public:
  GadgetWindow() = default;
  GadgetWindow(const GadgetWindow&) = delete;
  GadgetWindow& operator=(const GadgetWindow&) = delete;
  ~GadgetWindow();

  // Creates the window hidden; false when it cannot be made.
  bool open(const WindowOptions& options);
  HWND handle() const { return window_; }
  void setCallback(WindowCallback callback) { callback_ = std::move(callback); }
  // The font of the gadgets made from now on.
  void setFont(HFONT font) { font_ = font; }
  // The font of every gadget, those already made too.
  void changeFont(HFONT font);

  // Creation, in pixels. Each returns the control's window, null on failure.
  HWND createImageButton(int number, Rect rect, HBITMAP image);
  HWND createTextLabel(int number, Rect rect, std::wstring_view text);
  HWND createStringField(int number, Rect rect, std::wstring_view text);
  HWND createCheckBox(int number, Rect rect, std::wstring_view text);
  HWND createSpinField(int number, Rect rect, int minimum, int maximum);
  HWND createListView(int number, Rect rect, std::wstring_view firstColumnTitle, int firstColumnWidth);
  void addColumn(int number, int position, std::wstring_view title, int width);
  int columnCount(int number) const;
  int columnWidth(int number, int column) const;
  void setColumnWidth(int number, int column, int width);
  void centreColumn(int number, int column);
  // An image button's image: the size it was made with, and a new size for it
  // (the image the button was made with, which its maker keeps, is scaled).
  SIZE buttonImageSize(int number) const;
  void setButtonImageSize(int number, int width, int height);
  // kDefaultCoordinate leaves that coordinate as it is.
  void resizeGadget(int number, Rect rect);

  HWND gadget(int number) const;
  // Width and height in pixels; a spin field's arrows count as part of it.
  int gadgetWidth(int number) const;
  int gadgetHeight(int number) const;
  GadgetKind gadgetKind(int number) const;
  std::vector<int> gadgetNumbers() const;

  // State and text; none of these raises an event.
  void setText(int number, std::wstring_view text);
  std::wstring text(int number) const;
  // Check box: 1 ticked, 0 not. Spin field: its value. List view: the selected row or -1.
  void setState(int number, int state);
  int state(int number) const;
  void setEnabled(int number, bool enabled);
  bool enabled(int number) const;
  void setColors(int number, COLORREF text, COLORREF background);
  void setFocus(int number) { SetFocus(gadget(number)); }
  // A string or spin field's caret, as a character position.
  int caret(int number) const;
  void setCaret(int number, int position);

  // List view rows: the text is split at line feeds into the columns.
  void addItem(int number, std::wstring_view text);
  void removeItem(int number, int row);
  void clearItems(int number);
  int itemCount(int number) const;
  void setItemText(int number, int row, int column, std::wstring_view text);
  std::wstring itemText(int number, int row, int column) const;
  void setItemChecked(int number, int row, bool checked);
  // Selects a row as setState does, but leaves the focus (and so the view) where it is.
  void selectItem(int number, int row);
  bool itemChecked(int number, int row) const;

  // A list's rows show the provider's text for the row under the mouse as
  // their tip, asked for each time it is shown.
  void setRowTips(int number, std::function<std::wstring(int row)> provider);

  // One tooltip control serves every gadget; it is made with the first tip.
  void setToolTip(int number, std::wstring_view text);
  HWND toolTipControl() const { return toolTip_; }

  // A balloon pointing at a gadget, until the next key press (a modifier
  // alone aside) or click in the window, or the next balloon. It takes no
  // focus. While the window is inactive, minimised or being moved, it is
  // hidden; it shows again, at its gadget, when the user is back.
  void showBalloon(int number, std::wstring_view title, std::wstring_view text);
  void hideBalloon();
  HWND balloonControl() const { return balloon_; }

  // What a string field takes of the text the user types or pastes: the text
  // to insert instead, or none to refuse it; a refusal is shown as a balloon.
  struct InputRule {
    std::function<std::optional<std::wstring>(std::wstring_view)> accept;
    std::wstring refusalTitle, refusalText;
  };
  void setInputRule(int number, InputRule rule);

  // The gadget reports this key as a `shortcut` event instead of handling it.
  void addShortcut(int number, Shortcut shortcut) { shortcuts_.push_back({number, shortcut}); }

  // Blocks until the next gadget event or close request.
  Event waitEvent();
  // The next event if one is ready after the waiting messages are handled.
  std::optional<Event> pollEvent();
  // Queues a gadget event behind the messages already waiting.
  void postGadgetEvent(int number, EventKind kind);

 private:
  struct Gadget {
    GadgetKind kind;
    HWND control;
    HWND buddy = nullptr;     // the up-down control of a spin field
    HBITMAP image = nullptr;  // an image button's image as it was made with (not owned)
    bool hasColors = false;
    COLORREF textColor = 0, backColor = 0;
  };

  static bool registerClass(const WindowOptions& options);
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void dispatch(MSG& message);
  void setButtonImage(int number, HBITMAP image);
  HWND createControl(int number, GadgetKind kind, const wchar_t* windowClass, std::wstring_view text, DWORD style,
                     DWORD exStyle, Rect rect);
  const Gadget* find(int number) const;
  // Holds the program's own changes back from the event queue while it lives.
  auto quieted() {
    ++quiet_;
    return ScopeExit([this] { --quiet_; });
  }
  void queueGadgetEvent(int number, EventKind kind);
  // Puts `procedure` before a control's own procedure with comctl32's
  // subclassing, `state` as its reference data; nothing where the system has
  // no subclassing (before XP). Each procedure hands what it does not end to
  // forward, which lets go of the control as it is destroyed.
  void subclassControl(HWND control, SUBCLASSPROC procedure, void* state) const;
  LRESULT forward(HWND control, UINT message, WPARAM wParam, LPARAM lParam, SUBCLASSPROC procedure) const;
  // Hands a gadget's mouse message to the tip, from the message loop; for a
  // list with row tips it notes the row under the mouse first.
  void relayMouseToTip(const MSG& message);
  // The tip of the row under the mouse, for a list with row tips; null for any other control.
  const wchar_t* rowTipText(HWND control);
  void addTool(HWND control, wchar_t* text);
  static LRESULT CALLBACK inputRuleProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR rules);
  // Queues the shortcut a key message is, if it is one; true then.
  bool takeShortcut(const MSG& message);

  HWND window_ = nullptr;
  HWND toolTip_ = nullptr;
  HWND focusWhenLeft_ = nullptr;  // the gadget that had the keyboard focus when another window was activated
  HFONT font_ = nullptr;
  std::map<int, Gadget> gadgets_;
  std::deque<Event> events_;
  WindowCallback callback_;
  std::map<int, UniqueResource<GdiObjectPolicy<HBRUSH>>> brushes_;
  std::map<int, UniqueResource<ImageListPolicy>> imageLists_;
  int quiet_ = 0;  // > 0 while the program itself changes gadgets
  std::vector<std::pair<int, Shortcut>> shortcuts_;
  const SubclassFunctions subclassing_ = subclassFunctionsOf(GetModuleHandleW(L"comctl32.dll"));
  struct RowTips {
    std::function<std::wstring(int row)> provider;
    int row = -1;       // under the mouse
    std::wstring text;  // shown
  };
  std::map<int, RowTips> rowTips_;
  HWND balloon_ = nullptr;
  struct Balloon {
    int gadget;
    std::wstring title, text;
  };
  std::optional<Balloon> balloonShown_;  // until it is dismissed, hidden or not
  bool moving_ = false;                  // the user drags the window or sizes it
  bool justActivated_ = false;           // no key or click since the window was activated
  // Shows the balloon at its gadget when `on`, else hides it; it stays
  // balloonShown_ either way.
  void trackBalloon(bool on);
  struct InputRules {
    GadgetWindow* window;
    int number;
    InputRule rule;
  };
  std::map<int, InputRules> inputRules_;
};

// Holds a window's drawing back, its children's too, while many changes are
// made to it (a list filled row by row, the details of another entry); it is
// drawn once, whole, afterwards. A window hidden itself, or held back by an
// outer guard (which clears its visible style), is left as it is: redrawing
// would show it.
class RedrawSuspended {
 public:
  explicit RedrawSuspended(HWND window)
      : window_(GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE ? window : nullptr) {
    if (window_) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  RedrawSuspended(const GadgetWindow& window, int number) : RedrawSuspended(window.gadget(number)) {}
  ~RedrawSuspended() {
    if (!window_) return;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

 private:
  HWND window_;
};

}  // namespace runtime
