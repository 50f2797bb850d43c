// Reads what a test needs from a Windows executable file, on any host:
// headers, imported DLLs and resources. Every read is bounds-checked; a file
// that is not a PE image reads as one with nothing in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

class PeImage {
 public:
  explicit PeImage(std::string bytes) : bytes_(std::move(bytes)) {
    const std::uint32_t nt = u32(0x3C);
    if (bytes_.size() < 2 || bytes_.compare(0, 2, "MZ") != 0 || u32(nt) != 0x00004550) return;  // "PE\0\0"
    machine_ = u16(nt + 4);
    sectionCount_ = u16(nt + 6);
    timeStamp_ = u32(nt + 8);
    optional_ = nt + 24;
    sections_ = optional_ + u16(nt + 20);
    magic_ = u16(optional_);
  }

  bool isPe32() const { return magic_ == 0x10B; }
  bool isPe32Plus() const { return magic_ == 0x20B; }
  std::uint16_t machine() const { return machine_; }
  std::uint32_t timeStamp() const { return timeStamp_; }
  std::uint16_t subsystem() const { return magic_ ? u16(optional_ + 68) : 0; }
  // The oldest Windows the loader accepts the image on, as 0xMMmm.
  std::uint16_t subsystemVersion() const {
    return magic_ ? static_cast<std::uint16_t>(u16(optional_ + 48) << 8 | u16(optional_ + 50)) : 0;
  }
  std::uint16_t dllCharacteristics() const { return magic_ ? u16(optional_ + 70) : 0; }
  std::size_t size() const { return bytes_.size(); }

  // The names of the DLLs in the import table, upper-cased.
  std::set<std::string> importedDlls() const {
    std::set<std::string> dlls;
    for (std::size_t entry : importDescriptors()) {
      std::string dll = text(*fileOffset(u32(entry + 12)));
      for (char& c : dll) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
      dlls.insert(dll);
    }
    return dlls;
  }

  // The functions imported by name, from every DLL.
  std::set<std::string> importedFunctions() const {
    std::set<std::string> functions;
    const std::size_t width = isPe32Plus() ? 8 : 4;
    for (std::size_t entry : importDescriptors()) {
      const std::uint32_t lookup = u32(entry) ? u32(entry) : u32(entry + 16);  // the names, or the bound table
      std::optional<std::size_t> thunk = fileOffset(lookup);
      for (; thunk && *thunk + width <= bytes_.size(); *thunk += width) {
        const std::uint32_t low = u32(*thunk), high = width == 8 ? u32(*thunk + 4) : 0;
        if (!low && !high) break;
        const bool byOrdinal = width == 8 ? (high & 0x80000000u) != 0 : (low & 0x80000000u) != 0;
        if (const std::optional<std::size_t> name = byOrdinal ? std::nullopt : fileOffset(low))
          functions.insert(text(*name + 2));  // after the two-byte hint
      }
    }
    return functions;
  }

  // The bytes of the resource with this numeric type and id (first language), if any.
  std::optional<std::string> resource(std::uint32_t type, std::uint32_t id) const {
    const std::optional<std::size_t> root = fileOffset(directoryRva(2));
    if (!root) return std::nullopt;
    std::optional<std::uint32_t> next = child(*root, *root, type);
    if (next) next = child(*root, *root + *next, id);
    if (next) next = child(*root, *root + *next, std::nullopt);
    if (!next || *next & 0x80000000u) return std::nullopt;
    const std::size_t dataEntry = *root + *next;
    const std::optional<std::size_t> data = fileOffset(u32(dataEntry));
    const std::uint32_t length = u32(dataEntry + 4);
    if (!data || *data + length > bytes_.size()) return std::nullopt;
    return bytes_.substr(*data, length);
  }

 private:
  std::uint32_t read(std::size_t at, std::size_t width) const {
    if (at + width > bytes_.size()) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes_[at + i]);
    return value;
  }
  std::uint16_t u16(std::size_t at) const { return static_cast<std::uint16_t>(read(at, 2)); }
  std::uint32_t u32(std::size_t at) const { return read(at, 4); }

  // The file offsets of the import table's entries (each names one DLL).
  std::vector<std::size_t> importDescriptors() const {
    std::vector<std::size_t> entries;
    const std::optional<std::size_t> table = fileOffset(directoryRva(1));
    for (std::size_t entry = table.value_or(bytes_.size()); entry + 20 <= bytes_.size() && u32(entry + 12) != 0;
         entry += 20) {
      if (!fileOffset(u32(entry + 12))) break;
      entries.push_back(entry);
    }
    return entries;
  }

  // The zero-ended text at a file offset.
  std::string text(std::size_t at) const {
    std::string result;
    for (; at < bytes_.size() && bytes_[at]; ++at) result += bytes_[at];
    return result;
  }

  std::uint32_t directoryRva(std::size_t index) const {
    const std::size_t directories = optional_ + (isPe32Plus() ? 112 : 96);
    return magic_ ? u32(directories + 8 * index) : 0;
  }

  std::optional<std::size_t> fileOffset(std::uint32_t rva) const {
    if (rva == 0) return std::nullopt;
    for (std::size_t i = 0; i < sectionCount_; ++i) {
      const std::size_t section = sections_ + 40 * i;
      const std::uint32_t start = u32(section + 12), length = u32(section + 8);
      if (rva >= start && rva - start < length) return rva - start + u32(section + 20);
    }
    return std::nullopt;
  }

  // The offset (from the resource root, high bit set for a subdirectory) of the
  // entry with this id in a resource directory; any id when none is given.
  std::optional<std::uint32_t> child(std::size_t root, std::size_t directory, std::optional<std::uint32_t> id) const {
    const std::size_t count = std::size_t{u16(directory + 12)} + u16(directory + 14);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t entry = directory + 16 + 8 * i;
      if (entry + 8 > bytes_.size()) break;
      if (!id || u32(entry) == *id) {
        const std::uint32_t offset = u32(entry + 4);
        if (root + (offset & 0x7FFFFFFFu) >= bytes_.size()) return std::nullopt;
        return id ? offset & 0x7FFFFFFFu : offset;
      }
    }
    return std::nullopt;
  }

  std::string bytes_;
  std::uint16_t machine_ = 0, sectionCount_ = 0, magic_ = 0;
  std::uint32_t timeStamp_ = 0;
  std::size_t optional_ = 0, sections_ = 0;
};

}  // namespace testing_support
