// Whole-file access with Windows share semantics, one implementation per platform.
// On POSIX the share modes are not enforced; that build only exercises the logic.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// A system error code (GetLastError on Windows, errno elsewhere); 0 is none.
// A failure that is returned must be looked at: dropping one is a compile error.
struct [[nodiscard]] SystemError {
  constexpr SystemError(std::uint32_t value = 0) : code(value) {}
  explicit operator bool() const { return code != 0; }
  friend bool operator==(SystemError, SystemError) = default;
  std::uint32_t code;
};
// The calling thread's last system error, never 0: a failure whose cause the
// system did not record reads as a generic one.
SystemError lastSystemError();
// True for the errors of a file another program holds open for a moment
// (a sharing or lock violation).
bool heldByAnotherProgram(SystemError error);

// Takes bytes in order; false when they could not be written.
using ByteSink = std::function<bool(std::string_view)>;
// Hands its bytes, in order and in pieces of any size, to a sink; false when
// the sink refused some.
using ByteSource = std::function<bool(const ByteSink&)>;

enum class FileAccess {
  readWriteSharingRead,     // others may read, nobody else may write
  readOnlySharingRead,      // fails while another handle writes
  readOnlySharingReadWrite  // tolerates another writer
};

// An open file; closes itself.
class File {
 public:
  File() = default;
  File(File&& other) noexcept : native_(other.native_) { other.native_ = kInvalid; }
  File& operator=(File&& other) noexcept {
    if (this != &other) {
      close();
      native_ = other.native_;
      other.native_ = kInvalid;
    }
    return *this;
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() { close(); }

  // Opens an existing file; invalid on failure.
  static File open(const std::wstring& path, FileAccess access);
  // Creates the file or empties an existing one, read-write, sharing reading.
  static File create(const std::wstring& path);

  bool valid() const { return native_ != kInvalid; }
  // The whole content; none when it cannot be read.
  std::optional<std::string> readAll();
  // Writes the bytes from offset 0 and cuts the file off after them.
  bool overwrite(const ByteSource& bytes);
  void close();

 private:
#ifdef _WIN32
  using Native = void*;
  static inline const Native kInvalid = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
#else
  using Native = int;
  static constexpr Native kInvalid = -1;
#endif
  friend SystemError replaceFileContent(File&, const std::wstring&, const ByteSource&);
  explicit File(Native native) : native_(native) {}
  Native native_ = kInvalid;
};

// True when a file or folder of that name exists.
bool pathExists(const std::wstring& path);

// Name of the scratch file that a save writes before it replaces `path`.
inline std::wstring scratchNameFor(const std::wstring& path) { return path + L".saving"; }

// Makes `bytes` the content of `path` without ever leaving a half-written file:
// the bytes go to a scratch file in the same folder, are flushed to disk and
// then replace `path` in one step. `held` is the caller's open handle on the
// file, closed just before the swap. Only when no scratch file can be made, or
// the swap is refused, is the file written in place (through `held` when it is
// open, else by creating it). 0 when the bytes were written, else the reason.
SystemError replaceFileContent(File& held, const std::wstring& path, const ByteSource& bytes);

}  // namespace runtime
