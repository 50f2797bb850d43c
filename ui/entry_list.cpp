#include "ui/entry_list.h"

#include <iterator>
#include <utility>

#include "ui/settings_layout.h"

namespace ui {
namespace {

// The images of a row's check box in its item state.
constexpr UINT kNoCheckBox = 0;
constexpr UINT kCleared = 1;
constexpr UINT kTicked = 2;

// What an entry's field shows in its list column.
std::wstring columnText(const core::SearchEntry& entry, const FieldGadget& field, const Texts& texts) {
  const core::EntryFieldTraits& traits = core::traitsOf(field.field);
  if (traits.text) return entry.*traits.text;
  return field.words[0] ? texts(field.words[entry.*traits.flag ? 0 : 1]) : L"";  // enabled: the check box
}

}  // namespace

std::wstring rowText(const core::SearchEntry& entry, const Texts& texts) {
  std::wstring text;
  for (const FieldGadget& field : kFieldGadgets) {
    if (core::traitsOf(field.field).column == 0) continue;  // the check box
    text += L'\n';
    text += columnText(entry, field, texts);
  }
  return text;
}

void EntryList::fill(const std::vector<core::SearchEntry>& entries, Fill why) {
  filling_ = why;
  const runtime::ScopeExit filled([this] { filling_.reset(); });
  // Drawn once, when full: a list redrawn for each row takes seconds for thousands.
  const runtime::RedrawSuspended suspended(window_, gadget_);
  window_.clearItems(gadget_);
  for (const core::SearchEntry& entry : entries) {
    window_.addItem(gadget_, rowText(entry, texts_));
    if (entry.enabled) window_.setItemChecked(gadget_, window_.itemCount(gadget_) - 1, true);
  }
}

void EntryList::addEmptyRow() {
  const int row = window_.itemCount(gadget_);
  window_.addItem(gadget_, L"");
  // An empty entry's texts are empty: only its flags' columns show words, the last first.
  for (auto field = std::rbegin(kFieldGadgets); field != std::rend(kFieldGadgets); ++field)
    if (field->words[0])
      window_.setItemText(gadget_, row, core::traitsOf(field->field).column, columnText({}, *field, texts_));
  select(row);
}

void EntryList::showField(int row, const core::SearchEntry& entry, core::EntryField field) {
  const int column = core::traitsOf(field).column;
  if (column > 0) window_.setItemText(gadget_, row, column, columnText(entry, fieldGadgetFor(field), texts_));
}

std::optional<core::SetFlag> EntryList::tickOf(const NMHDR& notification, std::size_t entries) {
  // Rows the window fills anew from the file show what the file holds.
  if (filling_ == Fill::fromFile || notification.code != LVN_ITEMCHANGED ||
      static_cast<int>(notification.idFrom) != gadget_)
    return std::nullopt;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(notification);
  const UINT oldImage = runtime::listCheckImage(change.uOldState);
  const UINT newImage = runtime::listCheckImage(change.uNewState);
  // A check box that existed before and changed; not a selection, not a new row.
  if (oldImage == kNoCheckBox || newImage == kNoCheckBox || oldImage == newImage) return std::nullopt;
  const int row = change.iItem;
  // In a list filled anew the focus, and the view with it, stays where it is:
  // the list's own keeping of both would cost a scroll for each ticked row.
  if (filling_ == Fill::afterMove)
    window_.selectItem(gadget_, row);
  else
    select(row);
  if ((newImage != kCleared && newImage != kTicked) || filling_ == Fill::afterMove) return std::nullopt;
  if (row < 0 || static_cast<std::size_t>(row) >= entries) return std::nullopt;
  return core::SetFlag{static_cast<std::size_t>(row), core::EntryField::enabled, newImage == kTicked ? 1 : 0};
}

}  // namespace ui
