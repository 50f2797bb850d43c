#include "ui/button_images.h"

#include <cstdint>
#include <span>

#include "resources/resource_ids.h"
#include "runtime/png_image.h"

namespace ui {

runtime::UniqueBitmap loadButtonImage(int image) {
  static constexpr int kResources[kButtonImageCount] = {IDR_IMAGE_ADD,       IDR_IMAGE_REMOVE,   IDR_IMAGE_MOVE_UP,
                                                        IDR_IMAGE_MOVE_DOWN, IDR_IMAGE_OPEN_INI, IDR_IMAGE_DONATE};
  if (image < 0 || image >= kButtonImageCount) return {};
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(kResources[image]), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  return runtime::decodePng(std::span(bytes, SizeofResource(module, found)));
}

}  // namespace ui
