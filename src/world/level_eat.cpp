// What the player's mouth does to a cell: coins, large pellets and portal doors.
#include "game/game_state.h"
#include "game/game_values.h"
#include "platform/sound.h"
#include "world/level.h"

namespace {
constexpr const char* kCoinSound = "./sonidos/comerBolita.wav";
constexpr const char* kLargePelletSound = "./sonidos/comerBola.wav";

bool ValidIndex(int index, int count) { return index >= 0 && index < count; }
}  // namespace

int Level::EatAt(int x, int z) {
  // The actors may stand on a cell the layers do not cover (a level smaller
  // than its collision map): there is nothing to eat there.
  if (x < 0 || z < 0 || x >= walls.width || z >= walls.height || x >= kMaxCells || z >= kMaxCells) return 0;

  const int wall = walls.cells[x][z];
  const int door = wall - kDoorCode;
  if (doors != nullptr && ValidIndex(door, doorCount) && ValidIndex(door, doors->count)) {
    const int destination = doors->At(door)->TargetLevel();
    if (destination != -1) {
      SetLevelNumber(destination);
      GameState = StateLevelExit;
    }
    return 0;
  }

  const int object = objects.cells[x][z];
  const int coin = object - kCoinCode;
  if (coins != nullptr && ValidIndex(coin, coinCount) && ValidIndex(coin, coins->count)) {
    // No-stop: a coin eaten while another sound plays stays silent.
    platform::PlaySoundFile(kCoinSound, platform::kSoundAsync | platform::kSoundNoStop);
    extraLifePoints += kCoinPoints;
    gamePoints += kCoinPoints;
    coins->At(coin)->SetVisible(false);
    objects.cells[x][z] = 0;
    if (doorCounters != nullptr) {
      for (DoorCounter* counter : doorCounters->items) {
        if (counter == nullptr) continue;
        --counter->coinsLeft;
        if (counter->coinsLeft != 0) continue;
        indicatorShowing = true;
        if (doors != nullptr && ValidIndex(counter->doorIndex, doors->count))
          doors->At(counter->doorIndex)->StartMoving(true);
      }
    }
    return 1;
  }

  const int pellet = object - kLargePelletCode;
  if (largePellets != nullptr && ValidIndex(pellet, largePelletCount) && ValidIndex(pellet, largePellets->count)) {
    platform::PlaySoundFile(kLargePelletSound, platform::kSoundAsync);
    extraLifePoints += kLargePelletPoints;
    gamePoints += kLargePelletPoints;
    largePellets->At(pellet)->SetActive(false);
    objects.cells[x][z] = 0;
    return 2;
  }
  return 0;
}
