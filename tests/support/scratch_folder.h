// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace testing_support {

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("wordhop-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Makes a file read-only, or writable again (a missing file is no failure).
inline void setReadOnly(const std::filesystem::path& path, bool readOnly) {
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               readOnly ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add,
                               ignored);
}

// A test that made its file read-only may have ended early.
inline ScratchFolder::~ScratchFolder() {
  setReadOnly(file("Wordhop.ini"), false);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// True when every byte reached the file.
inline bool writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out.good();
}

}  // namespace testing_support
