#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "runtime/clipboard.h"
#include "runtime/unique_resource.h"

namespace {

// Clipboard history or a remote desktop holds the clipboard for a moment
// after each change; the word still reaches it.
TEST(Clipboard, AnotherHolderForAMomentIsWaitedFor) {
  const runtime::UniqueHandle opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread holder([&] {
    ASSERT_TRUE(OpenClipboard(nullptr));
    SetEvent(opened.get());
    Sleep(100);
    CloseClipboard();
  });
  WaitForSingleObject(opened.get(), 5000);
  EXPECT_TRUE(runtime::putClipboardText(L"WM_PAINT"));
  holder.join();
  EXPECT_EQ(runtime::clipboardText(), L"WM_PAINT");
}

}  // namespace
