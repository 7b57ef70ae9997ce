// The end of a game and the record screen that may follow it.
#include "app/key_state.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/record_entry.h"
#include "game/records_file.h"
#include "game/state_handlers.h"
#include "render/menu.h"
#include "world/level.h"

RecordEntry recordEntry;
Record pendingRecord;

namespace {

Record RecordOfThisGame() {
  Record r;
  r.points = gamePoints;
  r.level = level ? level->LevelNumber() : 0;
  r.date = TodayText();
  return r;
}

// Enters the record and writes the table; its rank, or -1.
int Keep(Record r, std::array<char, kInitialsLength> initials) {
  r.initials = initials;
  const int rank = InsertRecord(recordTable, r);
  if (rank >= 0) SaveRecords();
  return rank;
}

std::array<char, kInitialsLength> Unsigned() {
  return {kUnsignedInitials[0], kUnsignedInitials[1], kUnsignedInitials[2]};
}

}  // namespace

void EndGame() {
  if (!Qualifies(recordTable, gamePoints)) {
    GameState = StateMenu;
    return;
  }
  pendingRecord = RecordOfThisGame();
  recordEntry = RecordEntry();
  // A press left from play (an arrow held when the player was caught) is not
  // meant for the letters.
  for (int& k : KeyState)
    if (k == KeyPressed) k = KeyHandled;
  GameState = StateRecordEntry;
}

void StateRecordEntryStep(double step) {
  if (menu) menu->StepAttractScene(step);
  for (int vk : RecordEntryKeys()) {
    if (KeyState[vk] != KeyPressed) continue;
    KeyState[vk] = KeyHandled;
    if (!recordEntry.Press(vk)) continue;
    const int rank = Keep(pendingRecord, recordEntry.Initials());
    GameState = StateMenu;
    if (menu) menu->ShowRecords(rank);
    return;
  }
}

void KeepUnfinishedRecord() {
  const int s = GameState;
  if (s == StateRecordEntry) {
    Keep(pendingRecord, Unsigned());
  } else if (s == StateGameOver || s == StateBossDefeated || s == StateWalkOut || s == StateEnding) {
    // The game is over or won and only its closing scenes were cut short; a
    // won game counts as having reached the closing scene.
    Record r = RecordOfThisGame();
    if (s != StateGameOver && r.level < kFinalSceneLevel) r.level = kFinalSceneLevel;
    if (Qualifies(recordTable, r.points)) Keep(r, Unsigned());
  }
}
