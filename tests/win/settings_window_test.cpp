// The settings window built in this process at 96, 120 and 144 dpi.
#include <gtest/gtest.h>

#include "ui/settings_window.h"
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <vector>

#include "core/configuration.h"
#include "runtime/library.h"
#include "runtime/utf8.h"
#include "tests/support/scratch_folder.h"
#include "ui/dpi_setup.h"

namespace {

using namespace ui;

// Each gadget's place and size in logical units, and in pixels at 120 and 144 dpi.
struct Layout {
  int gadget;
  std::array<RECT, 3> at;  // left, top, width, height at 96, 120 and 144 dpi
};
constexpr Layout kLayout[] = {
    {entryList, {{{5, 35, 470, 198}, {6, 43, 587, 247}, {7, 52, 705, 297}}}},
    {addButton, {{{5, 5, 35, 26}, {6, 6, 43, 32}, {7, 7, 52, 39}}}},
    {removeButton, {{{45, 5, 35, 26}, {56, 6, 43, 32}, {67, 7, 52, 39}}}},
    {moveUpButton, {{{85, 5, 35, 26}, {106, 6, 43, 32}, {127, 7, 52, 39}}}},
    {moveDownButton, {{{125, 5, 35, 26}, {156, 6, 43, 32}, {187, 7, 52, 39}}}},
    {browserStartLabel, {{{163, 9, 74, 19}, {203, 11, 92, 23}, {244, 13, 111, 28}}}},
    {browserStartSpin, {{{238, 9, 48, 19}, {297, 11, 60, 23}, {357, 13, 72, 28}}}},
    {tabDelayLabel, {{{291, 9, 54, 19}, {363, 11, 67, 23}, {436, 13, 81, 28}}}},
    {tabDelaySpin, {{{346, 9, 48, 19}, {432, 11, 60, 23}, {519, 13, 72, 28}}}},
    {openIniButton, {{{400, 5, 35, 26}, {500, 6, 43, 32}, {600, 7, 52, 39}}}},
    {donateButton, {{{440, 5, 35, 26}, {550, 6, 43, 32}, {660, 7, 52, 39}}}},
    {urlLabel, {{{0, 238, 29, 19}, {0, 297, 36, 23}, {0, 357, 43, 28}}}},
    {urlField, {{{30, 238, 249, 19}, {37, 297, 311, 23}, {45, 357, 373, 28}}}},
    {contentCheck, {{{284, 238, 33, 19}, {355, 297, 41, 23}, {426, 357, 49, 28}}}},
    {sortByDateCheck, {{{322, 238, 78, 19}, {402, 297, 97, 23}, {483, 357, 117, 28}}}},
    {firstMatchCheck, {{{405, 238, 71, 19}, {506, 297, 88, 23}, {607, 357, 106, 28}}}},
    {filterLabel, {{{0, 262, 29, 19}, {0, 327, 36, 23}, {0, 393, 43, 28}}}},
    {filterField, {{{30, 262, 445, 19}, {37, 327, 556, 23}, {45, 393, 667, 28}}}},
    {infoLabel, {{{0, 286, 29, 19}, {0, 357, 36, 23}, {0, 429, 43, 28}}}},
    {infoField, {{{30, 286, 445, 19}, {37, 357, 556, 23}, {45, 429, 667, 28}}}},
};
// The client area and the list's column widths at 96, 120 and 144 dpi.
constexpr SIZE kClient[] = {{480, 310}, {600, 387}, {720, 465}};
constexpr int kColumnWidths[3][7] = {
    {20, 239, 50, 72, 68, 0, 0}, {25, 298, 62, 90, 85, 0, 0}, {30, 358, 75, 108, 102, 0, 0}};
constexpr int kDetailGadgets[] = {removeButton,    moveUpButton,    moveDownButton, urlField, contentCheck,
                                  sortByDateCheck, firstMatchCheck, filterField,    infoField};

RECT clientRectOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class SettingsWindowTest : public ::testing::Test {
 protected:
  std::wstring config() const { return folder.file("Wordhop.ini").wstring(); }

  // Builds the window at a fixed scale and handles the queued first event.
  std::unique_ptr<SettingsWindow> build(int percent) {
    state.dpi.osVersionCode = 110;
    setupDpiScaling(state.dpi.dpiScaling, percent, state.dpi.osVersionCode, false);
    auto window = std::make_unique<SettingsWindow>(state, config());
    EXPECT_TRUE(window->build());
    EXPECT_TRUE(window->handleEvent(window->window().waitEvent()));
    return window;
  }

  // The window follows WM_DPICHANGED: the subclass functions are there.
  void enableDpiChanges() { state.dpi.subclassFunctions = runtime::subclassFunctionsOf(comctl32.get()); }
  static void changeDpi(runtime::GadgetWindow& window, int dpi) {
    RECT suggested{10, 20, 10 + 740, 20 + 500};
    SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }

  testing_support::ScratchFolder folder;
  ui::SettingsState state;
  runtime::Library comctl32{L"comctl32.dll"};
};

TEST_F(SettingsWindowTest, EveryGadgetSitsWhereTheRoundingRulesPutIt) {
  core::writeDefaultConfiguration(config());
  for (std::size_t scale = 0; const int percent : {100, 125, 150}) {
    auto settings = build(percent);
    runtime::GadgetWindow& window = settings->window();
    RECT client{};
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, kClient[scale].cx) << percent;
    EXPECT_EQ(client.bottom, kClient[scale].cy) << percent;
    for (const Layout& expected : kLayout) {
      const RECT actual = clientRectOf(window.gadget(expected.gadget));
      const RECT& want = expected.at[scale];
      EXPECT_EQ(actual.left, want.left) << percent << "% gadget " << expected.gadget;
      EXPECT_EQ(actual.top, want.top) << percent << "% gadget " << expected.gadget;
      EXPECT_EQ(window.gadgetWidth(expected.gadget), want.right) << percent << "% gadget " << expected.gadget;
      EXPECT_EQ(window.gadgetHeight(expected.gadget), want.bottom) << percent << "% gadget " << expected.gadget;
    }
    // The images keep their own size at every scale.
    for (auto [gadget, size] : {std::pair{addButton, 16}, {openIniButton, 16}, {donateButton, 31}}) {
      BUTTON_IMAGELIST images{};
      SendMessageW(window.gadget(gadget), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
      int width = 0, height = 0;
      ASSERT_TRUE(ImageList_GetIconSize(images.himl, &width, &height));
      EXPECT_EQ(width, size);
      EXPECT_EQ(height, size);
    }
    HWND list = window.gadget(entryList);
    for (int column = 0; column < 7; ++column)
      EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0), kColumnWidths[scale][column]) << column;
    ++scale;
  }
}

TEST_F(SettingsWindowTest, DefaultEntriesFillTheRowsWithTheirTicksAndTheFirstIsShown) {
  core::writeDefaultConfiguration(config());
  auto settings = build(100);
  runtime::GadgetWindow& window = settings->window();
  ASSERT_EQ(window.itemCount(entryList), 7);
  const bool ticked[] = {true, false, false, false, false, true, true};
  const wchar_t* columns[][3] = {{L"PB", L"Relevance", L"No"},  {L"PB", L"Date", L"No"},
                                 {L"PB", L"Date", L"No"},       {L"PB", L"Date", L"No"},
                                 {L"API", L"Relevance", L"No"}, {L"API", L"Relevance", L"No"},
                                 {L"API", L"Relevance", L"No"}};
  for (int row = 0; row < 7; ++row) {
    EXPECT_EQ(window.itemChecked(entryList, row), ticked[row]) << row;
    for (int column = 0; column < 3; ++column)
      EXPECT_EQ(window.itemText(entryList, row, column + 2), columns[row][column]);
    EXPECT_EQ(window.itemText(entryList, row, 1), settings->entries()[static_cast<std::size_t>(row)].sites);
    EXPECT_EQ(window.itemText(entryList, row, 6), settings->entries()[static_cast<std::size_t>(row)].info);
  }
  EXPECT_EQ(window.itemText(entryList, 6, 5), L"+function|message|notification|structure");
  EXPECT_EQ(window.state(entryList), 0);
  EXPECT_EQ(window.text(urlField), L"www.purebasic.fr/english | www.purebasic.fr/french");
  EXPECT_EQ(window.text(infoField), L"Search both websites for PB and API content");
  EXPECT_EQ(window.state(contentCheck), 1);
  EXPECT_EQ(window.state(browserStartSpin), 2500);
  EXPECT_EQ(window.state(tabDelaySpin), 500);
  for (int gadget : kDetailGadgets) EXPECT_TRUE(window.enabled(gadget)) << gadget;
}

TEST_F(SettingsWindowTest, OddRecordsShowAsTheirNumbersRead) {
  testing_support::writeBytes(folder.file("Wordhop.ini"),
                              "\xEF\xBB\xBF[Entries]\r\n1 = -1\xC3\x97s\xC3\x97"
                              "5\xC3\x97"
                              "abc\xC3\x97"
                              "2\r\n"
                              "2 = 0\r\n[Browser]\r\nBrowserStart = 12000\r\nTabDelay = x\r\n");
  auto settings = build(100);
  runtime::GadgetWindow& window = settings->window();
  ASSERT_EQ(window.itemCount(entryList), 2);
  EXPECT_FALSE(window.itemChecked(entryList, 0));  // "-1": the search run leaves it out
  EXPECT_EQ(window.itemText(entryList, 0, 2), L"PB");
  EXPECT_EQ(window.itemText(entryList, 0, 3), L"Relevance");
  EXPECT_EQ(window.itemText(entryList, 0, 4), L"Yes");
  EXPECT_FALSE(window.itemChecked(entryList, 1));
  EXPECT_EQ(window.itemText(entryList, 1, 1), L"0");  // text without a separator is the entry's sites
  EXPECT_EQ(window.text(browserStartSpin), L"9999");  // as much as the field takes
  EXPECT_EQ(window.text(tabDelaySpin), L"0");
}

TEST_F(SettingsWindowTest, AnEmptyListLeavesTheDetailGadgetsDisabledAndEmpty) {
  testing_support::writeBytes(folder.file("Wordhop.ini"), "[Entries]\r\n");
  auto settings = build(100);
  runtime::GadgetWindow& window = settings->window();
  EXPECT_EQ(window.state(entryList), -1);
  for (int gadget : kDetailGadgets) EXPECT_FALSE(window.enabled(gadget)) << gadget;
  for (int always : {entryList, addButton, browserStartSpin, tabDelaySpin, openIniButton, donateButton})
    EXPECT_TRUE(window.enabled(always)) << always;
  EXPECT_EQ(window.text(urlField), L"");
  EXPECT_EQ(window.state(contentCheck), 0);
}

TEST_F(SettingsWindowTest, WindowTitleStyleOwnerAndTabOrder) {
  HWND ide = CreateWindowExW(0, L"STATIC", L"IDE", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  state.ideMainWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(ide));
  auto settings = build(100);
  HWND window = settings->window().handle();
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"Wordhop v0.6.2");
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetWindow(window, GW_OWNER), ide);

  std::vector<int> order;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (order.empty() || order.back() != id) order.push_back(id);  // a spin field's arrows follow its edit
  }
  EXPECT_EQ(order, (std::vector<int>{addButton,        removeButton,  moveUpButton, moveDownButton, browserStartLabel,
                                     browserStartSpin, tabDelayLabel, tabDelaySpin, openIniButton,  donateButton,
                                     entryList,        urlLabel,      urlField,     contentCheck,   sortByDateCheck,
                                     firstMatchCheck,  filterLabel,   filterField,  infoLabel,      infoField}));

  // An IDE that has closed meanwhile leaves a window without owner, not none.
  DestroyWindow(ide);
  auto unowned = build(100);
  ASSERT_TRUE(unowned->window().handle());
  EXPECT_EQ(GetWindow(unowned->window().handle(), GW_OWNER), nullptr);
}

TEST_F(SettingsWindowTest, ToolTipsTextsAndSettings) {
  auto settings = build(100);
  runtime::GadgetWindow& window = settings->window();
  HWND tips = window.toolTipControl();
  ASSERT_NE(tips, nullptr);
  const std::pair<int, const wchar_t*> expected[] = {
      {addButton, L"Add"},
      {removeButton, L"Remove"},
      {moveUpButton, L"Move up"},
      {moveDownButton, L"Move down"},
      {browserStartSpin, L"Approximate time (ms) your web browser needs to start"},
      {tabDelaySpin, L"Delay (ms) between opening a tab"},
      {openIniButton, L"Open Wordhop.ini"},
      {donateButton, L"Make a donation via PayPal"},
      {contentCheck, L"The URL covers both PB and API specific content (uncheck for API only)"},
      {sortByDateCheck, L"Sort results by Date or Relevance"},
      {firstMatchCheck,
       L"Try to open the first matching website instead of Google's search results\n"
       L"(uses the \"Feeling Lucky\" filter and may not work properly sometimes...)"},
  };
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 11);
  for (auto [gadget, text] : expected) {
    wchar_t buffer[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window.handle();
    tool.uId = reinterpret_cast<UINT_PTR>(window.gadget(gadget));
    tool.lpszText = buffer;
    SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(buffer, text) << gadget;
  }
  EXPECT_EQ(SendMessageW(tips, TTM_GETMAXTIPWIDTH, 0, 0), 410);
  EXPECT_EQ(SendMessageW(tips, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000);
  EXPECT_EQ(SendMessageW(tips, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 850);
}

TEST_F(SettingsWindowTest, InfoFieldIsColouredUnlikeTheEditableFields) {
  auto settings = build(100);
  runtime::GadgetWindow& window = settings->window();
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(window.handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(window.gadget(infoField)));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  DeleteDC(dc);
}

// What a DPI change must carry along besides the gadgets' places and sizes.
struct Followed {
  LONG fontHeight;
  int urlColumn, contentColumn, filterColumn;
  SIZE addImage, donateImage;
};

Followed followedOf(runtime::GadgetWindow& window) {
  auto imageSize = [&](int button) {
    BUTTON_IMAGELIST images{};
    SendMessageW(window.gadget(button), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    int width = 0, height = 0;
    ImageList_GetIconSize(images.himl, &width, &height);
    return SIZE{width, height};
  };
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window.gadget(urlField), WM_GETFONT, 0, 0)), sizeof font, &font);
  return {font.lfHeight,
          window.columnWidth(entryList, 1),
          window.columnWidth(entryList, 2),
          window.columnWidth(entryList, 5),
          imageSize(addButton),
          imageSize(donateButton)};
}

void expectFollowed(const Followed& actual, const Followed& expected) {
  EXPECT_EQ(actual.fontHeight, expected.fontHeight);
  EXPECT_EQ(actual.urlColumn, expected.urlColumn);
  EXPECT_EQ(actual.contentColumn, expected.contentColumn);
  EXPECT_EQ(actual.filterColumn, expected.filterColumn);
  EXPECT_EQ(actual.addImage.cx, expected.addImage.cx);
  EXPECT_EQ(actual.addImage.cy, expected.addImage.cy);
  EXPECT_EQ(actual.donateImage.cx, expected.donateImage.cx);
}

TEST_F(SettingsWindowTest, ADpiChangeRescalesEveryGadgetOnceThereAndBack) {
  enableDpiChanges();
  auto settings = build(100);
  runtime::GadgetWindow& window = settings->window();
  EXPECT_EQ(settings->dpiLayer().windowDpi(kSettingsWindow), 96);
  const Followed at96 = followedOf(window);
  EXPECT_EQ(at96.urlColumn, 239);
  EXPECT_EQ(at96.addImage.cx, 16);

  changeDpi(window, 144);  // the system suggests 740 pixels wide at 10, 20
  EXPECT_EQ(settings->dpiLayer().windowDpi(kSettingsWindow), 144);
  EXPECT_EQ(window.gadgetWidth(entryList), 705);
  EXPECT_EQ(window.gadgetWidth(browserStartSpin), 72);  // 48 x 1.5 once, although it is two windows
  RECT frame{};
  GetWindowRect(window.handle(), &frame);
  EXPECT_EQ(frame.left, 10);
  EXPECT_EQ(frame.right - frame.left, 740);
  // The font, the columns (by the gadgets' rules) and the images grow with the screen.
  expectFollowed(followedOf(window), {MulDiv(at96.fontHeight, 144, 96), 358, 75, 0, {24, 24}, {47, 47}});

  changeDpi(window, 96);
  EXPECT_EQ(settings->dpiLayer().windowDpi(kSettingsWindow), 96);
  expectFollowed(followedOf(window), at96);
  for (const Layout& expected : kLayout) {
    EXPECT_EQ(window.gadgetWidth(expected.gadget), expected.at[0].right) << expected.gadget;
    EXPECT_EQ(clientRectOf(window.gadget(expected.gadget)).left, expected.at[0].left) << expected.gadget;
  }
}

// A window made for the system's DPI that opens on a monitor of another is
// laid out for the monitor at once: here made for 144 on a 96-dpi screen.
TEST_F(SettingsWindowTest, AWindowMadeForAnotherDpiIsLaidOutForItsMonitor) {
  enableDpiChanges();
  auto settings = build(150);
  runtime::GadgetWindow& window = settings->window();
  if (GetDpiForWindow(window.handle()) != 96) GTEST_SKIP() << "the screen is not at 96 dpi";
  EXPECT_EQ(settings->dpiLayer().windowDpi(kSettingsWindow), 96);
  RECT client{};
  GetClientRect(window.handle(), &client);
  EXPECT_EQ(client.right, 480);  // 320 logical units at 1.5
  EXPECT_EQ(client.bottom, 310);
  EXPECT_EQ(window.gadgetWidth(entryList), 469);  // 470 / 1.5 = 313 units
  EXPECT_EQ(followedOf(window).fontHeight, MulDiv(state.dpi.dpiScaling.fontHeight, 96, 144));
}

// Each change lays the gadgets out anew from the geometry they were made
// with, so no path drifts: it ends where one change to its last DPI ends.
TEST_F(SettingsWindowTest, EveryDpiPathEndsWhereOneChangeToItsLastDpiEnds) {
  enableDpiChanges();
  core::writeDefaultConfiguration(config());
  // Every gadget's place and size and the list's column widths, in pixels,
  // after the window, made at 96 dpi, was moved across screens of these DPIs.
  auto geometryAfter = [this](const std::vector<int>& dpis) {
    auto settings = build(100);
    runtime::GadgetWindow& window = settings->window();
    for (int dpi : dpis) changeDpi(window, dpi);
    std::vector<int> geometry;
    for (const Layout& gadget : kLayout) {
      const RECT rect = clientRectOf(window.gadget(gadget.gadget));
      geometry.insert(geometry.end(),
                      {rect.left, rect.top, window.gadgetWidth(gadget.gadget), window.gadgetHeight(gadget.gadget)});
    }
    for (int column = 0; column < window.columnCount(entryList); ++column)
      geometry.push_back(window.columnWidth(entryList, column));
    return geometry;
  };
  const std::vector<int> paths[] = {{144, 120, 96}, {120, 144}, {144, 96, 120}, {120, 96, 144, 120}, {144, 144}};
  for (const std::vector<int>& path : paths)
    EXPECT_EQ(geometryAfter(path), geometryAfter({path.back()})) << "path ending at " << path.back() << " dpi";
}

// A text's width in pixels in the font of the control that shows it.
int textWidth(HWND control, const std::wstring& text) {
  HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

// The width a check box needs for its box and its whole text.
int checkBoxWidth(HWND check) {
  SIZE ideal{};
  SendMessageW(check, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
  return static_cast<int>(ideal.cx);
}

// What each label, check box and column title needs to show its whole text,
// and the room it has (a column title is drawn between margins of three
// edges each).
struct Fit {
  std::wstring text;
  int needs, room;
};
std::vector<Fit> fitsOf(runtime::GadgetWindow& window) {
  std::vector<Fit> fits;
  for (const int label : {browserStartLabel, tabDelayLabel, urlLabel, filterLabel, infoLabel})
    fits.push_back(
        {window.text(label), textWidth(window.gadget(label), window.text(label)), window.gadgetWidth(label)});
  for (const int check : {contentCheck, sortByDateCheck, firstMatchCheck})
    fits.push_back({window.text(check), checkBoxWidth(window.gadget(check)), window.gadgetWidth(check)});
  HWND header = reinterpret_cast<HWND>(SendMessageW(window.gadget(entryList), LVM_GETHEADER, 0, 0));
  for (int column = 1; column <= 4; ++column) {
    wchar_t title[64] = {};
    HDITEMW item{.mask = HDI_TEXT | HDI_WIDTH, .pszText = title, .cchTextMax = 64};
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    fits.push_back({title, textWidth(header, title) + 6 * GetSystemMetrics(SM_CXEDGE), item.cxy});
  }
  return fits;
}

// In German and French every label, check box and column title shows its
// whole text at every scale, or needs no more room than the English text
// given for that place.
TEST_F(SettingsWindowTest, EveryTranslatedTextFitsItsGadget) {
  core::writeDefaultConfiguration(config());
  for (const int percent : {100, 125, 150}) {
    state.language = core::Language::english;
    const std::vector<Fit> english = fitsOf(build(percent)->window());
    for (const auto language : {core::Language::german, core::Language::french}) {
      state.language = language;
      const std::vector<Fit> translated = fitsOf(build(percent)->window());
      ASSERT_EQ(translated.size(), english.size());
      for (std::size_t i = 0; i < english.size(); ++i)
        EXPECT_LE(translated[i].needs, std::max(translated[i].room, english[i].needs))
            << runtime::toUtf8(translated[i].text) << " at " << percent << "%";
    }
  }
}

}  // namespace
