// The preference document: a configuration file's lines in file order (group
// headers, comments, keys and blank lines), held as UTF-8 bytes, with the
// cursor (current group, current line, pending group) through which the store
// reads and edits it. It is edited in place, as format-preserving editors do:
// every line keeps its bytes (indentation, spacing around "=", a comment as
// written, its own line end) until the caller changes it, and a changed key
// keeps its line's layout. Lines parsed from a file point into the file's own
// bytes until they are changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/file_io.h"

namespace core {

// How a file's text is encoded on disk.
enum class TextEncoding : unsigned char {
  utf8,
  utf16le,
  utf16be,
  mixed,  // line by line: a well-formed UTF-8 line is UTF-8, any other Windows-1252
};
struct FileEncoding {
  TextEncoding encoding = TextEncoding::utf8;
  bool mark = true;  // the file starts with a byte-order mark
  bool operator==(const FileEncoding&) const = default;
};

// How a changed document is written back.
enum class WriteBack : unsigned char {
  utf8WithMark,  // Wordhop's own file: UTF-8 with a byte-order mark, whatever was read
  asRead,        // another program's file: in the encoding it was read in (mixed becomes UTF-8 with a mark)
};

class PreferenceDocument {
 public:
  enum class LineKind : unsigned char { blank, group, comment, key };
  static constexpr std::uint32_t kNoValue = 0xFFFFFFFF;
  // One line as the file has it, with where its parts lie in its text.
  struct Line {
    std::string_view text;  // without its line end
    std::string_view end;   // "\r\n", "\n", "\r", or "" for a last line without one
    LineKind kind = LineKind::blank;
    std::uint32_t nameFrom = 0, nameTo = 0;  // a group's or key's name
    std::uint32_t valueFrom = kNoValue;      // a key's value (after "=" and blanks) or a comment's text
    std::string_view name() const { return text.substr(nameFrom, nameTo - nameFrom); }
    // A key's value as written (trailing blanks kept) or a comment's text; "" for other lines.
    std::string_view value() const { return valueFrom == kNoValue ? std::string_view() : text.substr(valueFrom); }
  };
  // Where a line of a group goes when the group is arranged anew: a line of
  // its body as it stands (counted from the line after its header), and the
  // key name and value written into it; without a line, a new key.
  struct Placement {
    std::optional<std::size_t> line;
    std::optional<std::string> name;
    std::optional<std::string> value;
  };
  struct Decoded {
    std::string text;  // UTF-8
    FileEncoding encoding;
  };

  PreferenceDocument() = default;
  PreferenceDocument(const PreferenceDocument&) = delete;
  PreferenceDocument& operator=(const PreferenceDocument&) = delete;

  // Decodes a file's bytes: a UTF-8 mark selects UTF-8, a UTF-16 mark UTF-16
  // (either byte order); without a mark, a NUL in every second byte is
  // UTF-16, well-formed UTF-8 is UTF-8. Anything else, with a UTF-8 mark or
  // without, is read line by line: a well-formed UTF-8 line as UTF-8, any
  // other as Windows-1252.
  static Decoded decodeFileBytes(std::string bytes);
  // Replaces the document by the lines of UTF-8 text, from byte `from` on.
  // An empty text is a new document, written as the tool writes its own file.
  void parse(std::string utf8Text, std::size_t from = 0);
  // Replaces the document by the lines of a file's bytes, decoded as above.
  void parseFile(std::string bytes, WriteBack writeBack = WriteBack::utf8WithMark);
  // The file's bytes as parseFile had them.
  std::string_view fileBytes() const { return source_ ? std::string_view(*source_) : std::string_view(text_); }
  // The bytes the document is written as, handed to the sink piece by piece,
  // or gathered into one text.
  bool serialiseTo(const runtime::ByteSink& sink) const;
  std::string serialise() const;
  // True when the document's bytes are exactly these.
  bool serialisesAs(std::string_view bytes) const;

  const std::vector<Line>& lines() const { return lines_; }
  bool modified() const { return modified_; }
  void markModified() { modified_ = true; }
  bool empty() const { return lines_.empty(); }

  bool selectGroup(std::string_view name);
  // A comment "; text" directly after the current line (first when there is none).
  void writeComment(std::string_view text);
  // Replaces the first key of that name in the current group, keeping its
  // line's layout, or adds the key after the group's last key, laid out as
  // the keys before it are.
  void writeString(std::string_view key, std::string_view value);
  // Trimmed value of the first key of that name in the current group; none
  // when absent or while a group is pending.
  std::optional<std::string_view> readValue(std::string_view key) const;
  bool examineKeys();
  bool nextKey();
  // As nextKey, but stops at every line of the group.
  bool nextLine();
  // The current line's value when it is a key, trimmed; "" otherwise.
  std::string_view keyValue() const;
  // Arranges the current group's body (its lines after the header) anew as
  // placed; a line not placed is removed. New keys are laid out as the
  // group's keys are. A pending group is made first.
  void arrangeGroup(const std::vector<Placement>& placements);

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  struct KeyLayout {
    std::string_view indent;
    std::string_view equals;  // from the name's end to the value: " = ", "=", ...
  };

  std::string_view keep(std::string_view text);
  Line keyLine(KeyLayout layout, std::string_view name, std::string_view value, std::string_view end);
  // The line with its key's name and value replaced, its layout kept.
  Line rewrittenKey(const Line& line, std::string_view name, std::string_view value, KeyLayout fallback);
  // The layout of the nearest key with "=" before `index`, else after it.
  KeyLayout layoutNear(std::size_t index) const;
  void createPendingGroup();
  std::size_t sectionStart() const { return currentGroup_ == kNone ? 0 : currentGroup_ + 1; }
  std::size_t nextGroupFrom(std::size_t index) const;
  std::size_t findKey(std::string_view key) const;
  // Where a new key of the current group goes.
  std::size_t newKeyPlace() const;
  void insert(std::size_t index, Line line);
  // Whether a line's end and the next line would read as one line end.
  static bool runsInto(const Line& line, const Line& next);
  bool advance(bool everyLine);

  std::string text_;                   // the UTF-8 text the lines were parsed from
  std::optional<std::string> source_;  // the file's bytes, when they are not text_
  std::deque<std::string> kept_;       // text of lines made or changed since (stable addresses)
  std::vector<Line> lines_;
  std::string_view head_;              // written before the first line: a mark, and a first empty line in a new file
  std::string_view lineEnd_ = "\r\n";  // for new lines: the file's first line end
  FileEncoding written_;               // the encoding the document is written in
  std::size_t currentGroup_ = kNone;
  std::size_t currentItem_ = kNone;
  std::optional<std::string> pendingGroup_;
  bool modified_ = false;
};

// Byte-wise name comparison with ASCII letters folded.
bool namesEqual(std::string_view a, std::string_view b);

}  // namespace core
