#include "keymodel/key_catalogue.h"

namespace kivora {
namespace {

struct PhysicalKey {
  const char* top;
  const char* bottom;
  int fontHeight;
  Scancode scancode;
};

// Slots 1..109 in the order of the keyboard picture. "　" is the full-width space.
constexpr PhysicalKey kPhysicalKeys[] = {
    {"Esc", "", 12, 0x0001},
    {"Ｆ１", "", 10, 0x003B},
    {"Ｆ２", "", 10, 0x003C},
    {"Ｆ３", "", 10, 0x003D},
    {"Ｆ４", "", 10, 0x003E},
    {"Ｆ５", "", 10, 0x003F},
    {"Ｆ６", "", 10, 0x0040},
    {"Ｆ７", "", 10, 0x0041},
    {"Ｆ８", "", 10, 0x0042},
    {"Ｆ９", "", 10, 0x0043},
    {"Ｆ10", "", 10, 0x0044},
    {"Ｆ11", "", 10, 0x0057},
    {"Ｆ12", "", 10, 0x0058},
    {"半角", "全角", 10, 0x0029},
    {"！　", "１ぬ", 10, 0x0002},
    {"”　", "２ふ", 10, 0x0003},
    {"＃ぁ", "３あ", 10, 0x0004},
    {"＄ぅ", "４う", 10, 0x0005},
    {"％ぇ", "５え", 10, 0x0006},
    {"＆ぉ", "６お", 10, 0x0007},
    {"’ゃ", "７や", 10, 0x0008},
    {"（ゅ", "８ゆ", 10, 0x0009},
    {"）ょ", "９よ", 10, 0x000A},
    {"～を", "０わ", 10, 0x000B},
    {"＝￡", "－ほ", 10, 0x000C},
    {"￣々", "＾へ", 10, 0x000D},
    {"｜￢", "￥ー", 10, 0x007D},
    {"Back", "space", 10, 0x000E},
    {"Tab", "", 10, 0x000F},
    {"Ｑ　", "　た", 10, 0x0010},
    {"Ｗ　", "　て", 10, 0x0011},
    {"Ｅ　", "　い", 10, 0x0012},
    {"Ｒ　", "　す", 10, 0x0013},
    {"Ｔ　", "　か", 10, 0x0014},
    {"Ｙ　", "　ん", 10, 0x0015},
    {"Ｕ　", "　な", 10, 0x0016},
    {"Ｉ　", "　に", 10, 0x0017},
    {"Ｏ　", "　ら", 10, 0x0018},
    {"Ｐ　", "　せ", 10, 0x0019},
    {"｀￠", "＠゛", 10, 0x001A},
    {"［「", "｛゜", 10, 0x001B},
    {"Enter", "左", 10, 0x001C},
    {"CapsLock", "英数", 10, 0x003A},
    {"Ａ　", "　ち", 10, 0x001E},
    {"Ｓ　", "　と", 10, 0x001F},
    {"Ｄ　", "　し", 10, 0x0020},
    {"Ｆ　", "　は", 10, 0x0021},
    {"Ｇ　", "　き", 10, 0x0022},
    {"Ｈ　", "　く", 10, 0x0023},
    {"Ｊ　", "　ま", 10, 0x0024},
    {"Ｋ　", "　の", 10, 0x0025},
    {"Ｌ　", "　り", 10, 0x0026},
    {"＋』", "；れ", 10, 0x0027},
    {"＊ヶ", "：け", 10, 0x0028},
    {"｝」", "］む", 10, 0x002B},
    {"Shift", "左", 12, 0x002A},
    {"Ｚっ", "　つ", 10, 0x002C},
    {"Ｘ　", "　さ", 10, 0x002D},
    {"Ｃ　", "　そ", 10, 0x002E},
    {"Ｖ　", "　ひ", 10, 0x002F},
    {"Ｂ　", "　こ", 10, 0x0030},
    {"Ｎ　", "　み", 10, 0x0031},
    {"Ｍ　", "　も", 10, 0x0032},
    {"＜、", "，ね", 10, 0x0033},
    {"＞。", "．る", 10, 0x0034},
    {"？・", "／め", 10, 0x0035},
    {"＿｜", "＼ろ", 10, 0x0073},
    {"Shift", "右", 12, 0x0036},
    {"Ctrl", "左", 12, 0x001D},
    {"Win", "左", 12, 0xE05B},
    {"Alt", "左", 12, 0x0038},
    {"無変換", "", 12, 0x007B},
    {"space", "", 12, 0x0039},
    {"前変換", "変換(次候補)", 7, 0x0079},
    {"カタカナ", "ひらがな", 7, 0x0070},
    {"Alt", "右", 12, 0xE038},
    {"Win", "右", 12, 0xE05C},
    {"Appli", "", 10, 0xE05D},
    {"Ctrl", "右", 12, 0xE01D},
    {"Print", "Screen", 8, 0xE037},
    {"Scroll", "Lock", 8, 0x0046},
    {"Pause", "", 10, 0xE045},
    {"Insert", "", 8, 0xE052},
    {"Home", "", 10, 0xE047},
    {"Page", "Up", 10, 0xE049},
    {"Delete", "", 8, 0xE053},
    {"End", "", 10, 0xE04F},
    {"Page", "Down", 10, 0xE051},
    {"↑", "", 12, 0xE048},
    {"←", "", 12, 0xE04B},
    {"↓", "", 12, 0xE050},
    {"→", "", 12, 0xE04D},
    {"Num", "Lock", 10, 0x0045},
    {"／", "", 10, 0xE035},
    {"＊", "", 10, 0x0037},
    {"－", "", 10, 0x004A},
    {"７", "", 10, 0x0047},
    {"８", "", 10, 0x0048},
    {"９", "", 10, 0x0049},
    {"＋", "", 10, 0x004E},
    {"４", "", 10, 0x004B},
    {"５", "", 10, 0x004C},
    {"６", "", 10, 0x004D},
    {"１", "", 10, 0x004F},
    {"２", "", 10, 0x0050},
    {"３", "", 10, 0x0051},
    {"Enter", "右", 10, 0xE01C},
    {"０", "", 10, 0x0052},
    {"．", "", 10, 0x0053},
};
static_assert(std::size(kPhysicalKeys) == kPhysicalKeyCount);

// Every physical key's scancode has the high byte 00 or E0: a page of make
// codes for each finds its slot at once.
constexpr unsigned kExtendedPrefix = 0xE0;

constexpr auto kSlotByMakeCode = [] {
  std::array<std::array<std::uint8_t, 256>, 2> slots{};
  int slot = kFirstKeySlot;
  for (const PhysicalKey& key : kPhysicalKeys) {
    slots[key.scancode >> 8 == kExtendedPrefix][key.scancode & 0xFF] =
        static_cast<std::uint8_t>(slot++);
  }
  return slots;
}();

}  // namespace

KeyCatalogue::KeyCatalogue() {
  int slot = kFirstKeySlot;
  for (const PhysicalKey& key : kPhysicalKeys) {
    KeySlot& s = (*this)[slot++];
    s.topLabel = key.top;
    s.bottomLabel = key.bottom;
    s.fontHeight = key.fontHeight;
    s.scancode = key.scancode;
  }
  (*this)[kScancodeEntrySlot].topLabel = "Scan";
  (*this)[kScancodeEntrySlot].bottomLabel = "code";
  (*this)[kDisableSlot].topLabel = "キーを無効にする！";
  (*this)[kDisabledLabelSlot].topLabel = "無効";
  for (int raw = kFirstRawSlot; raw <= kLastRawSlot; ++raw) {
    (*this)[raw].topLabel = "Scan";
    (*this)[raw].bottomLabel = "code";
  }
}

bool IsKeySlot(const KeyCatalogue& catalogue, int slot) {
  return (slot >= kFirstKeySlot && slot <= kLastKeySlot) ||
         (slot >= kFirstRawSlot && slot < kFirstRawSlot + catalogue.rawCount);
}

KeySlotRange KeySlots(const KeyCatalogue& catalogue) { return KeySlotRange(catalogue.rawCount); }

int PhysicalKeySlot(Scancode scancode) {
  const unsigned prefix = scancode >> 8;
  if (prefix != 0 && prefix != kExtendedPrefix) return 0;
  return kSlotByMakeCode[prefix == kExtendedPrefix][scancode & 0xFF];
}

int KeySlotOf(const KeyCatalogue& catalogue, Scancode scancode) {
  if (const int key = PhysicalKeySlot(scancode)) return key;
  // No raw slot holds a physical key's code; among them the last holding it is
  // the one in use for it.
  for (int raw = kFirstRawSlot + catalogue.rawCount - 1; raw >= kFirstRawSlot; --raw) {
    if (catalogue[raw].scancode == scancode) return raw;
  }
  return 0;
}

bool CanBeSentByAKey(Scancode scancode) {
  const unsigned prefix = scancode >> 8, makeCode = scancode & 0xFF;
  return (prefix == 0 || prefix == kExtendedPrefix) && makeCode >= 0x01 && makeCode <= 0x7F;
}

}  // namespace kivora
