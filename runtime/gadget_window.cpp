#include "runtime/gadget_window.h"

#include <commctrl.h>

#include <utility>

namespace runtime {
namespace {

constexpr UINT kPostedGadgetEvent = WM_APP + 1;

}  // namespace

GadgetWindow::~GadgetWindow() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool GadgetWindow::registerClass(const WindowOptions& options) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(windowClass.hInstance, options.className.c_str(), &windowClass)) return true;
  windowClass.lpfnWndProc = &GadgetWindow::windowProc;
  if (options.iconResource)
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(options.iconResource));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = options.className.c_str();
  return RegisterClassExW(&windowClass) != 0;
}

bool GadgetWindow::open(const WindowOptions& options) {
  if (!registerClass(options)) return false;
  RECT frame{0, 0, options.clientWidth, options.clientHeight};
  AdjustWindowRectEx(&frame, options.style, FALSE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int x = options.x, y = options.y;
  if (x == kDefaultCoordinate || y == kDefaultCoordinate) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (x == kDefaultCoordinate) x = work.left + (work.right - work.left - width) / 2;
    if (y == kDefaultCoordinate) y = work.top + (work.bottom - work.top - height) / 2;
  }
  // The window finds this object from its first message on (WM_NCCREATE).
  return CreateWindowExW(0, options.className.c_str(), options.title.c_str(), options.style, x, y, width, height,
                         options.owner, nullptr, GetModuleHandleW(nullptr), this) != nullptr;
}

LRESULT CALLBACK GadgetWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* made = static_cast<GadgetWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    made->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
  }
  auto* self = reinterpret_cast<GadgetWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (self->callback_ && self->callback_(window, message, wParam, lParam, result)) return result;
  return self->handleMessage(message, wParam, lParam);
}

LRESULT GadgetWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int number = LOWORD(wParam);
      const UINT code = HIWORD(wParam);
      switch (gadgetKind(number)) {
        case GadgetKind::imageButton:
        case GadgetKind::checkBox:
          if (code == BN_CLICKED) queueGadgetEvent(number, EventKind::leftClick);
          break;
        case GadgetKind::stringField:
        case GadgetKind::spinField:
          if (code == EN_CHANGE) queueGadgetEvent(number, EventKind::change);
          if (code == EN_KILLFOCUS) queueGadgetEvent(number, EventKind::focusLost);
          break;
        default:
          break;
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const int number = static_cast<int>(header->idFrom);
      if (gadgetKind(number) == GadgetKind::listView && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        const UINT watched = LVIS_SELECTED | LVIS_STATEIMAGEMASK;
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & watched))
          queueGadgetEvent(number, EventKind::change);
      } else if (gadgetKind(number) == GadgetKind::listView && header->code == NM_CLICK) {
        queueGadgetEvent(number, EventKind::leftClick);
      } else if (header->hwndFrom == toolTip_ && header->code == TTN_GETDISPINFOW) {
        auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (const wchar_t* text = rowTipText(reinterpret_cast<HWND>(tip->hdr.idFrom)))
          tip->lpszText = const_cast<wchar_t*>(text);
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const int number = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      const Gadget* colored = find(number);
      if (!colored || !colored->hasColors) break;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, colored->textColor);
      SetBkColor(dc, colored->backColor);
      return reinterpret_cast<LRESULT>(brushes_[number].get());
    }
    case kPostedGadgetEvent:
      events_.push_back({Event::Type::gadget, static_cast<int>(wParam), static_cast<EventKind>(lParam)});
      return 0;
    case WM_CLOSE:
      events_.push_back({Event::Type::closeWindow});
      return 0;
    // A balloon does not hang in the air while its window moves or is
    // minimised: it comes back beside its gadget once the window is still.
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
      moving_ = message == WM_ENTERSIZEMOVE;
      trackBalloon(!moving_ && GetActiveWindow() == window_);
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* place = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (balloonShown_ && !(place->flags & SWP_NOMOVE))
        trackBalloon(!moving_ && !IsIconic(window_) && GetActiveWindow() == window_);
      break;
    }
    case WM_ACTIVATE:
      // A balloon is about this window: it is not left on top of another.
      trackBalloon(LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam));
      // As a dialog box does: the control that had the focus when another
      // window was activated gets it back when this one is (the default
      // handling gives it to the window itself, where keys are lost).
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (focused && IsChild(window_, focused)) focusWhenLeft_ = focused;
        break;
      }
      events_.push_back({Event::Type::activated});
      justActivated_ = true;
      if (!HIWORD(wParam) && focusWhenLeft_ && IsChild(window_, focusWhenLeft_) && IsWindowVisible(focusWhenLeft_) &&
          IsWindowEnabled(focusWhenLeft_)) {
        SetFocus(focusWhenLeft_);
        return 0;
      }
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void GadgetWindow::queueGadgetEvent(int number, EventKind kind) {
  if (quiet_ == 0) events_.push_back({Event::Type::gadget, number, kind});
}

bool GadgetWindow::takeShortcut(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0) return false;
  const int number = GetDlgCtrlID(message.hwnd);
  if (gadget(number) != message.hwnd) return false;
  const Shortcut pressed{static_cast<UINT>(message.wParam), (message.lParam & (1 << 29)) != 0};  // context code: Alt
  for (const auto& [gadgetNumber, shortcut] : shortcuts_) {
    if (gadgetNumber != number || shortcut != pressed) continue;
    events_.push_back({Event::Type::gadget, number, EventKind::shortcut, shortcut});
    // The default handling sees the Alt chord too: where it keeps track of the
    // keys pressed while Alt is down (Wine does), Alt's release would
    // otherwise open the window menu and take the keys typed after it.
    if (message.message == WM_SYSKEYDOWN) DefWindowProcW(message.hwnd, message.message, message.wParam, message.lParam);
    return true;
  }
  return false;
}

void GadgetWindow::dispatch(MSG& message) {
  // Both clicks of a double click are in this window. Wine counts them per
  // thread: a click that brings the user back from another window, on the spot
  // clicked last here, would come as a double click and select the field's
  // text for the next key to replace.
  if (message.message == WM_LBUTTONDBLCLK && justActivated_) message.message = WM_LBUTTONDOWN;
  const UINT kind = message.message;
  // A modifier alone (Alt as the user switches to another program) is no
  // answer to the balloon.
  const bool key = kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN;
  const bool modifier = key && (message.wParam == VK_SHIFT || message.wParam == VK_CONTROL ||
                                message.wParam == VK_MENU || message.wParam == VK_LWIN || message.wParam == VK_RWIN);
  // Nor is the click that brought the user back to the window: the first
  // after its activation (which Wine may handle before the click, so that no
  // WM_MOUSEACTIVATE comes).
  const bool click = kind == WM_LBUTTONDOWN || kind == WM_NCLBUTTONDOWN;
  const bool firstAfterActivation = (key || click) && std::exchange(justActivated_, false);
  if ((key && !modifier) || (click && !firstAfterActivation)) hideBalloon();
  relayMouseToTip(message);
  if (takeShortcut(message)) return;
  // Tab moves between gadgets. Only Tab: the dialog manager would turn Escape
  // and Enter into presses of the gadgets numbered like IDCANCEL and IDOK.
  const bool tab = message.message == WM_KEYDOWN && message.wParam == VK_TAB;
  if (tab && window_ && IsDialogMessageW(window_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

Event GadgetWindow::waitEvent() {
  MSG message{};
  while (events_.empty()) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) return {Event::Type::closeWindow};
    dispatch(message);
  }
  Event event = events_.front();
  events_.pop_front();
  return event;
}

std::optional<Event> GadgetWindow::pollEvent() {
  MSG message{};
  while (events_.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dispatch(message);
  if (events_.empty()) return std::nullopt;
  Event event = events_.front();
  events_.pop_front();
  return event;
}

void GadgetWindow::postGadgetEvent(int number, EventKind kind) {
  PostMessageW(window_, kPostedGadgetEvent, static_cast<WPARAM>(number), static_cast<LPARAM>(kind));
}

}  // namespace runtime
