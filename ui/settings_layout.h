// Where each of the settings window's gadgets is, what it says, and which
// entry field it edits: rectangles in logical units of a 96-dpi screen.
#pragma once

#include <iterator>

#include "core/entry_field.h"
#include "resources/text_ids.h"
#include "runtime/gadget_window.h"
#include "ui/dpi_layer.h"
#include "ui/settings_window.h"

namespace ui {

// The gadgets above the list, in the order they are made (the tab order).
struct BarGadget {
  int gadget;
  enum class Kind : unsigned char { imageButton, label, spin } kind;
  LogicalRect rect;
  int text;  // an image button's tip and accessible name, a label's text, a spin field's tip
  int image = 0;
};
constexpr BarGadget kBar[] = {
    {addButton, BarGadget::Kind::imageButton, {5, 5, 35, 26}, TEXT_ADD, 0},
    {removeButton, BarGadget::Kind::imageButton, {45, 5, 35, 26}, TEXT_REMOVE, 1},
    {moveUpButton, BarGadget::Kind::imageButton, {85, 5, 35, 26}, TEXT_MOVE_UP, 2},
    {moveDownButton, BarGadget::Kind::imageButton, {125, 5, 35, 26}, TEXT_MOVE_DOWN, 3},
    {browserStartLabel, BarGadget::Kind::label, {163, 9, 74, 19}, TEXT_BROWSER_START},
    {browserStartSpin, BarGadget::Kind::spin, {238, 9, 48, 19}, TEXT_BROWSER_START_TIP},
    {tabDelayLabel, BarGadget::Kind::label, {291, 9, 54, 19}, TEXT_TAB_DELAY},
    {tabDelaySpin, BarGadget::Kind::spin, {346, 9, 48, 19}, TEXT_TAB_DELAY_TIP},
    {openIniButton, BarGadget::Kind::imageButton, {400, 5, 35, 26}, TEXT_OPEN_INI, 4},
    {donateButton, BarGadget::Kind::imageButton, {440, 5, 35, 26}, TEXT_DONATE, 5},
};
constexpr LogicalRect kListRect{5, 35, 470, 198};

// Per entry field, in the field table's order: its list column (width,
// title, a flag's words set and not) and the detail gadget that edits it (a
// text field after its label, or a check box), with its text and tip. A
// notice names an edit of a flag by its check box, of a text by its column.
struct FieldGadget {
  core::EntryField field;
  int columnWidth;
  int columnTitle = 0;
  int words[2] = {};
  int gadget = 0;
  LogicalRect rect{};
  int text = 0;  // the check box's, or the label's
  int tip = 0;
  int label = 0;
  LogicalRect labelRect{};
  int name() const { return words[0] ? text : columnTitle; }
};
// field, column width, column title, a flag's words, gadget, rect, text, tip, label, label rect
// clang-format off
constexpr FieldGadget kFieldGadgets[] = {
    {core::EntryField::enabled, 20},
    {core::EntryField::sites, 239, TEXT_URL_COLUMN, {}, urlField, {30, 238, 249, 19}, TEXT_URL_LABEL, 0,
     urlLabel, {0, 238, 29, 19}},
    {core::EntryField::content, 50, TEXT_CONTENT_COLUMN, {TEXT_PB, TEXT_API}, contentCheck, {284, 238, 33, 19},
     TEXT_CONTENT_CHECK, TEXT_CONTENT_TIP},
    {core::EntryField::sortByDate, 72, TEXT_SORT_COLUMN, {TEXT_DATE, TEXT_RELEVANCE}, sortByDateCheck,
     {322, 238, 78, 19}, TEXT_SORT_CHECK, TEXT_SORT_TIP},
    {core::EntryField::firstMatch, 68, TEXT_FIRST_MATCH_COLUMN, {TEXT_YES, TEXT_NO}, firstMatchCheck,
     {405, 238, 71, 19}, TEXT_FIRST_MATCH_CHECK, TEXT_FIRST_MATCH_TIP},
    {core::EntryField::filter, 0, TEXT_FILTER_COLUMN, {}, filterField, {30, 262, 445, 19}, TEXT_FILTER_LABEL, 0,
     filterLabel, {0, 262, 29, 19}},
    {core::EntryField::info, 0, TEXT_INFO_COLUMN, {}, infoField, {30, 286, 445, 19}, TEXT_INFO_LABEL, 0,
     infoLabel, {0, 286, 29, 19}},
};
// clang-format on
static_assert(
    [] {
      for (std::size_t at = 0; at < std::size(kFieldGadgets); ++at)
        if (static_cast<std::size_t>(kFieldGadgets[at].field) != at) return false;
      return std::size(kFieldGadgets) == core::kEntryFieldCount;
    }(),
    "one row per entry field, in the field table's order");

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

inline const FieldGadget& fieldGadgetFor(core::EntryField field) {
  return kFieldGadgets[static_cast<std::size_t>(field)];
}

inline const FieldGadget* fieldGadgetOf(int gadget) {
  for (const FieldGadget& field : kFieldGadgets)
    if (field.gadget && field.gadget == gadget) return &field;
  return nullptr;
}

// The list's keys for the entry commands: each does what its button does.
struct ListKey {
  runtime::Shortcut key;
  int button;
};
constexpr ListKey kListKeys[] = {{{VK_INSERT}, addButton},
                                 {{VK_DELETE}, removeButton},
                                 {{VK_UP, true}, moveUpButton},
                                 {{VK_DOWN, true}, moveDownButton}};

}  // namespace ui
