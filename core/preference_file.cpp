#include "core/preference_file.h"

#include "runtime/text.h"
#include "runtime/utf8.h"

namespace core {

using runtime::fromUtf8;
using runtime::toUtf8;

bool PreferenceFile::create(const std::wstring& fileName) {
  // A document still open was left unclosed by its user, who so chose not to
  // hear how writing it back went.
  static_cast<void>(close());
  file_ = runtime::File::create(fileName);
  if (!file_.valid()) return false;
  state_ = State::readWrite;
  fileName_ = fileName;
  document_.parse({});
  document_.markModified();
  return true;
}

bool PreferenceFile::open(const std::wstring& fileName, WriteBack writeBack) {
  static_cast<void>(close());  // as in create
  fileName_ = fileName;
  state_ = State::readWrite;
  file_ = runtime::File::open(fileName, runtime::FileAccess::readWriteSharingRead);
  if (!file_.valid()) openError_ = runtime::lastSystemError();
  for (auto fallback : {runtime::FileAccess::readOnlySharingRead, runtime::FileAccess::readOnlySharingReadWrite}) {
    if (file_.valid()) break;
    state_ = State::readOnly;
    file_ = runtime::File::open(fileName, fallback);
  }
  return readDocument(writeBack);
}

bool PreferenceFile::openForReading(const std::wstring& fileName) {
  static_cast<void>(close());
  fileName_ = fileName;
  state_ = State::readOnly;
  file_ = runtime::File::open(fileName, runtime::FileAccess::readOnlySharingReadWrite);
  if (!file_.valid()) openError_ = runtime::lastSystemError();
  const bool read = readDocument(WriteBack::utf8WithMark);
  if (state_ == State::withoutFile) state_ = State::readOnly;  // never created from here
  return read;
}

void PreferenceFile::openBytes(std::string bytes) {
  static_cast<void>(close());
  state_ = State::readOnly;
  document_.parseFile(std::move(bytes));
  read_ = true;
}

void PreferenceFile::adopt(std::string bytes) {
  if (!isOpen()) return;
  // What the file itself holds stays what a write is compared with.
  adoptedOver_ = std::string(bytesRead().value_or(std::string_view()));
  document_.parseFile(std::move(bytes));
  document_.markModified();
}

bool PreferenceFile::readDocument(WriteBack writeBack) {
  std::optional<std::string> bytes = file_.readAll();
  if (!bytes) {
    if (file_.valid()) openError_ = runtime::lastSystemError();
    file_.close();
    // A file that is there but cannot be read (locked, an I/O error) must not
    // be replaced by a document that lacks everything it holds.
    state_ = runtime::pathExists(fileName_) ? State::unreadable : State::withoutFile;
    document_.parse({});
    return false;
  }
  document_.parseFile(std::move(*bytes), writeBack);
  read_ = true;
  return true;
}

runtime::SystemError PreferenceFile::close(std::optional<std::string>* written) {
  runtime::SystemError error = 0;
  // What the file holds afterwards: what was read, unless it is written anew.
  std::optional<std::string> held;
  if (written) held = bytesRead();
  if (document_.modified()) {
    const bool writable = state_ == State::readWrite || state_ == State::withoutFile;
    const std::optional<std::string_view> read = bytesRead();
    if (!writable) {
      error = openError_;
    } else if (!read || !document_.serialisesAs(*read)) {
      // Streamed to the file piece by piece (and kept whole only when asked).
      std::string* kept = written ? &held.emplace() : nullptr;
      const auto source = [this, kept](const runtime::ByteSink& sink) {
        if (kept) kept->clear();
        return document_.serialiseTo([&](std::string_view piece) {
          if (kept) kept->append(piece);
          return sink(piece);
        });
      };
      error = runtime::replaceFileContent(file_, fileName_, source);
    }
    if (error) held.reset();
  }
  if (written) *written = std::move(held);
  adoptedOver_.reset();
  read_ = false;
  file_.close();
  document_.parse({});
  fileName_.clear();
  state_ = State::closed;
  openError_ = 0;
  return error;
}

std::vector<std::wstring> PreferenceFile::groupNames() const {
  std::vector<std::wstring> names;
  for (const PreferenceDocument::Line& line : document_.lines())
    if (line.kind == PreferenceDocument::LineKind::group) names.push_back(fromUtf8(line.name()));
  return names;
}

bool PreferenceFile::selectGroup(std::wstring_view name) { return isOpen() && document_.selectGroup(toUtf8(name)); }

bool PreferenceFile::writeComment(std::wstring_view text) {
  if (!isOpen()) return false;
  document_.writeComment(toUtf8(text));
  return true;
}

bool PreferenceFile::writeString(std::wstring_view key, std::wstring_view value) {
  if (!isOpen()) return false;
  document_.writeString(toUtf8(key), toUtf8(value));
  return true;
}

bool PreferenceFile::writeInteger(std::wstring_view key, std::int32_t value) {
  return writeString(key, std::to_wstring(value));
}

std::wstring PreferenceFile::readString(std::wstring_view key, std::wstring_view defaultValue) {
  auto value = isOpen() ? document_.readValue(toUtf8(key)) : std::nullopt;
  return value ? fromUtf8(*value) : std::wstring(defaultValue);
}

std::int32_t PreferenceFile::readInteger(std::wstring_view key, std::int32_t defaultValue) {
  auto value = isOpen() ? document_.readValue(toUtf8(key)) : std::nullopt;
  return value ? runtime::scanDecimal(*value) : defaultValue;
}

bool PreferenceFile::hasKey(std::wstring_view key) { return isOpen() && document_.readValue(toUtf8(key)).has_value(); }

bool PreferenceFile::examineKeys() { return isOpen() && document_.examineKeys(); }

bool PreferenceFile::nextKey() { return isOpen() && document_.nextKey(); }

bool PreferenceFile::nextLine() { return isOpen() && document_.nextLine(); }

std::wstring PreferenceFile::keyValue() { return isOpen() ? fromUtf8(document_.keyValue()) : std::wstring(); }

void PreferenceFile::arrangeGroup(const std::vector<Placement>& placements) {
  if (!isOpen()) return;
  std::vector<PreferenceDocument::Placement> inUtf8;
  inUtf8.reserve(placements.size());
  const auto utf8 = [](const std::optional<std::wstring>& text) {
    return text ? std::optional<std::string>(toUtf8(*text)) : std::nullopt;
  };
  for (const Placement& placement : placements)
    inUtf8.push_back({placement.line, utf8(placement.name), utf8(placement.value)});
  document_.arrangeGroup(inUtf8);
}

}  // namespace core
