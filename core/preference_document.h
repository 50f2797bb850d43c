// The preference document: a configuration file's groups, comments and keys in
// file order, held as UTF-8 bytes, with the cursor (current group, current item,
// pending group) through which the store reads and edits it. Items parsed from
// a file point into the file's own bytes until they are changed, so untouched
// items are written back exactly as they were read.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/file_io.h"

namespace core {

class PreferenceDocument {
 public:
  enum class ItemKind : unsigned char { group, comment, key };
  struct Item {
    ItemKind kind;
    std::string_view name;   // group or key name
    std::string_view value;  // key value or comment text
  };

  PreferenceDocument() = default;
  PreferenceDocument(const PreferenceDocument&) = delete;
  PreferenceDocument& operator=(const PreferenceDocument&) = delete;

  // Decodes a file's bytes: a UTF-8 mark selects UTF-8, a UTF-16 mark UTF-16
  // (either byte order); without a mark, a NUL in every second byte is
  // UTF-16, well-formed UTF-8 is UTF-8, and anything else is read line by
  // line: a well-formed UTF-8 line as UTF-8, any other as Windows-1252.
  static std::string decodeFileBytes(std::string bytes);
  // Replaces the document by the items of UTF-8 text, from byte `from` on.
  void parse(std::string utf8Text, std::size_t from = 0);
  // Replaces the document by the items of a file's bytes (decoded as above).
  void parseFile(std::string bytes);
  // Whether parseFile keeps these bytes as they are (UTF-8 with a mark).
  static bool parsedInPlace(std::string_view bytes);
  // The file's bytes, when the document was parsed where they lie (UTF-8
  // with a mark); none when they were decoded into other bytes.
  std::optional<std::string_view> fileBytes() const {
    return inPlace_ ? std::optional<std::string_view>(text_) : std::nullopt;
  }
  // The file's bytes: UTF-8 mark, an empty line, every item on a CR LF line;
  // handed to the sink piece by piece, or gathered into one text.
  bool serialiseTo(const runtime::ByteSink& sink) const;
  std::string serialise() const;
  // True when the document's bytes are exactly these.
  bool serialisesAs(std::string_view bytes) const;

  const std::vector<Item>& items() const { return items_; }
  bool modified() const { return modified_; }
  void markModified() { modified_ = true; }

  bool selectGroup(std::string_view name);
  void writeComment(std::string_view text);
  void writeString(std::string_view key, std::string_view value);
  // Trimmed value of the first key of that name in the current group; none
  // when absent or while a group is pending.
  std::optional<std::string_view> readValue(std::string_view key) const;
  bool examineKeys();
  bool nextKey();
  // As nextKey, but stops at comments too.
  bool nextKeyOrComment();
  // The current item's text when it is a comment; none when it is not.
  std::optional<std::string_view> commentText() const;
  std::string_view keyValue() const;
  // Replaces the current key's value; nothing when the current item is no key.
  void writeKeyValue(std::string_view value);
  bool empty() const { return items_.empty(); }
  // The current key's whole line as the file had it ("foo =" for a key
  // without a value); "" when the current item is no key.
  std::string_view keyLine();
  // Removes the first group of that name with its items; later copies, which
  // are never read, become comments line by line where they stand.
  void removeGroup(std::string_view name);

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  std::string_view keep(std::string_view text);
  // An item as one line of text: a key read from the file as it was written.
  std::string lineOf(std::size_t index) const;
  void createPendingGroup();
  std::size_t sectionStart() const { return currentGroup_ == kNone ? 0 : currentGroup_ + 1; }
  std::size_t nextGroupFrom(std::size_t index) const;
  std::size_t findKey(std::string_view key) const;
  void insert(std::size_t index, Item item);
  bool advance(bool stopAtComments);

  std::string text_;              // the bytes read from the file
  std::deque<std::string> kept_;  // text of items made or changed since (stable addresses)
  std::vector<Item> items_;
  std::size_t currentGroup_ = kNone;
  std::size_t currentItem_ = kNone;
  std::optional<std::string> pendingGroup_;
  bool modified_ = false;
  bool inPlace_ = false;  // text_ holds the file's bytes as they were read
};

// Byte-wise name comparison with ASCII letters folded.
bool namesEqual(std::string_view a, std::string_view b);

}  // namespace core
