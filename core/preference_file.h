// The store through which every read and change of a configuration file goes.
// One document is open at a time; it is written back when closed after a change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/preference_document.h"
#include "runtime/file_io.h"

namespace core {

class PreferenceFile {
 public:
  PreferenceFile() = default;
  PreferenceFile(const PreferenceFile&) = delete;
  PreferenceFile& operator=(const PreferenceFile&) = delete;
  // Callers that want to know whether their changes reached the file close
  // it themselves; at the end of its life the store can only try.
  ~PreferenceFile() { static_cast<void>(close()); }

  bool create(const std::wstring& fileName);
  // `writeBack` says in which encoding a changed file is written.
  bool open(const std::wstring& fileName, WriteBack writeBack = WriteBack::utf8WithMark);
  // Opens the file only to read it, letting others read and write it
  // meanwhile; nothing is ever written back.
  bool openForReading(const std::wstring& fileName);
  // Opens a file's bytes held in memory, only to read them.
  void openBytes(std::string bytes);
  // Takes these bytes (of the same file, read earlier) as the document in
  // place of what the file holds now; the file gets them, with the changes
  // made, when it is closed.
  void adopt(std::string bytes);
  // Whether changes can reach the file at close, and why not when they cannot.
  bool writable() const { return state_ == State::readWrite || state_ == State::withoutFile; }
  runtime::SystemError writeError() const { return writable() ? runtime::SystemError() : openError_; }
  // True when the document holds no line at all (no file, or an empty one).
  bool empty() const { return document_.empty(); }
  // The file's bytes as `open` read them; none when there was nothing to read.
  std::optional<std::string_view> bytesRead() const {
    if (adoptedOver_) return *adoptedOver_;
    return read_ ? std::optional<std::string_view>(document_.fileBytes()) : std::nullopt;
  }
  // Writes the document back when it was changed: 0 when that worked or
  // nothing was to be written, else why the change could not be saved. A
  // document whose bytes are the file's own is not written again. `written`,
  // when given, receives the bytes the file then holds (none: left unknown).
  runtime::SystemError close(std::optional<std::string>* written = nullptr);
  // Why the file, which is there, could not be read when it was opened; 0
  // when it was read or is missing.
  runtime::SystemError readError() const { return state_ == State::unreadable ? openError_ : 0; }

  bool selectGroup(std::wstring_view name);
  bool writeComment(std::wstring_view text);
  bool writeString(std::wstring_view key, std::wstring_view value);
  bool writeInteger(std::wstring_view key, std::int32_t value);
  std::wstring readString(std::wstring_view key, std::wstring_view defaultValue);
  std::int32_t readInteger(std::wstring_view key, std::int32_t defaultValue);
  // Whether the current group has a key of that name.
  bool hasKey(std::wstring_view key);
  bool examineKeys();
  bool nextKey();
  // As nextKey, but stops at every line of the group: comments, blank lines.
  bool nextLine();
  // The current line's value when it is a key, trimmed; "" otherwise.
  std::wstring keyValue();
  // Whether that value is not empty (without making it wide).
  bool keyHasValue() const { return isOpen() && !document_.keyValue().empty(); }
  // The names of the document's groups, in file order.
  std::vector<std::wstring> groupNames() const;
  // Where a line of the current group goes when it is arranged anew: a line
  // of its body as it stands (counted from the line after the header), with
  // the key name and value written into it; without a line, a new key.
  struct Placement {
    std::optional<std::size_t> line;
    std::optional<std::wstring> name;
    std::optional<std::wstring> value;
  };
  // Arranges the current group's lines after its header anew as placed; a
  // line not placed is removed. Each line keeps its layout.
  void arrangeGroup(const std::vector<Placement>& placements);

 private:
  enum class State {
    closed,       // reads give defaults, writes do nothing
    readWrite,    // changes are written back at close
    readOnly,     // the file may not be written: changes are dropped at close
    unreadable,   // the file is there but could not be read: it is never replaced
    withoutFile,  // there is no file: it is created at close if anything changed
  };

  bool isOpen() const { return state_ != State::closed; }
  // Reads and parses the file just opened; false when it could not be read.
  bool readDocument(WriteBack writeBack);

  State state_ = State::closed;
  runtime::SystemError openError_ = 0;  // why the file could not be opened for writing
  runtime::File file_;
  bool read_ = false;                       // the document holds a file's bytes
  std::optional<std::string> adoptedOver_;  // the file's bytes, when others were adopted in their place
  std::wstring fileName_;
  PreferenceDocument document_;
};

}  // namespace core
