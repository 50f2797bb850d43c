// The settings window's gadget numbers, which are also the control
// identifiers: what a program driving the window from outside finds it by.
#pragma once

namespace ui {

enum GadgetNumber : int {
  entryList = 1,
  addButton,
  removeButton,
  moveUpButton,
  moveDownButton,
  browserStartLabel,
  browserStartSpin,
  tabDelayLabel,
  tabDelaySpin,
  openIniButton,
  donateButton,
  urlLabel,
  urlField,
  contentCheck,
  sortByDateCheck,
  firstMatchCheck,
  filterLabel,
  filterField,
  infoLabel,
  infoField,
};

}  // namespace ui
