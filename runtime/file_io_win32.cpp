#include <windows.h>

#include "runtime/file_io.h"
#include "runtime/library.h"
#include "runtime/process_environment.h"

namespace runtime {
namespace {

DWORD shareModeOf(FileAccess access) {
  return access == FileAccess::readOnlySharingReadWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
}

bool writeAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool writeScratchFile(const std::wstring& scratch, const ByteSource& bytes) {
  HANDLE handle =
      CreateFileW(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool ok = bytes([handle](std::string_view piece) { return writeAll(handle, piece); }) && FlushFileBuffers(handle);
  ok = CloseHandle(handle) && ok;
  if (!ok) DeleteFileW(scratch.c_str());
  return ok;
}

// An antivirus, the indexer or a sync client opens a file just written for a
// moment: the rename over it is tried again this often.
constexpr int kSwapAttempts = 5;
constexpr DWORD kSwapPause = 20;

bool swapIn(const std::wstring& scratch, const std::wstring& target, DWORD targetAttributes) {
  // A rename within one folder replaces the file in one step. ReplaceFileW is
  // no substitute: where it moves the old file away before the new one is in
  // place (Wine does), a kill in between leaves no file at all.
  bool moved = false;
  for (int attempt = 0; attempt < kSwapAttempts && !moved; ++attempt) {
    if (attempt) Sleep(kSwapPause);
    moved = MoveFileExW(scratch.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!moved && GetLastError() != ERROR_ACCESS_DENIED && GetLastError() != ERROR_SHARING_VIOLATION) break;
  }
  if (!moved) return false;
  // The new file brings its own attributes; keep the old file's (hidden, say).
  if (targetAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(target.c_str(), targetAttributes);
  return true;
}

// The path of the file an open handle reads: where `path` is a symbolic link
// (a Windows one, or a Unix one under Wine), the file it names. None where the
// system cannot tell (before Vista).
std::optional<std::wstring> finalPathOf(HANDLE handle) {
  static const auto finalPath = RUNTIME_EXPORT(GetModuleHandleW(L"kernel32.dll"), GetFinalPathNameByHandleW);
  if (!finalPath) return std::nullopt;
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = finalPath(handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (length == 0) return std::nullopt;
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
  return std::nullopt;
}

// Whether the file has more names than one (hard links): a file put in its
// place would take only the one it is saved under.
bool hasOtherNames(HANDLE handle) {
  // The standard information alone: the volume's, which GetFileInformationByHandle
  // asks for too, takes Wine a call of its mount manager.
  static const auto information = RUNTIME_EXPORT(GetModuleHandleW(L"kernel32.dll"), GetFileInformationByHandleEx);
  FILE_STANDARD_INFO standard{};
  return information && information(handle, FileStandardInfo, &standard, sizeof standard) && standard.NumberOfLinks > 1;
}

}  // namespace

File File::open(const std::wstring& path, FileAccess access) {
  // Windows refuses write access to a read-only file even to administrators;
  // Wine running as root would not, so the attribute is checked here.
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (access == FileAccess::readWriteSharingRead && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return File();
  }
  DWORD rights = access == FileAccess::readWriteSharingRead ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
  return File(
      CreateFileW(path.c_str(), rights, shareModeOf(access), nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

File File::create(const std::wstring& path) {
  // Emptying a hidden or system file fails unless those attributes are asked for again.
  const DWORD existing = GetFileAttributesW(path.c_str());
  const DWORD kept = existing == INVALID_FILE_ATTRIBUTES
                         ? 0
                         : existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  return File(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::string> File::readAll() {
  if (!valid()) return std::nullopt;
  // Configuration files are small: sizes are taken as 32-bit.
  DWORD size = GetFileSize(native_, nullptr);
  if (size == INVALID_FILE_SIZE) return std::nullopt;
  std::string bytes(size, '\0');
  if (SetFilePointer(native_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return std::nullopt;
  DWORD total = 0;
  while (total < size) {
    DWORD got = 0;
    if (!ReadFile(native_, bytes.data() + total, size - total, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    total += got;
  }
  bytes.resize(total);
  return bytes;
}

bool File::overwrite(const ByteSource& bytes) {
  if (!valid() || SetFilePointer(native_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
  return bytes([this](std::string_view piece) { return writeAll(native_, piece); }) && SetEndOfFile(native_);
}

void File::close() {
  if (valid()) CloseHandle(native_);
  native_ = kInvalid;
}

bool pathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool heldByAnotherProgram(SystemError error) {
  return error.code == ERROR_SHARING_VIOLATION || error.code == ERROR_LOCK_VIOLATION;
}

SystemError lastSystemError() {
  const DWORD error = GetLastError();
  return error ? error : ERROR_GEN_FAILURE;
}

SystemError replaceFileContent(File& held, const std::wstring& path, const ByteSource& bytes) {
  // A link stays a link: the file it names is the one replaced.
  const std::optional<std::wstring> linked = held.valid() ? finalPathOf(held.native_) : std::nullopt;
  const std::wstring target = linked ? *linked : fullPath(path);
  const std::wstring scratch = scratchNameFor(target);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
  const bool inPlace = held.valid() && hasOtherNames(held.native_);
  if (writeScratchFile(scratch, bytes)) {
    if (inPlace) {
      // Every name of a file with several keeps it when it is written where it
      // lies; the scratch copy stays until the bytes are on disk, so that a
      // save cut short leaves them beside it.
      const bool written = held.overwrite(bytes) && FlushFileBuffers(held.native_);
      if (written) DeleteFileW(scratch.c_str());
      return written ? 0 : lastSystemError();
    }
    held.close();
    if (swapIn(scratch, target, attributes)) return 0;
    DeleteFileW(scratch.c_str());
  }
  if (!held.valid()) held = File::create(target);
  return held.overwrite(bytes) ? 0 : lastSystemError();
}

}  // namespace runtime
