#include "ui/change_rules.h"

#include <cstdio>

#include "resources/resource_ids.h"
#include "ui/key_labels.h"

namespace kivora {
namespace {

std::string Hex4(Scancode code) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(code));
  return text;
}

std::string Bracketed(const KeySlot& slot) {
  return std::string("【") + slot.topLabel + " " + slot.bottomLabel + "】";
}

}  // namespace

std::string ChangeDialogCaption(const KeyCatalogue& catalogue, int sourceSlot) {
  const KeySlot& source = catalogue[sourceSlot];
  const int target = source.targetSlot;
  if (target == 0) {
    if (sourceSlot < kFirstRawSlot) return Bracketed(source) + "キーをどのキーに変更しますか？";
    return Bracketed(source) + "スキャンコード 0x" + Hex4(source.scancode) +
           " をどのキーに変更しますか？";
  }
  const std::string before =
      "変更前" + Bracketed(source) + "---> 変更後" + Bracketed(catalogue[LabelSource(target)]);
  if (target < kFirstRawSlot) return before + "キーをどのキーに変更しますか？";
  return before + "スキャンコード 0x" + Hex4(source.targetScancode) + " をどのキーに変更しますか？";
}

bool IsChangeTarget(int id) {
  return (id >= kFirstKeyCommandId && id <= kLastKeyCommandId) || id == IDC_DISABLE;
}

ButtonState ScancodeButtonState(const KeyCatalogue& catalogue, int sourceSlot) {
  const int target = catalogue[sourceSlot].targetSlot;
  // An unchanged source (target 0) is no raw-scancode label either.
  if (LabelSource(target) < kFirstRawSlot) return ButtonState::Unchanged;
  return catalogue.rawCount < kRawSlotCount ? ButtonState::Enabled : ButtonState::Disabled;
}

std::string ScancodeEntryPrompt(const KeyCatalogue& catalogue, int sourceSlot) {
  const KeySlot& source = catalogue[sourceSlot];
  return std::string("キー[") + source.topLabel + source.bottomLabel + "][0x" +
         Hex4(source.scancode) + "]を変更します";
}

EntryCheck CheckScancodeEntry(std::string_view typed, Scancode ownScancode) {
  const std::string_view digits = typed.substr(0, kScancodeEntryDigits);
  if (digits.size() != kScancodeEntryDigits) return {EntryVerdict::NotFourCharacters};
  unsigned value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return {EntryVerdict::NotHexadecimal};
    }
    value = value * 16 + static_cast<unsigned>(digit);
  }
  if (value == ownScancode) return {EntryVerdict::SameAsOwn};
  return {EntryVerdict::Accepted, static_cast<Scancode>(value)};
}

}  // namespace kivora
