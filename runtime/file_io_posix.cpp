#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/file_io.h"
#include "runtime/utf8.h"

namespace runtime {
namespace {

std::string nativePath(const std::wstring& path) { return toUtf8(path); }

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool isRegularFile(int descriptor) {
  struct stat info {};
  return fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

File File::open(const std::wstring& path, FileAccess access) {
  int flags = access == FileAccess::readWriteSharingRead ? O_RDWR : O_RDONLY;
  int descriptor = ::open(nativePath(path).c_str(), flags | O_CLOEXEC);
  if (descriptor >= 0 && !isRegularFile(descriptor)) {
    ::close(descriptor);
    descriptor = -1;
  }
  return File(descriptor);
}

File File::create(const std::wstring& path) {
  return File(::open(nativePath(path).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
}

std::optional<std::string> File::readAll() {
  struct stat info {};
  if (!valid() || ::lseek(native_, 0, SEEK_SET) != 0 || fstat(native_, &info) != 0) return std::nullopt;
  // Read into a buffer of the file's size, grown only if the file grows meanwhile.
  std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t total = 0;
  for (;;) {
    if (total == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = ::read(native_, bytes.data() + total, bytes.size() - total);
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  bytes.resize(total);
  return bytes;
}

bool File::overwrite(const ByteSource& bytes) {
  if (!valid() || ::lseek(native_, 0, SEEK_SET) != 0) return false;
  off_t size = 0;
  const bool written = bytes([&](std::string_view piece) {
    size += static_cast<off_t>(piece.size());
    return writeAll(native_, piece);
  });
  return written && ::ftruncate(native_, size) == 0;
}

void File::close() {
  if (valid()) ::close(native_);
  native_ = kInvalid;
}

bool pathExists(const std::wstring& path) {
  struct stat info {};
  return ::stat(nativePath(path).c_str(), &info) == 0;
}

bool heldByAnotherProgram(SystemError error) { return error.code == EBUSY || error.code == EWOULDBLOCK; }

SystemError lastSystemError() { return errno ? static_cast<SystemError>(errno) : EIO; }

SystemError replaceFileContent(File& held, const std::wstring& path, const ByteSource& bytes) {
  // A link stays a link (the file it names is replaced), and a file with other
  // names is written where it lies, as the Windows build does.
  std::string target = nativePath(path);
  if (char* resolved = ::realpath(target.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  struct stat heldInfo {};
  const bool inPlace = held.valid() && ::fstat(held.native_, &heldInfo) == 0 && heldInfo.st_nlink > 1;
  const std::string scratch = target + ".saving";
  int descriptor = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (descriptor >= 0) {
    bool written =
        bytes([descriptor](std::string_view piece) { return writeAll(descriptor, piece); }) && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    if (written && inPlace) {
      written = held.overwrite(bytes) && ::fsync(held.native_) == 0;
      if (written) ::unlink(scratch.c_str());
      return written ? 0 : lastSystemError();
    }
    if (written) {
      held.close();
      struct stat info {};
      bool targetIsFolder = ::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
      if (!targetIsFolder && ::rename(scratch.c_str(), target.c_str()) == 0) return 0;
    }
    ::unlink(scratch.c_str());
  }
  if (!held.valid()) held = File::create(path);
  return held.overwrite(bytes) ? 0 : lastSystemError();
}

}  // namespace runtime
