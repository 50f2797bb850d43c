// A settings window built in this process on a scratch Wordhop.ini, with
// stand-ins for the questions and started programs, and helpers that
// drive its gadgets and read the file back.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/default_config.h"
#include "tests/support/scratch_folder.h"
#include "ui/dpi_setup.h"
#include "ui/settings_window.h"

namespace testing_support {

class SettingsFixture : public ::testing::Test {
 protected:
  void open(std::string_view content = kDefaultFile) {
    writeBytes(folder.file("Wordhop.ini"), content);
    openWindowOn(folder.file("Wordhop.ini").wstring());
  }
  void openWindowOn(const std::wstring& configFile) {
    state.dpi.osVersionCode = 110;
    ui::setupDpiScaling(state.dpi.dpiScaling, 100, state.dpi.osVersionCode, false);
    ui::SettingsServices services{
        [this](std::wstring_view text, UINT flags) {
          questions.emplace_back(text);
          questionFlags = flags;
          return answer;
        },
        [this](std::wstring_view program, std::wstring_view parameter, std::wstring_view workingFolder) {
          started.push_back({std::wstring(program), std::wstring(parameter), std::wstring(workingFolder)});
        }};
    settings = std::make_unique<ui::SettingsWindow>(state, configFile, services);
    ASSERT_TRUE(settings->build());
    pump();
  }
  runtime::GadgetWindow& window() { return settings->window(); }
  std::string file() const { return readBytes(folder.file("Wordhop.ini")); }
  // Handles every event that is ready; their number.
  int pump() {
    int handled = 0;
    while (auto event = window().pollEvent()) {
      settings->handleEvent(*event);
      ++handled;
    }
    return handled;
  }
  void press(int gadget) {
    settings->handleEvent({runtime::Event::Type::gadget, gadget, runtime::EventKind::leftClick});
    pump();
  }
  void select(int row) {
    window().setState(ui::entryList, row);
    settings->showSelectedEntry();
  }
  void type(int gadget, wchar_t c) {
    SendMessageW(window().gadget(gadget), WM_CHAR, c, 0);
    pump();
  }
  // The text of the balloon on show; "" when none is.
  std::wstring balloonText() {
    const HWND balloon = window().balloonControl();
    if (!balloon || !IsWindowVisible(balloon)) return L"";
    std::wstring text(4096, L'\0');
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window().handle();
    tool.lpszText = text.data();
    SendMessageW(balloon, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    text.resize(wcslen(text.c_str()));
    return text;
  }
  std::string entriesGroup() const {
    const std::string bytes = file();
    const std::size_t start = bytes.find("[Entries]");
    return start == std::string::npos ? "" : bytes.substr(start);
  }

  ScratchFolder folder;
  ui::SettingsState state;
  std::unique_ptr<ui::SettingsWindow> settings;
  std::vector<std::wstring> questions;
  UINT questionFlags = 0;
  int answer = IDYES;
  struct Start {
    std::wstring program, parameter, folder;
  };
  std::vector<Start> started;
};

}  // namespace testing_support
