// Creating gadgets and reading or changing them without raising events.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "runtime/clipboard.h"
#include "runtime/gadget_window.h"
#include "runtime/png_image.h"

namespace runtime {
namespace {

// A bitmap's size in pixels; 0 by 0 when there is none.
SIZE bitmapSize(HBITMAP image) {
  BITMAP bitmap{};
  if (!image || !GetObjectW(image, sizeof bitmap, &bitmap)) return {0, 0};
  return {bitmap.bmWidth, bitmap.bmHeight};
}

// A tooltip control of the window, made hidden.
HWND makeTipControl(HWND owner, DWORD style) {
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

// The balloon's one tool: placed where it is told, not where the mouse is.
TTTOOLINFOW balloonTool(HWND owner, wchar_t* text = nullptr) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner;
  tool.lpszText = text;
  return tool;
}

std::wstring windowText(HWND window) {
  // Asked once for a text that fits the first buffer, as most do; its length
  // first only for a longer one.
  std::wstring text(256, L'\0');
  auto length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  if (length + 1 >= static_cast<int>(text.size())) {
    text.assign(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  }
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

const GadgetWindow::Gadget* GadgetWindow::find(int number) const {
  auto it = gadgets_.find(number);
  return it == gadgets_.end() ? nullptr : &it->second;
}

HWND GadgetWindow::gadget(int number) const {
  const Gadget* found = find(number);
  return found ? found->control : nullptr;
}

int GadgetWindow::gadgetWidth(int number) const {
  const Gadget* found = find(number);
  if (!found) return 0;
  RECT control{}, arrows{};
  GetWindowRect(found->control, &control);
  if (found->buddy) GetWindowRect(found->buddy, &arrows);
  return (control.right - control.left) + (arrows.right - arrows.left);
}

int GadgetWindow::gadgetHeight(int number) const {
  RECT control{};
  GetWindowRect(gadget(number), &control);
  return control.bottom - control.top;
}

std::vector<int> GadgetWindow::gadgetNumbers() const {
  std::vector<int> numbers;
  for (const auto& [number, gadget] : gadgets_) numbers.push_back(number);
  return numbers;
}

GadgetKind GadgetWindow::gadgetKind(int number) const {
  const Gadget* found = find(number);
  return found ? found->kind : GadgetKind::none;
}

HWND GadgetWindow::createControl(int number, GadgetKind kind, const wchar_t* windowClass, std::wstring_view text,
                                 DWORD style, DWORD exStyle, Rect rect) {
  if (!window_) return nullptr;
  const auto quiet = quieted();
  const std::wstring title(text);
  HWND control = CreateWindowExW(
      exStyle, windowClass, title.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, rect.x, rect.y, rect.width,
      rect.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), GetModuleHandleW(nullptr), nullptr);
  if (!control) return nullptr;
  if (font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  gadgets_[number] = Gadget{kind, control};
  return control;
}

HWND GadgetWindow::createImageButton(int number, Rect rect, HBITMAP image) {
  // BS_BITMAP: the button shows its image only, so that its text can be the
  // name a screen reader reads.
  HWND button = createControl(number, GadgetKind::imageButton, WC_BUTTONW, L"", BS_PUSHBUTTON | BS_BITMAP, 0, rect);
  if (!button) return button;
  gadgets_[number].image = image;
  setButtonImage(number, image);
  return button;
}

void GadgetWindow::setButtonImage(int number, HBITMAP image) {
  const SIZE size = bitmapSize(image);
  if (size.cx == 0) return;
  // An image list draws the image with its alpha channel, at its own size.
  HIMAGELIST list = ImageList_Create(size.cx, size.cy, ILC_COLOR32, 1, 0);
  ImageList_Add(list, image, nullptr);
  BUTTON_IMAGELIST images{list, {0, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_CENTER};
  SendMessageW(gadget(number), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
  imageLists_[number].reset(list);  // the button has let go of the old list
}

SIZE GadgetWindow::buttonImageSize(int number) const {
  const Gadget* found = find(number);
  return found ? bitmapSize(found->image) : SIZE{0, 0};
}

void GadgetWindow::setButtonImageSize(int number, int width, int height) {
  const Gadget* found = find(number);
  if (!found || !found->image) return;
  const SIZE own = bitmapSize(found->image);
  if (own.cx == width && own.cy == height) {
    setButtonImage(number, found->image);
  } else if (const UniqueBitmap scaled = scaledBitmap(found->image, width, height)) {
    setButtonImage(number, scaled.get());  // the image list keeps a copy
  }
}

void GadgetWindow::changeFont(HFONT font) {
  font_ = font;
  for (const auto& [number, gadget] : gadgets_)
    SendMessageW(gadget.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HWND GadgetWindow::createTextLabel(int number, Rect rect, std::wstring_view text) {
  HWND label = createControl(number, GadgetKind::textLabel, WC_STATICW, text, SS_RIGHT | SS_CENTERIMAGE, 0, rect);
  if (label) SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) & ~WS_TABSTOP);
  return label;
}

HWND GadgetWindow::createStringField(int number, Rect rect, std::wstring_view text) {
  return createControl(number, GadgetKind::stringField, WC_EDITW, text, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, rect);
}

HWND GadgetWindow::createCheckBox(int number, Rect rect, std::wstring_view text) {
  return createControl(number, GadgetKind::checkBox, WC_BUTTONW, text, BS_AUTOCHECKBOX, 0, rect);
}

HWND GadgetWindow::createSpinField(int number, Rect rect, int minimum, int maximum) {
  HWND edit = createControl(number, GadgetKind::spinField, WC_EDITW, L"", ES_RIGHT | ES_NUMBER | ES_AUTOHSCROLL,
                            WS_EX_CLIENTEDGE, rect);
  if (!edit) return nullptr;
  const auto quiet = quieted();
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(1, 1));  // four digits fit
  HWND upDown = CreateWindowExW(
      0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
      0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
  SendMessageW(upDown, UDM_SETPOS32, 0, minimum);
  gadgets_[number].buddy = upDown;
  return edit;
}

HWND GadgetWindow::createListView(int number, Rect rect, std::wstring_view firstColumnTitle, int firstColumnWidth) {
  HWND list = createControl(number, GadgetKind::listView, WC_LISTVIEWW, L"",
                            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE, rect);
  if (!list) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_GRIDLINES);
  addColumn(number, 0, firstColumnTitle, firstColumnWidth);
  return list;
}

void GadgetWindow::addColumn(int number, int position, std::wstring_view title, int width) {
  std::wstring text(title);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = text.data();
  SendMessageW(gadget(number), LVM_INSERTCOLUMNW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&column));
}

int GadgetWindow::columnCount(int number) const {
  HWND header = reinterpret_cast<HWND>(SendMessageW(gadget(number), LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int GadgetWindow::columnWidth(int number, int column) const {
  return static_cast<int>(SendMessageW(gadget(number), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void GadgetWindow::setColumnWidth(int number, int column, int width) {
  SendMessageW(gadget(number), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void GadgetWindow::resizeGadget(int number, Rect rect) {
  const Gadget* found = find(number);
  if (!found) return;
  RECT now{};
  GetWindowRect(found->control, &now);
  MapWindowPoints(nullptr, GetParent(found->control), reinterpret_cast<POINT*>(&now), 2);
  if (found->buddy) {  // a spin field's edit and arrows are laid out as one
    RECT arrows{};
    GetWindowRect(found->buddy, &arrows);
    now.right += arrows.right - arrows.left;
  }
  auto keep = [](int wanted, LONG current) {
    return wanted == kDefaultCoordinate ? static_cast<int>(current) : wanted;
  };
  const int x = keep(rect.x, now.left), y = keep(rect.y, now.top);
  const int width = keep(rect.width, now.right - now.left), height = keep(rect.height, now.bottom - now.top);
  const auto quiet = quieted();
  MoveWindow(found->control, x, y, width, height, TRUE);
  if (found->buddy) SendMessageW(found->buddy, UDM_SETBUDDY, reinterpret_cast<WPARAM>(found->control), 0);
}

void GadgetWindow::setText(int number, std::wstring_view text) {
  const auto quiet = quieted();
  SetWindowTextW(gadget(number), std::wstring(text).c_str());
}

std::wstring GadgetWindow::text(int number) const { return windowText(gadget(number)); }

void GadgetWindow::setState(int number, int state) {
  const Gadget* found = find(number);
  if (!found) return;
  const auto quiet = quieted();
  switch (found->kind) {
    case GadgetKind::checkBox:
      SendMessageW(found->control, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case GadgetKind::spinField:
      SendMessageW(found->buddy, UDM_SETPOS32, 0, state);
      break;
    case GadgetKind::listView: {
      // A single-selection list lets go of the selected row when another is
      // selected; only "none" is said to the selected row itself. (Unselecting
      // every row would cost a pass over all of them for each selection.)
      LVITEMW item{};
      item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      const int selected = state < 0 ? this->state(number) : -1;
      if (selected >= 0)
        SendMessageW(found->control, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item));
      if (state >= 0) {
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(found->control, LVM_SETITEMSTATE, static_cast<WPARAM>(state), reinterpret_cast<LPARAM>(&item));
        SendMessageW(found->control, LVM_ENSUREVISIBLE, static_cast<WPARAM>(state), FALSE);
      }
      break;
    }
    default:
      break;
  }
}

int GadgetWindow::state(int number) const {
  const Gadget* found = find(number);
  if (!found) return 0;
  switch (found->kind) {
    case GadgetKind::checkBox:
      return SendMessageW(found->control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    case GadgetKind::spinField:
      return static_cast<int>(SendMessageW(found->buddy, UDM_GETPOS32, 0, 0));
    case GadgetKind::listView:
      return static_cast<int>(SendMessageW(found->control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    default:
      return 0;
  }
}

void GadgetWindow::setEnabled(int number, bool enabled) {
  const Gadget* found = find(number);
  if (!found) return;
  EnableWindow(found->control, enabled);
  if (found->buddy) EnableWindow(found->buddy, enabled);
}

bool GadgetWindow::enabled(int number) const { return IsWindowEnabled(gadget(number)); }

void GadgetWindow::setColors(int number, COLORREF text, COLORREF background) {
  auto it = gadgets_.find(number);
  if (it == gadgets_.end()) return;
  it->second.hasColors = true;
  it->second.textColor = text;
  it->second.backColor = background;
  brushes_[number].reset(CreateSolidBrush(background));
  InvalidateRect(it->second.control, nullptr, TRUE);
}

int GadgetWindow::caret(int number) const {
  DWORD end = 0;  // of the selection: where typing goes on
  SendMessageW(gadget(number), EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end);
}

void GadgetWindow::setCaret(int number, int position) {
  SendMessageW(gadget(number), EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position));
}

void GadgetWindow::centreColumn(int number, int column) {
  LVCOLUMNW centred{};
  centred.mask = LVCF_FMT;
  centred.fmt = LVCFMT_CENTER;
  SendMessageW(gadget(number), LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&centred));
}

void GadgetWindow::addItem(int number, std::wstring_view text) {
  HWND list = gadget(number);
  const auto quiet = quieted();
  const int row = itemCount(number);
  std::size_t end = text.find(L'\n');
  std::wstring first(text.substr(0, end));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = first.data();
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  for (int column = 1; end != std::wstring_view::npos; ++column) {
    const std::size_t start = end + 1;
    end = text.find(L'\n', start);
    setItemText(number, row, column, text.substr(start, end == std::wstring_view::npos ? end : end - start));
  }
}

void GadgetWindow::removeItem(int number, int row) {
  const auto quiet = quieted();
  SendMessageW(gadget(number), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void GadgetWindow::clearItems(int number) {
  const auto quiet = quieted();
  SendMessageW(gadget(number), LVM_DELETEALLITEMS, 0, 0);
}

int GadgetWindow::itemCount(int number) const {
  return static_cast<int>(SendMessageW(gadget(number), LVM_GETITEMCOUNT, 0, 0));
}

void GadgetWindow::setItemText(int number, int row, int column, std::wstring_view text) {
  const auto quiet = quieted();
  std::wstring copy(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageW(gadget(number), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::wstring GadgetWindow::itemText(int number, int row, int column) const {
  // The list view reports only what fits: grow the buffer until the text does.
  for (std::size_t capacity = 256;; capacity *= 4) {
    std::wstring text(capacity, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(capacity);
    const auto length = static_cast<std::size_t>(
        SendMessageW(gadget(number), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < capacity || capacity > (1u << 24)) {
      text.resize(length);
      return text;
    }
  }
}

void GadgetWindow::setItemChecked(int number, int row, bool checked) {
  const auto quiet = quieted();
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageW(gadget(number), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void GadgetWindow::selectItem(int number, int row) {
  const auto quiet = quieted();
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SendMessageW(gadget(number), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool GadgetWindow::itemChecked(int number, int row) const {
  const auto state = SendMessageW(gadget(number), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return listCheckImage(state) == 2;
}

void GadgetWindow::setRowTips(int number, std::function<std::wstring(int row)> provider) {
  HWND list = gadget(number);
  if (!list || rowTips_.contains(number)) return;
  addTool(list, LPSTR_TEXTCALLBACKW);
  rowTips_.try_emplace(number, RowTips{std::move(provider), -1, {}});
}

void GadgetWindow::subclassControl(HWND control, SUBCLASSPROC procedure, void* state) const {
  if (subclassing_.complete())
    subclassing_.setWindowSubclass(control, procedure, 0, reinterpret_cast<DWORD_PTR>(state));
}

LRESULT GadgetWindow::forward(HWND control, UINT message, WPARAM wParam, LPARAM lParam, SUBCLASSPROC procedure) const {
  if (message == WM_NCDESTROY) subclassing_.removeWindowSubclass(control, procedure, 0);
  return subclassing_.defSubclassProc(control, message, wParam, lParam);
}

void GadgetWindow::relayMouseToTip(const MSG& message) {
  if (!toolTip_ || message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
  if (!IsChild(window_, message.hwnd)) return;
  const auto tips = rowTips_.find(GetDlgCtrlID(message.hwnd));
  if (message.message == WM_MOUSEMOVE && tips != rowTips_.end() && gadget(tips->first) == message.hwnd) {
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    const int row = static_cast<int>(SendMessageW(message.hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // Another row: the tip goes, and comes back with that row's text.
    if (row != tips->second.row) SendMessageW(toolTip_, TTM_POP, 0, 0);
    tips->second.row = row;
  }
  MSG mouse = message;
  SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&mouse));
}

const wchar_t* GadgetWindow::rowTipText(HWND list) {
  auto it = rowTips_.find(GetDlgCtrlID(list));
  if (it == rowTips_.end() || gadget(it->first) != list) return nullptr;
  RowTips& tips = it->second;
  tips.text = tips.row >= 0 ? tips.provider(tips.row) : std::wstring();
  return tips.text.c_str();
}

void GadgetWindow::showBalloon(int number, std::wstring_view title, std::wstring_view text) {
  if (!gadget(number)) return;
  if (!balloon_) {
    balloon_ = makeTipControl(window_, TTS_BALLOON);
    SendMessageW(balloon_, TTM_SETMAXTIPWIDTH, 0, 360);
  }
  trackBalloon(false);
  balloonShown_ = Balloon{number, std::wstring(title), std::wstring(text)};
  trackBalloon(true);
}

void GadgetWindow::hideBalloon() {
  trackBalloon(false);
  balloonShown_.reset();
}

void GadgetWindow::trackBalloon(bool on) {
  if (!balloon_) return;
  TTTOOLINFOW tool = balloonTool(window_);
  SendMessageW(balloon_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(balloon_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  HWND control = balloonShown_ ? gadget(balloonShown_->gadget) : nullptr;
  if (!on || !control) return;
  tool.lpszText = balloonShown_->text.data();
  SendMessageW(balloon_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(balloon_, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(balloonShown_->title.c_str()));
  RECT rect{};
  GetWindowRect(control, &rect);
  SendMessageW(balloon_, TTM_TRACKPOSITION, 0, MAKELPARAM((rect.left + rect.right) / 2, rect.bottom - 2));
  SendMessageW(balloon_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void GadgetWindow::setInputRule(int number, InputRule rule) {
  HWND field = gadget(number);
  if (!field || gadgetKind(number) != GadgetKind::stringField || inputRules_.contains(number)) return;
  InputRules& rules = inputRules_.try_emplace(number, InputRules{this, number, std::move(rule)}).first->second;
  subclassControl(field, &GadgetWindow::inputRuleProc, &rules);
}

LRESULT CALLBACK GadgetWindow::inputRuleProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR state) {
  const InputRules& rules = *reinterpret_cast<const InputRules*>(state);
  GadgetWindow* self = rules.window;
  const int number = rules.number;
  std::optional<std::wstring> input;
  if (message == WM_CHAR && wParam >= L' ') input = std::wstring(1, static_cast<wchar_t>(wParam));
  if (message == WM_PASTE) input = clipboardText();
  if (input) {
    const std::optional<std::wstring> accepted = rules.rule.accept(*input);
    if (!accepted) {
      self->showBalloon(number, rules.rule.refusalTitle, rules.rule.refusalText);
      return 0;
    }
    // A paste goes in as the rule gives it (a one-line field would keep only
    // its first line); typing goes on as the field handles it.
    if (message == WM_PASTE) {
      SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(accepted->c_str()));
      return 0;
    }
  }
  return self->forward(field, message, wParam, lParam, &GadgetWindow::inputRuleProc);
}

void GadgetWindow::setToolTip(int number, std::wstring_view text) {
  std::wstring copy(text);
  if (HWND control = gadget(number)) addTool(control, copy.data());
}

void GadgetWindow::addTool(HWND control, wchar_t* text) {
  if (!toolTip_) toolTip_ = makeTipControl(window_, TTS_ALWAYSTIP);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  // No TTF_SUBCLASS: the tip's subclass would look its state up as a window
  // property for every message the control gets (a server call under Wine; a
  // list filled with thousands of rows pays it for each), so the message loop
  // hands the tip the mouse messages instead.
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace runtime
