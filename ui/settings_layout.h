// Where each of the settings window's gadgets is, what it says, and which
// entry field it edits: rectangles in logical units of a 96-dpi screen.
#pragma once

#include <iterator>

#include "core/entry_field.h"
#include "runtime/gadget_window.h"
#include "ui/dpi_layer.h"
#include "ui/settings_window.h"

namespace ui {

// The gadgets above the list, in the order they are made (the tab order).
struct BarGadget {
  int gadget;
  enum class Kind : unsigned char { imageButton, label, spin } kind;
  LogicalRect rect;
  const wchar_t* text;  // an image button's tip and accessible name, a label's text, a spin field's tip
  int image = 0;
};
constexpr wchar_t kBrowserStartTip[] = L"Approximate time (ms) your web browser needs to start";
constexpr wchar_t kTabDelayTip[] = L"Delay (ms) between opening a tab";
constexpr BarGadget kBar[] = {
    {addButton, BarGadget::Kind::imageButton, {5, 5, 35, 26}, L"Add", 0},
    {removeButton, BarGadget::Kind::imageButton, {45, 5, 35, 26}, L"Remove", 1},
    {moveUpButton, BarGadget::Kind::imageButton, {85, 5, 35, 26}, L"Move up", 2},
    {moveDownButton, BarGadget::Kind::imageButton, {125, 5, 35, 26}, L"Move down", 3},
    {browserStartLabel, BarGadget::Kind::label, {163, 9, 74, 19}, L"Browser Start:"},
    {browserStartSpin, BarGadget::Kind::spin, {238, 9, 48, 19}, kBrowserStartTip},
    {tabDelayLabel, BarGadget::Kind::label, {291, 9, 54, 19}, L"Tab Delay:"},
    {tabDelaySpin, BarGadget::Kind::spin, {346, 9, 48, 19}, kTabDelayTip},
    {openIniButton, BarGadget::Kind::imageButton, {400, 5, 35, 26}, L"Open Wordhop.ini", 4},
    {donateButton, BarGadget::Kind::imageButton, {440, 5, 35, 26}, L"Make a donation via PayPal", 5},
};
constexpr LogicalRect kListRect{5, 35, 470, 198};

// Per entry field, in the field table's order: its list column's width and
// the detail gadget that edits it (a text field after its label, or a check
// box), with its tip.
struct FieldGadget {
  core::EntryField field;
  int columnWidth;
  int gadget = 0;
  LogicalRect rect{};
  const wchar_t* tip = nullptr;
  int label = 0;
  LogicalRect labelRect{};
};
constexpr wchar_t kContentTip[] = L"The URL covers both PB and API specific content (uncheck for API only)";
constexpr wchar_t kSortTip[] = L"Sort results by Date or Relevance";
constexpr wchar_t kFirstMatchTip[] =
    L"Try to open the first matching website instead of Google's search results\n"
    L"(uses the \"Feeling Lucky\" filter and may not work properly sometimes...)";
constexpr FieldGadget kFieldGadgets[] = {
    {core::EntryField::enabled, 20},
    {core::EntryField::sites, 239, urlField, {30, 238, 249, 19}, nullptr, urlLabel, {0, 238, 29, 19}},
    {core::EntryField::content, 50, contentCheck, {284, 238, 33, 19}, kContentTip},
    {core::EntryField::sortByDate, 72, sortByDateCheck, {322, 238, 78, 19}, kSortTip},
    {core::EntryField::firstMatch, 68, firstMatchCheck, {405, 238, 71, 19}, kFirstMatchTip},
    {core::EntryField::filter, 0, filterField, {30, 262, 445, 19}, nullptr, filterLabel, {0, 262, 29, 19}},
    {core::EntryField::info, 0, infoField, {30, 286, 445, 19}, nullptr, infoLabel, {0, 286, 29, 19}},
};
static_assert(std::size(kFieldGadgets) == core::kEntryFieldCount);

// The field gadgets in the order they are set, enabled and disabled: the
// check boxes first, then the text fields.
template <class Visit>
void forEachFieldGadget(Visit visit) {
  for (const bool flags : {true, false}) {
    for (const FieldGadget& field : kFieldGadgets) {
      const core::EntryFieldTraits& traits = core::traitsOf(field.field);
      if (field.gadget && (traits.flag != nullptr) == flags) visit(field, traits);
    }
  }
}

// The gadgets that work on the selected entry, besides the field gadgets.
constexpr int kEntryButtons[] = {removeButton, moveUpButton, moveDownButton};

inline const FieldGadget* fieldGadgetOf(int gadget) {
  for (const FieldGadget& field : kFieldGadgets)
    if (field.gadget && field.gadget == gadget) return &field;
  return nullptr;
}

// The list's keys for the entry commands.
constexpr runtime::Shortcut kAddKey{VK_INSERT};
constexpr runtime::Shortcut kRemoveKey{VK_DELETE};
constexpr runtime::Shortcut kMoveUpKey{VK_UP, true};
constexpr runtime::Shortcut kMoveDownKey{VK_DOWN, true};

}  // namespace ui
