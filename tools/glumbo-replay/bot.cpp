#include "bot.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <queue>
#include <utility>

#include "actors/ghost.h"
#include "actors/player.h"
#include "app/key_state.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "render/camera.h"
#include "render/menu.h"
#include "world/level.h"

namespace {

constexpr int kOverheadMode = 3;   // the view in which the arrows steer absolutely
constexpr int kMapKey = VkReturn;  // any key leaves the map; this one means nothing in play
constexpr int kMenuSettleFrames = 30;
constexpr int kFar = 1 << 20;

// Arrow key of each heading: 0 toward -z, 1 toward +x, 2 toward +z, 3 toward -x.
constexpr int kDirectionKey[4] = {VkUp, VkRight, VkDown, VkLeft};
constexpr int kStepX[4] = {0, 1, 0, -1};
constexpr int kStepZ[4] = {-1, 0, 1, 0};

// Power that is about to run out is no protection: the light starts to
// flicker at 0.22, and a ghost reached by then may bite a moment later.
constexpr float kSafePowerLimit = 0.2f;
// Powered, the bot goes after ordinary ghosts only this close (path cost);
// the boss is hunted wherever it is.
constexpr int kGhostChaseCost = 120;
constexpr int kTurnBackCost = 15;
constexpr int kTurnCost = 4;
constexpr int kLookAheadSteps = 6;
// The fastest ghost's speed over the boosted player's.
constexpr double kGhostSpeedRatio = 0.052 / 0.08;

bool IsBossLevel() { return bossActive && level && level->LevelNumber() >= 100; }

// A ghost is worth fearing or hunting while it is whole and on the board.
bool Dangerous(const Ghost* g) { return g && !g->IsEaten(); }

}  // namespace

void Bot::Press(int vk) {
  KeyState[vk] = KeyPressed;
  if (std::find(held_.begin(), held_.end(), vk) == held_.end()) held_.push_back(vk);
}

void Bot::ReleaseConsumedKeys() {
  // A press lasts until the game has taken it; the map key is held while the
  // map is shown, since the map only looks for a key that is down.
  std::vector<int> still;
  for (int vk : held_) {
    const bool keepMapKey = vk == kMapKey && GameState == StateLevelMap;
    if (KeyState[vk] == KeyPressed || keepMapKey) {
      still.push_back(vk);
    } else {
      KeyState[vk] = KeyUp;
    }
  }
  held_ = std::move(still);
  if (GameState != StatePlaying && GameState != StateMenu && GameState != StateLevelMap &&
      GameState != StateRecordEntry) {
    // Nothing reads the play keys outside play: let go of them all.
    for (int vk : held_) KeyState[vk] = KeyUp;
    held_.clear();
  }
}

void Bot::Act() {
  ++frame_;
  ReleaseConsumedKeys();
  const int state = GameState;
  const int levelNumber = level ? level->LevelNumber() : 0;
  if (state == StateEnding) sawEnding_ = true;
  if (state == StateGameOver) sawGameOver_ = true;
  if (state == StateCaught && lastState_ != StateCaught) ++deaths_[levelNumber];
  if ((state == StatePlaying || state == StateRescueScene) && !levelStart_.count(levelNumber)) {
    levelStart_[levelNumber] = frame_;
  }
  lastState_ = state;

  switch (state) {
    case StateMenu:
      // A game that entered a record ends once its table has been shown.
      if (menu && menu->showingRecords) break;
      if (sawEnding_) completed_ = true;
      if (sawGameOver_) lostGame_ = true;
      if (!completed_ && !lostGame_) InMenu();
      break;
    case StateLevelMap:
      OnLevelMap();
      break;
    case StateRecordEntry:
      OnRecordScreen();
      break;
    case StatePlaying:
      Play();
      break;
    default:
      break;
  }
}

void Bot::InMenu() {
  // "Nuevo Juego" is the first line; wait for the menu to stand still first.
  if (++menuFrames_ > kMenuSettleFrames && KeyState[VkSpace] == KeyUp) Press(VkSpace);
}

void Bot::OnLevelMap() {
  if (KeyState[kMapKey] == KeyUp) Press(kMapKey);
}

void Bot::OnRecordScreen() {
  // Its initials typed as letter keys, one a frame once the last is taken,
  // then Enter.
  static constexpr char kInitials[] = "BOT";
  if (!held_.empty()) return;
  if (initialsTyped_ < sizeof kInitials - 1) {
    Press(kInitials[initialsTyped_++]);
  } else {
    Press(VkReturn);
    initialsTyped_ = 0;
  }
}

bool Bot::PlayerMayEnter(int cx, int cz) const {
  if (cx < 0 || cz < 0 || cx >= width_ || cz >= height_) return false;
  const int c = level->walls.cells[cx][cz];
  if (c >= kDoorCode) return level->IsDoorOpen(c - kDoorCode);
  if (c >= 1000) return false;
  if ((c >= 4 && c <= 21) || c == 38 || c == 39) return false;
  return true;
}

int Bot::ArrowDirection(int cx, int cz) const {
  if (cx < 0 || cz < 0 || cx >= width_ || cz >= height_) return -1;
  const int c = level->walls.cells[cx][cz];
  return (c >= 22 && c <= 25) ? c - 22 : -1;
}

void Bot::MarkGhostDistances(bool powered) {
  const int n = width_ * height_;
  ghostDistance_.assign(static_cast<std::size_t>(n), kFar);
  if (powered) return;
  std::deque<int> queue;
  auto seed = [&](float gx, float gz) {
    // Every cell the ghost's body overlaps counts as its own.
    for (float ox : {-0.45f, 0.45f}) {
      for (float oz : {-0.45f, 0.45f}) {
        const int cx = static_cast<int>(gx + ox), cz = static_cast<int>(gz + oz);
        if (cx < 0 || cz < 0 || cx >= width_ || cz >= height_) continue;
        const int i = cx * height_ + cz;
        if (ghostDistance_[i] != 0) {
          ghostDistance_[i] = 0;
          queue.push_back(i);
        }
      }
    }
  };
  for (int g = 0; g < activeGhostCount && g < 8; ++g) {
    if (Dangerous(ghosts[g])) seed(ghosts[g]->x, ghosts[g]->z);
  }
  // Ghosts walk the corridors and their own house.
  auto ghostMayEnter = [&](int cx, int cz) {
    if (cx < 0 || cz < 0 || cx >= width_ || cz >= height_) return false;
    const int c = level->walls.cells[cx][cz];
    return c == 38 || c == 39 || c >= kDoorCode || PlayerMayEnter(cx, cz);
  };
  while (!queue.empty()) {
    const int i = queue.front();
    queue.pop_front();
    const int cx = i / height_, cz = i % height_;
    for (int d = 0; d < 4; ++d) {
      const int nx = cx + kStepX[d], nz = cz + kStepZ[d];
      if (!ghostMayEnter(nx, nz)) continue;
      const int j = nx * height_ + nz;
      if (ghostDistance_[j] > ghostDistance_[i] + 1) {
        ghostDistance_[j] = ghostDistance_[i] + 1;
        queue.push_back(j);
      }
    }
  }
  // The boss walks through some walls: only the straight-line distance says
  // how near it is.
  if (bossActive && Dangerous(boss)) {
    const int bx = static_cast<int>(boss->x), bz = static_cast<int>(boss->z);
    for (int cx = 0; cx < width_; ++cx) {
      for (int cz = 0; cz < height_; ++cz) {
        int& d = ghostDistance_[cx * height_ + cz];
        d = std::min(d, std::max(0, std::abs(cx - bx) + std::abs(cz - bz) - 1));
      }
    }
  }
}

bool Bot::PlanFirstStep(int fromX, int fromZ, bool powered, bool fleeOnly, Cell& next) {
  const int n = width_ * height_;
  const int start = fromX * height_ + fromZ;
  if (fromX < 0 || fromZ < 0 || fromX >= width_ || fromZ >= height_) return false;

  // What the bot is after this time, most wanted first.
  enum class Goal { Ghost, Portal, Pellet, Food, Safety };
  std::vector<Goal> goals;
  if (fleeOnly) {
    goals = {Goal::Safety};
  } else {
    if (powered) goals.push_back(Goal::Ghost);
    goals.push_back(Goal::Portal);
    if (IsBossLevel() && !powered) goals.push_back(Goal::Pellet);
    goals.push_back(Goal::Food);
  }

  auto objectAt = [&](int cx, int cz) { return level->objects.cells[cx][cz]; };
  auto isCoin = [&](int o) { return o >= kCoinCode && o < kCoinCode + level->coinCount; };
  auto isPellet = [&](int o) { return o >= kLargePelletCode && o < kLargePelletCode + level->largePelletCount; };
  auto ghostNear = [&](int cx, int cz, bool bossOnly, int reach) {
    auto near = [&](const Ghost* g) {
      return Dangerous(g) && std::abs(static_cast<int>(g->x) - cx) + std::abs(static_cast<int>(g->z) - cz) <= reach;
    };
    if (bossActive && near(boss)) return true;
    if (bossOnly) return false;
    for (int g = 0; g < activeGhostCount && g < 8; ++g) {
      if (near(ghosts[g])) return true;
    }
    return false;
  };

  for (Goal goal : goals) {
    auto isGoal = [&](int cx, int cz) {
      switch (goal) {
        case Goal::Ghost:
          // The boss is eaten from two cells away, the others only up close.
          return ghostNear(cx, cz, true, 1) || (!IsBossLevel() && ghostNear(cx, cz, false, 0));
        case Goal::Portal: {
          const int c = level->walls.cells[cx][cz];
          if (c < kDoorCode || !level->IsDoorOpen(c - kDoorCode)) return false;
          return level->GetDoor(c - kDoorCode)->TargetLevel() != -1;
        }
        case Goal::Pellet:
          return isPellet(objectAt(cx, cz));
        case Goal::Food:
          return isCoin(objectAt(cx, cz)) || isPellet(objectAt(cx, cz));
        case Goal::Safety:
          return ghostDistance_[cx * height_ + cz] >= 6;
      }
      return false;
    };
    // The chase in the boss level only counts if the boss itself can be reached.
    const int limit = (goal == Goal::Ghost && !IsBossLevel()) ? kGhostChaseCost : kFar;

    cost_.assign(static_cast<std::size_t>(n), kFar);
    parent_.assign(static_cast<std::size_t>(n), -1);
    steps_.assign(static_cast<std::size_t>(n), 0);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    cost_[start] = 0;
    open.push({0, start});
    int found = -1;
    while (!open.empty()) {
      auto [c, i] = open.top();
      open.pop();
      if (c != cost_[i]) continue;
      if (c > limit) break;
      const int cx = i / height_, cz = i % height_;
      if (i != start && isGoal(cx, cz)) {
        found = i;
        break;
      }
      // An arrow decides the way on: the player cannot turn while on it.
      const int arrow = i == start ? -1 : ArrowDirection(cx, cz);
      for (int d = 0; d < 4; ++d) {
        if (arrow >= 0 && d != arrow) continue;
        const int nx = cx + kStepX[d], nz = cz + kStepZ[d];
        if (!PlayerMayEnter(nx, nz)) continue;
        const int j = nx * height_ + nz;
        int step = 10;
        // Turning back throws away the way already run; only worth it for
        // something clearly better, or the bot dithers between two cells.
        if (i == start && d == (player->GetDirection() + 2) % 4) step += kTurnBackCost;
        else if (i == start && d != player->GetDirection()) step += kTurnCost;
        if (!powered) {
          const int gd = ghostDistance_[j];
          if (gd <= (fleeOnly ? 0 : 1)) continue;
          if (gd == 2) step += 60;
          else if (gd == 3) step += 25;
          else if (gd == 4) step += 8;
          // A cell the player reaches after k steps is only safe if the
          // fastest ghost cannot get there first: it runs at about two thirds
          // of the boosted player's speed.
          const int k = steps_[i] + 1;
          if (k <= kLookAheadSteps && gd < 1.0 + kGhostSpeedRatio * (k + 1)) step += 80;
        }
        if (cost_[i] + step < cost_[j]) {
          cost_[j] = cost_[i] + step;
          parent_[j] = i;
          steps_[j] = steps_[i] + 1;
          open.push({cost_[j], j});
        }
      }
    }
    if (found < 0) continue;
    int i = found;
    while (parent_[i] != start) i = parent_[i];
    next = Cell{i / height_, i % height_};
    return true;
  }
  return false;
}

void Bot::Steer(int fromX, int fromZ, const Cell& next) {
  int want = -1;
  for (int d = 0; d < 4; ++d) {
    if (fromX + kStepX[d] == next.x && fromZ + kStepZ[d] == next.z) want = d;
  }
  if (want < 0) return;
  const int d = player->GetDirection();
  if (d < 0 || d > 3) {
    Press(kDirectionKey[want]);
    return;
  }
  if (want == d) {
    // Pressing the way one is going runs faster, faster than any ghost.
    if (player->speed < kPlayerBoostSpeed - 0.001f) Press(kDirectionKey[d]);
    return;
  }
  if (want == (d + 2) % 4) {
    Press(kDirectionKey[want]);
    return;
  }
  // A turn only gets round the corner when the player's whole square lies in
  // the row (or column) of the side opening.
  const bool alongZ = d == 0 || d == 2;
  const float along = alongZ ? player->z : player->x;
  const int cell = alongZ ? fromZ : fromX;
  const bool aligned = static_cast<int>(along - 0.4f) == cell && static_cast<int>(along + 0.4f) == cell;
  if (aligned) {
    Press(kDirectionKey[want]);
    return;
  }
  const float centre = static_cast<float>(cell) + 0.5f;
  const bool towardCentre = (d == 0 || d == 3) ? along > centre : along < centre;
  if (!towardCentre) Press(kDirectionKey[(d + 2) % 4]);  // went past the turn: come back to it
}

void Bot::Play() {
  if (!player || !level || !camera) return;
  if (camera->GetMode() != kOverheadMode) {
    if (KeyState[VkSpace] == KeyUp) Press(VkSpace);
    return;
  }
  width_ = std::min(level->walls.width, kMaxCells);
  height_ = std::min(level->walls.height, kMaxCells);
  const int cx = static_cast<int>(player->x), cz = static_cast<int>(player->z);
  if (ArrowDirection(cx, cz) >= 0) return;  // the arrow steers for now

  const bool powered = player->IsPowered() && player->lightQuadratic < kSafePowerLimit;
  MarkGhostDistances(powered);
  Cell next;
  if (PlanFirstStep(cx, cz, powered, false, next) || PlanFirstStep(cx, cz, powered, true, next)) {
    Steer(cx, cz, next);
  }
}
