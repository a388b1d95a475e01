#include "savedsets/saved_set_format.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "savedsets/set_name.h"

namespace kivora {
namespace {

constexpr std::string_view kSetPrefix = "name=";
constexpr std::string_view kPairPrefix = "chg=";
constexpr std::size_t kNameColumn = 5;
constexpr std::size_t kDateColumn = kNameColumn + kMaxSetNameBytes;
constexpr std::size_t kFromColumn = 4;
constexpr std::size_t kNumberWidth = 5;
constexpr std::size_t kLinePieceBytes = 1023;  // a 1024-byte buffer with its terminator
constexpr std::size_t kSetLineBytes = kDateColumn + kSetDateChars;
constexpr std::size_t kPairLineBytes = kFromColumn + 2 * kNumberWidth;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// What atoi skips before a number.
constexpr std::string_view kSpaces = " \t\n\v\f\r";

std::string_view Columns(std::string_view line, std::size_t first, std::size_t width) {
  return line.substr(std::min(first, line.size()), width);
}

// A number field as Kivora writes it, or as a hand may: blanks, perhaps a sign,
// then digits to the field's end, kept modulo 65536 as atoi's would be ("   -1"
// is 0xFFFF). Anything else is no number: it would be lost, or read as one
// nobody wrote ("58 29" as 58).
std::optional<Scancode> FieldNumber(std::string_view field) {
  field.remove_prefix(std::min(field.find_first_not_of(kSpaces), field.size()));
  const bool negative = field.starts_with('-');
  if (negative || field.starts_with('+')) field.remove_prefix(1);
  if (field.empty() || field.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (const char digit : field) value = value * 10 + static_cast<std::uint32_t>(digit - '0');
  return static_cast<Scancode>(negative ? 0u - value : value);
}

// A text-mode reader turns CR LF into LF before any line is cut into pieces.
std::string TextModeBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
  return text;
}

}  // namespace

SetFileText ParseSavedSets(std::string_view bytes) {
  SetFileText file;
  const auto foreign = [&file](ForeignKind kind, std::size_t line) {
    if (file.foreign.kind == ForeignKind::None) file.foreign = {kind, line};
  };
  // Names are bytes: a UTF-8 mark tells them nothing, and a rewrite may drop it.
  // Any other mark, like a NUL byte, is text in another encoding.
  if (bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    foreign(ForeignKind::OtherEncoding, 1);
  }
  const std::string text = TextModeBytes(bytes);
  SavedKeySet* current = nullptr;

  std::size_t pos = 0, nextLine = 1;
  while (pos < text.size()) {
    std::size_t end = std::min(text.size(), pos + kLinePieceBytes);
    const std::size_t lf = text.find('\n', pos);
    if (lf != std::string::npos && lf < end) end = lf + 1;
    std::string_view line = std::string_view(text).substr(pos, end - pos);
    pos = end;
    // A line longer than a piece is longer than any line of ours: its first
    // piece, whatever it begins with, is found below to be no set or pair.
    const std::size_t number = nextLine;
    if (line.ends_with('\n')) {
      ++nextLine;
      line.remove_suffix(1);
    }
    if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) {
      foreign(ForeignKind::OtherEncoding, number);
      line = line.substr(0, nul);
    }

    if (line.starts_with(kSetPrefix)) {
      if (file.sets.size() >= kMaxSavedSets) {
        foreign(ForeignKind::TooManySets, number);
        current = nullptr;  // the pair lines of a set beyond the last are ignored too
        continue;
      }
      if (line.size() > kSetLineBytes) foreign(ForeignKind::UnknownLine, number);
      SavedKeySet& set = file.sets.emplace_back();
      set.name = WithoutTrailingBlanks(Columns(line, kNameColumn, kMaxSetNameBytes));
      set.date = Columns(line, kDateColumn, kSetDateChars);
      current = &set;
    } else if (line.starts_with(kPairPrefix)) {
      if (current == nullptr || current->pairs.size() >= kMaxSetPairs) {
        foreign(current ? ForeignKind::TooManyPairs : ForeignKind::UnknownLine, number);
        continue;
      }
      const auto from = FieldNumber(Columns(line, kFromColumn, kNumberWidth)),
                 to = FieldNumber(Columns(line, kFromColumn + kNumberWidth, kNumberWidth));
      // Read as numbers nobody wrote, it would change keys the line never named.
      if (line.size() != kPairLineBytes || !from || !to) {
        foreign(ForeignKind::UnknownLine, number);
        continue;
      }
      current->pairs.push_back({.from = *from, .to = *to});
    } else if (line.find_first_not_of(kSpaces) != std::string_view::npos) {
      foreign(ForeignKind::UnknownLine, number);  // a comment, a section, text of another program
    }
  }
  return file;
}

std::vector<std::string> FormatSavedSets(const SavedSetTable& table) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < table.sets.size(); ++i) {
    if (i < table.deleted.size() && table.deleted[i]) continue;
    const SavedKeySet& set = table.sets[i];
    // Fixed columns: a name or date that somehow outgrew its field is cut rather
    // than allowed to shift the columns of the line. A name that fits is kept
    // byte for byte, even one whose last byte looks like half a character: the
    // file it came from had it so, and a save must not take bytes away.
    std::string line(kSetPrefix);
    line +=
        set.name.size() <= kMaxSetNameBytes ? set.name : CutToByteLimit(set.name, kMaxSetNameBytes);
    line.resize(kDateColumn, ' ');
    line += std::string_view(set.date).substr(0, kSetDateChars);
    line += "\r\n";
    lines.push_back(std::move(line));
    for (const ScancodePair& pair : set.pairs) {
      char pairLine[32];
      std::snprintf(pairLine, sizeof pairLine, "chg=%5u%5u\r\n", static_cast<unsigned>(pair.from),
                    static_cast<unsigned>(pair.to));
      lines.emplace_back(pairLine);
    }
  }
  return lines;
}

}  // namespace kivora
