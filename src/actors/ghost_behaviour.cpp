// What a ghost does each frame: wander to random cells, chase the player when
// it comes near, catch it or be eaten by it, walk home, and, for the boss, lay
// and take away the bonus pellet.
#include <cmath>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "platform/sound.h"
#include "world/level.h"

namespace {

constexpr double kTicksPerSecond = 70.0;

// Shared by every boss ghost and never reset by a level: the pellet cycle
// carries on from one boss level to the next.
float bonusPelletClock = 20.0f;
constexpr float kBonusPelletRemoveFrom = 15.0f;
constexpr float kBonusPelletRemoveUntil = 16.0f;
constexpr float kBonusPelletPeriod = 30.0f;

constexpr float kCatchDistance = 1.0f;
constexpr float kBossBiteDistance = 2.0f;
constexpr float kNearDistance = 5.0f;     // the chase clock gains a lot
constexpr float kMiddleDistance = 10.0f;  // the chase clock gains less
constexpr float kChaseDistance = 20.0f;   // a re-plan aims at the player
constexpr float kChaseClockLimit = 10.0f;

float Seconds(double ticks) { return static_cast<float>(ticks / kTicksPerSecond); }

}  // namespace

float Ghost::BonusPelletClock() { return bonusPelletClock; }
void Ghost::SetBonusPelletClock(float seconds) { bonusPelletClock = seconds; }

bool Ghost::DrawFreeCell(int& cx, int& cy) const {
  if (width <= 0 || height <= 0) return false;
  for (int draw = 0; draw < kMaxRandomCellDraws; ++draw) {
    const int rx = GameRandom() % width;
    const int ry = GameRandom() % height;
    if (grid.IsPassable(rx, ry)) {
      cx = rx;
      cy = ry;
      return true;
    }
  }
  return false;
}

void Ghost::DropPath() {
  if (target != nullptr) {
    cellX = target->x;
    cellY = target->y;
  }
  DestroyPath();
}

void Ghost::WalkPath(double dt) {
  const double walk = dt * kGhostBaseSpeed * speedFactor;
  if (path != nullptr && target == nullptr) {
    if (path->Empty()) {
      DestroyPath();
    } else {
      PathNode* first = path->At(0);
      path->RemoveAt(0);
      target = new PathNode{};
      target->x = first->x;
      target->y = first->y;
      delete first;
      cellX = target->x;
      cellY = target->y;
    }
  }
  if (target == nullptr) return;

  const float tx = static_cast<float>(target->x) + 0.5f;
  const float tz = static_cast<float>(target->y) + 0.5f;
  const double dx = static_cast<double>(tx) - x;
  const double dz = static_cast<double>(tz) - z;
  // Landing exactly on the centre is what lets an eaten ghost know it is home.
  if (dx > 0) {
    x = walk >= dx ? tx : static_cast<float>(x + walk);
    heading = 0.0f;
  } else if (dx < 0) {
    x = walk >= -dx ? tx : static_cast<float>(x - walk);
    heading = 180.0f;
  }
  if (dz > 0) {
    z = walk >= dz ? tz : static_cast<float>(z + walk);
    heading = -90.0f;
  } else if (dz < 0) {
    z = walk >= -dz ? tz : static_cast<float>(z - walk);
    heading = 90.0f;
  }
  if (x == tx && z == tz) {
    delete target;
    target = nullptr;
  }
}

bool Ghost::FollowPath(double dt) {
  if (path == nullptr) {
    WalkPath(dt);
    return true;
  }
  WalkPath(dt);
  return path == nullptr;
}

void Ghost::WalkTo(int cx, int cy) {
  if (!grid.IsPassable(cx, cy) || path != nullptr) return;
  path = grid.FindPath(static_cast<int>(x), static_cast<int>(z), cx, cy);
  delete target;
  target = nullptr;
}

void Ghost::GoHome() {
  SetDoorOpen(true);
  if (path != nullptr) DropPath();
  int goalX = static_cast<int>(homeX);
  int goalY = static_cast<int>(homeZ);
  if (grid.IsPassable(goalX, goalY) || DrawFreeCell(goalX, goalY)) {
    path = grid.FindPath(cellX, cellY, goalX, goalY);
  }
  returningHome = true;
}

void Ghost::Plan() {
  int goalX = 0;
  int goalY = 0;
  if (!chasing) {
    if (!DrawFreeCell(goalX, goalY)) return;
  } else {
    float px = 0, py = 0, pz = 0;
    player->GetPosition(px, py, pz);
    goalX = static_cast<int>(px);
    goalY = static_cast<int>(pz);
    if (id > kGoalCorrectionId && !grid.IsPassable(goalX, goalY)) {
      // The boss's map may block the cell the player stands on; aim beside it.
      if (grid.IsPassable(goalX + 1, goalY)) {
        goalX += 1;
      } else if (grid.IsPassable(goalX - 1, goalY)) {
        goalX -= 1;
      } else if (grid.IsPassable(goalX, goalY - 1)) {
        goalY -= 1;
      } else {
        goalY += 1;
      }
    }
    if (!grid.IsPassable(goalX, goalY) && !DrawFreeCell(goalX, goalY)) return;
  }
  path = grid.FindPath(cellX, cellY, goalX, goalY);
}

void Ghost::Update(double dt) {
  stunTime -= Seconds(dt);
  if (stunTime < 0) stunTime = 0;

  if (!returningHome && stunTime == 0) {
    chaseClock += Seconds(dt);
    chasing = false;
    if (player != nullptr) {
      float px = 0, py = 0, pz = 0;
      player->GetPosition(px, py, pz);
      const float d = std::fabs(px - x) + std::fabs(pz - z);
      if (!player->IsPowered()) {
        if (d < kCatchDistance && GameState < StateCaught) {
          platform::PlaySoundFile(kGhostCatchSound, platform::kSoundAsync);
          GameState = StateCaught;
        }
        if (d < kNearDistance) {
          chaseClock += 8.0f;
        } else if (d < kMiddleDistance) {
          chaseClock += 5.0f;
        }
        if (chaseClock > kChaseClockLimit) {
          chaseClock -= kChaseClockLimit + static_cast<float>(GameRandom() % 100) / 20.0f;
          DropPath();
          if (d < kChaseDistance) chasing = true;
        }
      } else if (d < kCatchDistance || (d < kBossBiteDistance && id >= kMonsterFileId)) {
        eaten = true;
        GoHome();
        lives -= 1;
        if (id >= kMonsterFileId) player->CutPower();
        platform::PlaySoundFile(kGhostEatenSound, platform::kSoundAsync);
        extraLifePoints = kGhostEatenPoints;
        gamePoints += kGhostEatenPoints;
      }
    }
  } else if (x == homeX && z == homeZ && eaten) {
    Reset();
  }

  // Without a player to chase the ghost only wanders.
  if (player == nullptr) chasing = false;
  if (!returningHome && path == nullptr) Plan();
  WalkPath(dt);
  if (id >= kMonsterFileId) BonusPelletStep(dt);
}

void Ghost::BonusPelletStep(double dt) {
  bonusPelletClock += Seconds(dt);
  if (level == nullptr) return;
  if (bonusPelletClock > kBonusPelletRemoveFrom && bonusPelletClock < kBonusPelletRemoveUntil) {
    level->RemoveBonusPellet();
  }
  if (bonusPelletClock > kBonusPelletPeriod) {
    bonusPelletClock = 0;
    int cx = 0;
    int cy = 0;
    if (DrawFreeCell(cx, cy)) level->PlaceBonusPellet(cx, cy);
  }
}
