#include "core/preference_document.h"

#include <algorithm>

#include "runtime/text.h"
#include "runtime/utf8.h"

namespace core {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// A file the tool makes starts with the mark and an empty line.
constexpr std::string_view kNewFileHead = "\xEF\xBB\xBF\r\n";
constexpr std::string_view kDefaultEquals = " = ";
constexpr std::string_view kLineEnds = "\r\n";

using Line = PreferenceDocument::Line;
using LineKind = PreferenceDocument::LineKind;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Whether text without a mark is UTF-16, ASCII letters having a NUL in every
// second byte: big-endian when the NULs come first; none when it is not.
std::optional<bool> unmarkedUtf16(std::string_view bytes) {
  if (bytes.size() < 2 || bytes.size() % 2) return std::nullopt;
  for (bool bigEndian : {false, true}) {
    bool nulls = true;
    for (std::size_t i = bigEndian ? 0 : 1; nulls && i < bytes.size(); i += 2) nulls = bytes[i] == '\0';
    if (nulls) return bigEndian;
  }
  return std::nullopt;
}

// A UTF-8 file to which an ANSI tool appended a line: each line is read in
// its own encoding, so that one line cannot spoil every other.
std::string decodeLineByLine(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find_first_of(kLineEnds, start), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    text += runtime::isWellFormedUtf8(line) ? std::string(line) : runtime::windows1252ToUtf8(line);
    const std::size_t next = std::min(bytes.find_first_not_of(kLineEnds, end), bytes.size());
    text += bytes.substr(end, next - end);
    start = next;
  }
  return text;
}

// A line's kind and the places of its parts.
Line classify(std::string_view text, std::string_view end) {
  Line line{text, end};
  std::size_t at = 0;
  while (at < text.size() && isBlank(text[at])) ++at;
  // A line of nothing but blanks is an empty line, not a key without a name
  // (which would load as a phantom entry).
  if (at == text.size()) return line;
  const auto offset = [](std::size_t value) { return static_cast<std::uint32_t>(value); };
  if (text[at] == ';') {
    line.kind = LineKind::comment;
    line.valueFrom = offset(at + 1 < text.size() && text[at + 1] == ' ' ? at + 2 : at + 1);
  } else if (text[at] == '[') {
    line.kind = LineKind::group;
    line.nameFrom = offset(at + 1);
    line.nameTo = offset(std::min(text.find(']', at + 1), text.size()));
  } else {
    line.kind = LineKind::key;
    const std::size_t equals = text.find('=', at);
    std::size_t nameTo = std::min(equals, text.size());
    while (nameTo > at && isBlank(text[nameTo - 1])) --nameTo;
    line.nameFrom = offset(at);
    line.nameTo = offset(nameTo);
    if (equals != std::string_view::npos) {
      std::size_t value = equals + 1;
      while (value < text.size() && isBlank(text[value])) ++value;
      line.valueFrom = offset(value);
    }
  }
  return line;
}

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool namesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

PreferenceDocument::Decoded PreferenceDocument::decodeFileBytes(std::string bytes) {
  const std::string_view view = bytes;
  if (view.starts_with(kUtf8Mark)) {
    const std::string_view rest = view.substr(kUtf8Mark.size());
    if (runtime::isWellFormedUtf8(rest)) return {std::string(rest), {TextEncoding::utf8, true}};
    return {decodeLineByLine(rest), {TextEncoding::mixed, true}};
  }
  // Editors that save "Unicode" write UTF-16 with a mark; reading that as
  // Latin-1 would turn every entry into garbage that the next save keeps.
  if (view.starts_with("\xFF\xFE")) return {runtime::utf16ToUtf8(view.substr(2), false), {TextEncoding::utf16le, true}};
  if (view.starts_with("\xFE\xFF")) return {runtime::utf16ToUtf8(view.substr(2), true), {TextEncoding::utf16be, true}};
  // Without a mark: "Unicode" with a NUL in every second byte (ASCII text),
  // the NULs telling the byte order.
  if (const std::optional<bool> bigEndian = unmarkedUtf16(view))
    return {runtime::utf16ToUtf8(view, *bigEndian),
            {*bigEndian ? TextEncoding::utf16be : TextEncoding::utf16le, false}};
  // Editors save UTF-8 so, and other bytes above 0x7F hardly ever form
  // well-formed UTF-8 by chance.
  if (runtime::isWellFormedUtf8(view)) return {std::move(bytes), {TextEncoding::utf8, false}};
  return {decodeLineByLine(view), {TextEncoding::mixed, false}};
}

void PreferenceDocument::parseFile(std::string bytes, WriteBack writeBack) {
  FileEncoding read;
  const std::string_view view = bytes;
  if (view.starts_with(kUtf8Mark) && runtime::isWellFormedUtf8(view.substr(kUtf8Mark.size()))) {
    // A UTF-8 file is parsed where it lies, after its mark: a large file is not copied.
    parse(std::move(bytes), kUtf8Mark.size());
  } else if (runtime::isWellFormedUtf8(view) && !unmarkedUtf16(view)) {
    parse(std::move(bytes));
    read.mark = false;
  } else {
    std::string original = bytes;
    Decoded decoded = decodeFileBytes(std::move(bytes));
    parse(std::move(decoded.text));
    source_ = std::move(original);
    read = decoded.encoding;
  }
  if (writeBack == WriteBack::asRead && read.encoding != TextEncoding::mixed) {
    written_ = read;
    if (!read.mark) head_ = {};
  }
}

void PreferenceDocument::parse(std::string utf8Text, std::size_t from) {
  kept_.clear();
  lines_.clear();
  source_.reset();
  currentGroup_ = currentItem_ = kNone;
  pendingGroup_.reset();
  modified_ = false;
  written_ = {};
  lineEnd_ = "\r\n";
  text_ = std::move(utf8Text);
  from = std::min(from, text_.size());
  const std::string_view text = std::string_view(text_).substr(from);
  head_ = text.empty() ? kNewFileHead : from ? std::string_view(text_).substr(0, from) : kUtf8Mark;
  // A line at most per LF, and one more: the list is made once, at its final size.
  lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  auto lineFeedFrom = [&](std::size_t at) { return std::min(text.find('\n', at), text.size()); };
  // The first LF at or after `start`. It is kept across lines ended by a lone
  // CR, so that a file without any LF is searched for one only once.
  std::size_t lineFeed = lineFeedFrom(0);
  bool endSeen = false;
  for (std::size_t start = 0; start < text.size();) {
    if (lineFeed < start) lineFeed = lineFeedFrom(start);
    const std::size_t stop = std::min(text.substr(0, lineFeed).find('\r', start), lineFeed);
    std::size_t next = stop;
    if (next < text.size()) next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
    lines_.push_back(classify(text.substr(start, stop - start), text.substr(stop, next - stop)));
    if (!endSeen && next > stop) {
      lineEnd_ = text.substr(stop, next - stop);
      endSeen = true;
    }
    start = next;
  }
}

bool PreferenceDocument::serialiseTo(const runtime::ByteSink& sink) const {
  // Lines are gathered into pieces of about 64 KiB: a large file is never
  // held whole a second time, and the sink is called rarely.
  constexpr std::size_t kPiece = std::size_t{1} << 16;
  const bool utf16 = written_.encoding == TextEncoding::utf16le || written_.encoding == TextEncoding::utf16be;
  const auto emit = [&](const std::string& piece) {
    return utf16 ? sink(runtime::utf8ToUtf16(piece, written_.encoding == TextEncoding::utf16be)) : sink(piece);
  };
  std::string piece;
  piece.reserve(kPiece + 256);
  piece += head_;
  for (const Line& line : lines_) {
    piece += line.text;
    piece += line.end;
    if (piece.size() >= kPiece) {
      if (!emit(piece)) return false;
      piece.clear();
    }
  }
  return piece.empty() || emit(piece);
}

bool PreferenceDocument::serialisesAs(std::string_view bytes) const {
  std::size_t at = 0;
  const bool same = serialiseTo([&](std::string_view piece) {
    if (bytes.substr(at, piece.size()) != piece) return false;
    at += piece.size();
    return true;
  });
  return same && at == bytes.size();
}

std::string PreferenceDocument::serialise() const {
  std::string out;
  serialiseTo([&out](std::string_view piece) {
    out += piece;
    return true;
  });
  return out;
}

std::string_view PreferenceDocument::keep(std::string_view text) { return kept_.emplace_back(text); }

Line PreferenceDocument::keyLine(KeyLayout layout, std::string_view name, std::string_view value,
                                 std::string_view end) {
  std::string text;
  text.reserve(layout.indent.size() + name.size() + layout.equals.size() + value.size());
  text.append(layout.indent).append(name).append(layout.equals).append(value);
  return classify(keep(text), end);
}

Line PreferenceDocument::rewrittenKey(const Line& line, std::string_view name, std::string_view value,
                                      KeyLayout fallback) {
  if (line.valueFrom != kNoValue && name == line.name() && value == line.value()) return line;
  // A line with no "=" gets one as the other keys have it.
  if (line.valueFrom == kNoValue)
    return keyLine({line.text.substr(0, line.nameFrom), fallback.equals}, name, value, line.end);
  std::string text(line.text.substr(0, line.nameFrom));
  text.append(name).append(line.text.substr(line.nameTo, line.valueFrom - line.nameTo)).append(value);
  return classify(keep(text), line.end);
}

PreferenceDocument::KeyLayout PreferenceDocument::layoutNear(std::size_t index) const {
  const auto layoutOf = [](const Line& line) {
    return KeyLayout{line.text.substr(0, line.nameFrom), line.text.substr(line.nameTo, line.valueFrom - line.nameTo)};
  };
  const auto usable = [](const Line& line) { return line.kind == LineKind::key && line.valueFrom != kNoValue; };
  for (std::size_t i = std::min(index, lines_.size()); i-- > 0;)
    if (usable(lines_[i])) return layoutOf(lines_[i]);
  for (std::size_t i = index; i < lines_.size(); ++i)
    if (usable(lines_[i])) return layoutOf(lines_[i]);
  return {{}, kDefaultEquals};
}

std::size_t PreferenceDocument::nextGroupFrom(std::size_t index) const {
  while (index < lines_.size() && lines_[index].kind != LineKind::group) ++index;
  return index;
}

std::size_t PreferenceDocument::findKey(std::string_view key) const {
  for (std::size_t i = sectionStart(), end = nextGroupFrom(i); i < end; ++i)
    if (lines_[i].kind == LineKind::key && namesEqual(lines_[i].name(), key)) return i;
  return kNone;
}

std::size_t PreferenceDocument::newKeyPlace() const {
  // After the group's last key; in a group without keys after its last line
  // that is not blank, so that the blank lines before the next group stay there.
  const std::size_t start = sectionStart(), end = nextGroupFrom(start);
  std::size_t afterText = start;
  for (std::size_t i = end; i-- > start;) {
    if (lines_[i].kind == LineKind::key) return i + 1;
    if (lines_[i].kind != LineKind::blank && afterText == start) afterText = i + 1;
  }
  return afterText;
}

void PreferenceDocument::insert(std::size_t index, Line line) {
  // A last line without an end gets one when a line comes after it.
  if (index == lines_.size() && index > 0 && lines_.back().end.empty()) lines_.back().end = lineEnd_;
  // The new line is ended so that it and its neighbours stay lines of their own.
  if (index > 0 && runsInto(lines_[index - 1], line)) line.end = lines_[index - 1].end;
  if (index < lines_.size() && runsInto(line, lines_[index])) line.end = "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), line);
  if (currentGroup_ != kNone && currentGroup_ >= index) ++currentGroup_;
  if (currentItem_ != kNone && currentItem_ >= index) ++currentItem_;
}

bool PreferenceDocument::runsInto(const Line& line, const Line& next) {
  // A lone CR followed by an empty line ended by LF reads as one CR LF.
  return line.end == "\r" && next.text.empty() && next.end.starts_with('\n');
}

void PreferenceDocument::createPendingGroup() {
  if (!pendingGroup_) return;
  // Separated from the text before it as the file separates its last group.
  std::size_t lastHeader = lines_.size();
  while (lastHeader > 0 && lines_[lastHeader - 1].kind != LineKind::group) --lastHeader;
  std::size_t separation = 0;
  if (lastHeader > 0)
    for (std::size_t i = lastHeader - 1; i > 0 && lines_[i - 1].kind == LineKind::blank; --i) ++separation;
  std::size_t trailing = 0;
  while (trailing < lines_.size() && lines_[lines_.size() - 1 - trailing].kind == LineKind::blank) ++trailing;
  for (std::size_t blank = trailing; blank < separation && !lines_.empty(); ++blank)
    insert(lines_.size(), classify({}, lineEnd_));
  insert(lines_.size(), classify(keep("[" + *pendingGroup_ + "]"), lineEnd_));
  currentGroup_ = currentItem_ = lines_.size() - 1;
  pendingGroup_.reset();
}

bool PreferenceDocument::selectGroup(std::string_view name) {
  if (name.empty()) {
    currentGroup_ = currentItem_ = kNone;
    pendingGroup_.reset();
    return true;
  }
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::group && namesEqual(lines_[i].name(), name)) {
      currentGroup_ = currentItem_ = i;
      pendingGroup_.reset();
      return true;
    }
  }
  pendingGroup_ = std::string(name);
  return false;
}

void PreferenceDocument::writeComment(std::string_view text) {
  createPendingGroup();
  const std::size_t at = currentItem_ == kNone ? 0 : currentItem_ + 1;
  insert(at, classify(keep("; " + std::string(text)), lineEnd_));
  currentItem_ = at;
  modified_ = true;
}

void PreferenceDocument::writeString(std::string_view key, std::string_view value) {
  createPendingGroup();
  std::size_t at = findKey(key);
  if (at != kNone) {
    lines_[at] = rewrittenKey(lines_[at], key, value, layoutNear(at));
  } else {
    at = newKeyPlace();
    // After a comment the caller just wrote there, so that what is written
    // follows in call order.
    if (currentItem_ != kNone && currentItem_ >= at && currentItem_ < nextGroupFrom(sectionStart()) &&
        lines_[currentItem_].kind == LineKind::comment)
      at = currentItem_ + 1;
    insert(at, keyLine(layoutNear(at), key, value, lineEnd_));
  }
  currentItem_ = at;
  modified_ = true;
}

std::optional<std::string_view> PreferenceDocument::readValue(std::string_view key) const {
  if (pendingGroup_) return std::nullopt;
  const std::size_t at = findKey(key);
  if (at == kNone) return std::nullopt;
  return runtime::trimBlanks(lines_[at].value());
}

bool PreferenceDocument::examineKeys() {
  if (pendingGroup_) return false;
  currentItem_ = currentGroup_;
  return true;
}

bool PreferenceDocument::nextKey() { return advance(false); }

bool PreferenceDocument::nextLine() { return advance(true); }

bool PreferenceDocument::advance(bool everyLine) {
  if (pendingGroup_) return false;
  std::size_t i = currentItem_ == kNone ? 0 : currentItem_ + 1;
  while (!everyLine && i < lines_.size() && (lines_[i].kind == LineKind::comment || lines_[i].kind == LineKind::blank))
    ++i;
  if (i >= lines_.size() || lines_[i].kind == LineKind::group) return false;
  currentItem_ = i;
  return true;
}

std::string_view PreferenceDocument::keyValue() const {
  if (currentItem_ == kNone || lines_[currentItem_].kind != LineKind::key) return {};
  return runtime::trimBlanks(lines_[currentItem_].value());
}

void PreferenceDocument::arrangeGroup(const std::vector<Placement>& placements) {
  createPendingGroup();
  const std::size_t from = sectionStart(), to = nextGroupFrom(from);
  const KeyLayout layout = layoutNear(to);
  std::vector<Line> body;
  body.reserve(placements.size());
  for (const Placement& placement : placements) {
    if (!placement.line || *placement.line >= to - from) {
      body.push_back(
          keyLine(layout, placement.name.value_or(std::string()), placement.value.value_or(std::string()), lineEnd_));
      continue;
    }
    const Line& line = lines_[from + *placement.line];
    if (!placement.name && !placement.value) {
      body.push_back(line);
    } else if (line.kind == LineKind::key) {
      body.push_back(rewrittenKey(line, placement.name ? *placement.name : line.name(),
                                  placement.value ? *placement.value : line.value(), layout));
    } else {
      body.push_back(
          keyLine(layout, placement.name.value_or(std::string()), placement.value.value_or(std::string()), line.end));
    }
  }
  // Every line ends but the file's last, wherever a line without an end went.
  const bool last = to == lines_.size();
  for (std::size_t i = 0; i < body.size(); ++i)
    if (body[i].end.empty() && !(last && i + 1 == body.size())) body[i].end = lineEnd_;
  if (from > 0 && !body.empty() && lines_[from - 1].end.empty()) lines_[from - 1].end = lineEnd_;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from), lines_.begin() + static_cast<std::ptrdiff_t>(to));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(from), body.begin(), body.end());
  // An empty line moved after a lone CR is ended as that line is.
  for (std::size_t i = from; i < from + body.size(); ++i)
    if (i > 0 && runsInto(lines_[i - 1], lines_[i])) lines_[i].end = lines_[i - 1].end;
  currentItem_ = currentGroup_;
  modified_ = true;
}

}  // namespace core
