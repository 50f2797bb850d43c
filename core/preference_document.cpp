#include "core/preference_document.h"

#include <algorithm>
#include <cstdint>

#include "runtime/text.h"
#include "runtime/utf8.h"

namespace core {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

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

char foldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool namesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

std::string PreferenceDocument::decodeFileBytes(std::string bytes) {
  std::string_view view = bytes;
  if (view.starts_with(kUtf8Mark)) return std::move(bytes.erase(0, kUtf8Mark.size()));
  // Editors that save "Unicode" write UTF-16 with a mark; reading that as
  // Latin-1 would turn every entry into garbage that the next save keeps.
  if (view.starts_with("\xFF\xFE")) return runtime::utf16ToUtf8(view.substr(2), false);
  if (view.starts_with("\xFE\xFF")) return runtime::utf16ToUtf8(view.substr(2), true);
  // Without a mark: "Unicode" with a NUL in every second byte (ASCII text),
  // the NULs telling the byte order.
  if (const std::optional<bool> bigEndian = unmarkedUtf16(view)) return runtime::utf16ToUtf8(view, *bigEndian);
  // Editors save UTF-8 so, and other bytes above 0x7F hardly ever form
  // well-formed UTF-8 by chance.
  if (runtime::isWellFormedUtf8(view)) return bytes;
  // A UTF-8 file to which an ANSI tool appended a line: each line is read in
  // its own encoding, so that one line cannot spoil every other.
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (std::size_t start = 0; start < view.size();) {
    const std::size_t end = std::min(view.find_first_of("\r\n", start), view.size());
    const std::string_view line = view.substr(start, end - start);
    text += runtime::isWellFormedUtf8(line) ? std::string(line) : runtime::windows1252ToUtf8(line);
    const std::size_t next = std::min(view.find_first_not_of("\r\n", end), view.size());
    text += view.substr(end, next - end);
    start = next;
  }
  return text;
}

bool PreferenceDocument::parsedInPlace(std::string_view bytes) { return bytes.starts_with(kUtf8Mark); }

void PreferenceDocument::parseFile(std::string bytes) {
  // A UTF-8 file is parsed where it lies, after its mark: a large file is not copied.
  if (parsedInPlace(bytes)) {
    parse(std::move(bytes), kUtf8Mark.size());
    inPlace_ = true;
  } else {
    parse(decodeFileBytes(std::move(bytes)));
  }
}

void PreferenceDocument::parse(std::string utf8Text, std::size_t from) {
  kept_.clear();
  items_.clear();
  currentGroup_ = currentItem_ = kNone;
  pendingGroup_.reset();
  modified_ = false;
  inPlace_ = false;
  text_ = std::move(utf8Text);
  const std::string_view text = std::string_view(text_).substr(std::min(from, text_.size()));
  // An item a line at most: the list is made once, at its final size.
  items_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  auto lineFeedFrom = [&](std::size_t at) { return std::min(text.find('\n', at), text.size()); };
  std::size_t start = 0;
  // The first LF at or after `start`. It is kept across lines ended by a lone
  // CR, so that a file without any LF is searched for one only once.
  std::size_t lineFeed = lineFeedFrom(0);
  while (start < text.size()) {
    if (lineFeed < start) lineFeed = lineFeedFrom(start);
    const std::size_t end = std::min(text.substr(0, lineFeed).find('\r', start), lineFeed);
    std::string_view line = text.substr(start, end - start);
    start = end;
    while (start < text.size() && (text[start] == '\r' || text[start] == '\n')) ++start;

    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    // A line of nothing but blanks is an empty line, not a key without a name
    // (which would load as a phantom entry).
    if (line.empty()) continue;
    if (line.front() == ';') {
      line.remove_prefix(1);
      if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      items_.push_back({ItemKind::comment, {}, line});
    } else if (line.front() == '[') {
      line.remove_prefix(1);
      items_.push_back({ItemKind::group, line.substr(0, line.find(']')), {}});
    } else {
      std::size_t equals = line.find('=');
      std::string_view name = line.substr(0, equals);
      while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
      std::string_view value = equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
      while (!value.empty() && isBlank(value.front())) value.remove_prefix(1);
      items_.push_back({ItemKind::key, name, value});
    }
  }
}

bool PreferenceDocument::serialiseTo(const runtime::ByteSink& sink) const {
  // Lines are gathered into pieces of about 64 KiB: a large file is never
  // held whole a second time, and the sink is called rarely.
  constexpr std::size_t kPiece = std::size_t{1} << 16;
  std::string piece;
  piece.reserve(kPiece + 256);
  piece += kUtf8Mark;
  piece += kLineEnd;
  for (const Item& item : items_) {
    switch (item.kind) {
      case ItemKind::group:
        piece += '[';
        piece += item.name;
        piece += ']';
        break;
      case ItemKind::comment:
        piece += "; ";
        piece += item.value;
        break;
      case ItemKind::key:
        piece += item.name;
        piece += " = ";
        piece += item.value;
        break;
    }
    piece += kLineEnd;
    if (piece.size() >= kPiece) {
      if (!sink(piece)) return false;
      piece.clear();
    }
  }
  return piece.empty() || sink(piece);
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

std::size_t PreferenceDocument::nextGroupFrom(std::size_t index) const {
  while (index < items_.size() && items_[index].kind != ItemKind::group) ++index;
  return index;
}

std::size_t PreferenceDocument::findKey(std::string_view key) const {
  for (std::size_t i = sectionStart(), end = nextGroupFrom(i); i < end; ++i)
    if (items_[i].kind == ItemKind::key && namesEqual(items_[i].name, key)) return i;
  return kNone;
}

void PreferenceDocument::insert(std::size_t index, Item item) {
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), item);
  if (currentGroup_ != kNone && currentGroup_ >= index) ++currentGroup_;
  if (currentItem_ != kNone && currentItem_ >= index) ++currentItem_;
}

void PreferenceDocument::createPendingGroup() {
  if (!pendingGroup_) return;
  items_.push_back({ItemKind::group, keep(*pendingGroup_), {}});
  currentGroup_ = currentItem_ = items_.size() - 1;
  pendingGroup_.reset();
}

bool PreferenceDocument::selectGroup(std::string_view name) {
  if (name.empty()) {
    currentGroup_ = currentItem_ = kNone;
    pendingGroup_.reset();
    return true;
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].kind == ItemKind::group && namesEqual(items_[i].name, name)) {
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
  std::size_t at = currentItem_ == kNone ? 0 : currentItem_ + 1;
  insert(at, {ItemKind::comment, {}, keep(text)});
  currentItem_ = at;
  modified_ = true;
}

void PreferenceDocument::writeString(std::string_view key, std::string_view value) {
  createPendingGroup();
  std::size_t at = findKey(key);
  if (at != kNone) {
    Item& item = items_[at];
    item.name = item.name == key ? item.name : keep(key);
    item.value = keep(value);
  } else {
    at = nextGroupFrom(sectionStart());
    insert(at, {ItemKind::key, keep(key), keep(value)});
  }
  currentItem_ = at;
  modified_ = true;
}

std::optional<std::string_view> PreferenceDocument::readValue(std::string_view key) const {
  if (pendingGroup_) return std::nullopt;
  std::size_t at = findKey(key);
  if (at == kNone) return std::nullopt;
  return runtime::trimBlanks(items_[at].value);
}

bool PreferenceDocument::examineKeys() {
  if (pendingGroup_) return false;
  currentItem_ = currentGroup_;
  return true;
}

bool PreferenceDocument::nextKey() { return advance(false); }

bool PreferenceDocument::nextKeyOrComment() { return advance(true); }

bool PreferenceDocument::advance(bool stopAtComments) {
  if (pendingGroup_) return false;
  std::size_t i = currentItem_ == kNone ? 0 : currentItem_ + 1;
  while (!stopAtComments && i < items_.size() && items_[i].kind == ItemKind::comment) ++i;
  if (i >= items_.size() || items_[i].kind == ItemKind::group) return false;
  currentItem_ = i;
  return true;
}

std::optional<std::string_view> PreferenceDocument::commentText() const {
  if (currentItem_ == kNone || items_[currentItem_].kind != ItemKind::comment) return std::nullopt;
  return items_[currentItem_].value;
}

std::string_view PreferenceDocument::keyValue() const {
  if (currentItem_ == kNone || items_[currentItem_].kind != ItemKind::key) return {};
  return runtime::trimBlanks(items_[currentItem_].value);
}

void PreferenceDocument::writeKeyValue(std::string_view value) {
  if (currentItem_ == kNone || items_[currentItem_].kind != ItemKind::key) return;
  items_[currentItem_].value = keep(value);
  modified_ = true;
}

std::string PreferenceDocument::lineOf(std::size_t index) const {
  const Item& item = items_[index];
  std::string line;
  if (item.kind == ItemKind::group) return line.append("[").append(item.name).append("]");
  if (item.kind == ItemKind::comment) return std::string(item.value);
  // A key read from the file is its line as written ("foo =" stays so).
  const auto begin = reinterpret_cast<std::uintptr_t>(text_.data());
  const auto at = reinterpret_cast<std::uintptr_t>(item.name.data());
  if (at >= begin && at < begin + text_.size()) {
    const std::string_view rest = std::string_view(text_).substr(at - begin);
    // Without the blanks a rewrite left after "=" ("foo = " reads as "foo =").
    return std::string(runtime::trimBlanks(rest.substr(0, rest.find_first_of("\r\n"))));
  }
  return line.append(item.name).append(" = ").append(item.value);
}

std::string_view PreferenceDocument::keyLine() {
  if (currentItem_ == kNone || items_[currentItem_].kind != ItemKind::key) return {};
  return keep(lineOf(currentItem_));
}

void PreferenceDocument::removeGroup(std::string_view name) {
  // Only the first copy of a group is ever read. Later copies, written by
  // hand, are kept as comments where they stand instead of being lost.
  std::size_t first = kNone, firstEnd = kNone;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].kind != ItemKind::group || !namesEqual(items_[i].name, name)) continue;
    const std::size_t end = nextGroupFrom(i + 1);
    if (first == kNone) {
      first = i;
      firstEnd = end;
    } else {
      for (std::size_t j = i; j < end; ++j)
        if (items_[j].kind != ItemKind::comment) items_[j] = {ItemKind::comment, {}, keep(lineOf(j))};
    }
    i = end - 1;
  }
  if (first == kNone) return;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(first),
               items_.begin() + static_cast<std::ptrdiff_t>(firstEnd));
  auto adjust = [&](std::size_t& index) {
    if (index == kNone || index < first) return;
    index = index < firstEnd ? kNone : index - (firstEnd - first);
  };
  adjust(currentGroup_);
  adjust(currentItem_);
  modified_ = true;
}

}  // namespace core
