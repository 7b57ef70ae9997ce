#include "game/record_entry.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kVkBackspace = 8;
constexpr int kVkReturn = 13;
constexpr int kVkSpace = 32;
constexpr int kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;
// The key right of L, where a Spanish keyboard has Ñ: the window systems name
// it by its place on a US keyboard (SDL) or by the Spanish layout (Windows).
constexpr int kVkEnieByPlace = 0xBA;
constexpr int kVkEnieSpanish = 0xC0;

const int kLetterCount = static_cast<int>(kInitialLetters.size());

int LetterIndex(char c) { return static_cast<int>(kInitialLetters.find(c)); }

}  // namespace

bool RecordEntry::Press(int vk) {
  const int place = Place();
  switch (vk) {
    case kVkUp: letters[place] = (letters[place] + 1) % kLetterCount; return false;
    case kVkDown: letters[place] = (letters[place] + kLetterCount - 1) % kLetterCount; return false;
    case kVkLeft: cursor = std::max(place - 1, 0); return false;
    case kVkRight: cursor = std::min(place + 1, kInitialsLength - 1); return false;
    case kVkBackspace: cursor = std::max(cursor - 1, 0); return false;
    case kVkSpace:
    case kVkReturn: return true;
    default: break;
  }
  int letter = -1;
  if (vk >= 'A' && vk <= 'Z') letter = LetterIndex(static_cast<char>(vk));
  if (vk == kVkEnieByPlace || vk == kVkEnieSpanish) letter = LetterIndex('\xD1');
  if (letter >= 0) {
    letters[place] = letter;
    cursor = place + 1;
  }
  return false;
}

std::array<char, kInitialsLength> RecordEntry::Initials() const {
  std::array<char, kInitialsLength> out{};
  for (int i = 0; i < kInitialsLength; ++i) out[i] = kInitialLetters[letters[i]];
  return out;
}

std::span<const int> RecordEntryKeys() {
  static const std::vector<int> keys = [] {
    std::vector<int> k = {kVkUp, kVkDown, kVkLeft, kVkRight, kVkBackspace, kVkEnieByPlace, kVkEnieSpanish};
    for (int c = 'A'; c <= 'Z'; ++c) k.push_back(c);
    k.push_back(kVkSpace);
    k.push_back(kVkReturn);
    return k;
  }();
  return keys;
}
