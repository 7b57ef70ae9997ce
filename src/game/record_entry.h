// The record screen's three letters and what each key does to them. Up and
// Down step the letter under the cursor through A-Z, Ñ and a space; Left and
// Right move the cursor; a letter key types that letter and moves on;
// Backspace goes back one place; Space or Enter confirms. A controller gives
// the same key codes (d-pad and south button).
#pragma once

#include <array>
#include <span>

#include "game/records.h"

struct RecordEntry {
  std::array<int, kInitialsLength> letters = {0, 0, 0};  // indices into kInitialLetters
  // 0 to 2, the place being set; kInitialsLength once all three have been typed,
  // so that Backspace then goes back to the last letter rather than the one before.
  int cursor = 0;

  // The letter under the cursor, the one drawn as selected.
  int Place() const { return cursor < kInitialsLength ? cursor : kInitialsLength - 1; }
  // One key press (a virtual-key code); true when it confirms the initials.
  bool Press(int vk);
  std::array<char, kInitialsLength> Initials() const;
};

// The key codes the screen reads, in the order their presses are taken: a
// confirming key last, so that letters typed in the same frame count.
std::span<const int> RecordEntryKeys();

// The record screen being shown: its letters, and the game it would enter.
extern RecordEntry recordEntry;
extern Record pendingRecord;
