#include <gtest/gtest.h>

#include "ui/focus_hook.h"
#include <windows.h>

#include <cstring>
#include <vector>

#include "runtime/library.h"

namespace {

std::vector<std::uint8_t> firstBytes(const void* code) {
  const auto* bytes = static_cast<const std::uint8_t*>(code);
  return {bytes, bytes + ui::kPatchSize};
}

// The jump this build's processor takes: through the address after it (x64),
// or load the address, push it and return to it (x86).
std::vector<std::uint8_t> expectedPatch(const void* replacement) {
  const auto a = reinterpret_cast<std::uintptr_t>(replacement);
  auto byte = [a](int n) { return static_cast<std::uint8_t>(a >> (8 * n)); };
#if defined(__x86_64__) || defined(_M_X64)
  return {0xFF, 0x25, 0, 0, 0, 0, byte(0), byte(1), byte(2), byte(3), byte(4), byte(5), byte(6), byte(7)};
#else
  return {0xB8, byte(0), byte(1), byte(2), byte(3), 0x50, 0xC3};
#endif
}

// Every DrawFocusRect of the process draws the solid frame.
void expectDrawFocusRectFramesInTheBorderColour() {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(dc, bitmap);
  std::memset(bits, 0, 32 * 32 * 4);
  RECT rect{10, 10, 20, 20};
  EXPECT_EQ(DrawFocusRect(dc, &rect), 0);
  EXPECT_EQ(rect.left, 9);
  EXPECT_EQ(rect.top, 9);
  EXPECT_EQ(rect.right, 21);
  EXPECT_EQ(rect.bottom, 21);
  GdiFlush();
  const COLORREF border = GetSysColor(COLOR_ACTIVEBORDER);
  const auto* pixels = static_cast<const std::uint8_t*>(bits);
  auto pixel = [&](int x, int y) {
    const std::uint8_t* p = pixels + 4 * (y * 32 + x);
    return RGB(p[2], p[1], p[0]);
  };
  EXPECT_EQ(pixel(9, 9), border);
  EXPECT_EQ(pixel(20, 15), border);
  EXPECT_EQ(pixel(15, 20), border);
  EXPECT_EQ(pixel(15, 15), RGB(0, 0, 0));  // a frame, not a fill
  DeleteDC(dc);
  DeleteObject(bitmap);
}

// The hook is held by its owner throughout: a failed assertion leaves the
// scope and takes the patch out, so no later test meets a patched function.
TEST(FocusHook, PatchesDrawFocusRectUntilItsOwnerGoes) {
  void* target = runtime::lookupFunction(L"user32.dll", "DrawFocusRect");
  ASSERT_NE(target, nullptr);
  const std::vector<std::uint8_t> original = firstBytes(target);
  {
    ui::FocusHook installed = ui::installFocusFrame();
    ASSERT_NE(installed.get(), nullptr);
    const ui::FocusHook hook = std::move(installed);  // the patch moves with its owner
    EXPECT_EQ(installed.get(), nullptr);
    EXPECT_EQ(firstBytes(target), expectedPatch(reinterpret_cast<void*>(&ui::drawFocusFrame)));
    EXPECT_EQ(firstBytes(hook.get()->savedCode), original);
    expectDrawFocusRectFramesInTheBorderColour();
  }
  EXPECT_EQ(firstBytes(target), original);
}

TEST(FocusHook, RemovalGivesTheTargetAndRestoresItsBytes) {
  void* target = runtime::lookupFunction(L"user32.dll", "DrawFocusRect");
  ASSERT_NE(target, nullptr);
  const std::vector<std::uint8_t> original = firstBytes(target);
  ui::HookRecord* record = ui::installFocusHook(target, reinterpret_cast<void*>(&ui::drawFocusFrame));
  EXPECT_NE(record, nullptr);
  EXPECT_EQ(ui::removeFocusHook(record), record ? target : nullptr);
  EXPECT_EQ(firstBytes(target), original);
}

TEST(FocusHook, NothingToPatchOrRestoreGivesNull) {
  EXPECT_EQ(ui::installFocusHook(nullptr, reinterpret_cast<void*>(&ui::drawFocusFrame)), nullptr);
  EXPECT_EQ(ui::removeFocusHook(nullptr), nullptr);
  ui::HookRecord empty{};
  EXPECT_EQ(ui::removeFocusHook(&empty), nullptr);
  EXPECT_EQ(runtime::lookupFunction(L"user32.dll", "NoSuchFunction"), nullptr);
}

}  // namespace
