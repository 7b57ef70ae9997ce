// The menu's attract loop: the table of records after a while without a key.
#include "app/key_state.h"
#include "render/menu.h"

namespace {

bool AnyKeyDown() {
  for (int k : KeyState)
    if (k != KeyUp) return true;
  return false;
}

// Takes every waiting press; true when there was one.
bool TakeAnyPress() {
  bool any = false;
  for (int& k : KeyState) {
    if (k != KeyPressed) continue;
    k = KeyHandled;
    any = true;
  }
  return any;
}

}  // namespace

void Menu::ShowRecords(int marked) {
  showingRecords = true;
  recordsSeconds = 0.0f;
  markedRecord = marked;
}

bool Menu::StepRecordsTable(double step) {
  const float seconds = static_cast<float>(step / 70.0);
  if (showingRecords) {
    recordsSeconds += seconds;
    // The key that brings the menu back does nothing else.
    if (TakeAnyPress() || recordsSeconds > kRecordsShownSeconds) {
      showingRecords = false;
      markedRecord = -1;
      idleSeconds = 0.0f;
    }
    return true;
  }
  idleSeconds = AnyKeyDown() ? 0.0f : idleSeconds + seconds;
  // Not in the middle of a page change: the table waits for the text to stand still.
  if (idleSeconds > kIdleSecondsBeforeRecords && slideSpeed == 0.0f) ShowRecords(-1);
  return false;
}
