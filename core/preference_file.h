// The store through which every read and change of a configuration file goes.
// One document is open at a time; it is written back when closed after a change.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/preference_document.h"
#include "runtime/file_io.h"

namespace core {

class PreferenceFile {
 public:
  PreferenceFile() = default;
  PreferenceFile(const PreferenceFile&) = delete;
  PreferenceFile& operator=(const PreferenceFile&) = delete;
  ~PreferenceFile() { close(); }

  bool create(const std::wstring& fileName);
  bool open(const std::wstring& fileName);
  void close();

  bool selectGroup(std::wstring_view name);
  bool writeComment(std::wstring_view text);
  bool writeString(std::wstring_view key, std::wstring_view value);
  bool writeInteger(std::wstring_view key, std::int32_t value);
  std::wstring readString(std::wstring_view key, std::wstring_view defaultValue);
  std::int32_t readInteger(std::wstring_view key, std::int32_t defaultValue);
  bool examineKeys();
  bool nextKey();
  std::wstring keyValue();
  // The current item's key name as written in the file; "" when it is no key.
  std::wstring keyName();
  void removeGroup(std::wstring_view name);

 private:
  enum class State {
    closed,       // reads give defaults, writes do nothing
    readWrite,    // changes are written back at close
    readOnly,     // changes are dropped at close
    withoutFile,  // open failed: the file is created at close if anything changed
  };

  bool isOpen() const { return state_ != State::closed; }

  State state_ = State::closed;
  runtime::File file_;
  std::wstring fileName_;
  PreferenceDocument document_;
};

}  // namespace core
