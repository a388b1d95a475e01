#include "savedsets/saved_set_format.h"

#include <algorithm>
#include <cstdio>

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

std::string_view Columns(std::string_view line, std::size_t first, std::size_t width) {
  if (first >= line.size()) return {};
  return line.substr(first, width);
}

// Like atoi over the field alone, kept modulo 65536: "   -1" is 0xFFFF.
Scancode FieldNumber(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  std::uint32_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = value * 10 + static_cast<std::uint32_t>(field[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<Scancode>(value);
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

std::vector<SavedKeySet> ParseSavedSets(std::string_view bytes) {
  const std::string text = TextModeBytes(bytes);
  std::vector<SavedKeySet> sets;
  SavedKeySet* current = nullptr;

  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = std::min(text.size(), pos + kLinePieceBytes);
    const std::size_t lf = text.find('\n', pos);
    if (lf != std::string::npos && lf < end) end = lf + 1;
    std::string_view line = std::string_view(text).substr(pos, end - pos);
    pos = end;

    line = line.substr(0, line.find('\0'));
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);

    if (line.starts_with(kSetPrefix)) {
      if (sets.size() >= kMaxSavedSets) {
        current = nullptr;  // the pair lines of a set beyond the last are ignored too
        continue;
      }
      SavedKeySet& set = sets.emplace_back();
      std::string_view name = Columns(line, kNameColumn, kMaxSetNameBytes);
      while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
      set.name = name;
      set.date = Columns(line, kDateColumn, kSetDateChars);
      current = &set;
    } else if (line.starts_with(kPairPrefix)) {
      if (current == nullptr || current->pairs.size() >= kMaxSetPairs) continue;
      current->pairs.push_back(
          {.from = FieldNumber(Columns(line, kFromColumn, kNumberWidth)),
           .to = FieldNumber(Columns(line, kFromColumn + kNumberWidth, kNumberWidth))});
    }
  }
  return sets;
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
    for (std::size_t p = 0; p < set.pairs.size() && p < kMaxSetPairs; ++p) {
      char pairLine[32];
      std::snprintf(pairLine, sizeof pairLine, "chg=%5u%5u\r\n",
                    static_cast<unsigned>(set.pairs[p].from),
                    static_cast<unsigned>(set.pairs[p].to));
      lines.emplace_back(pairLine);
    }
  }
  return lines;
}

}  // namespace kivora
