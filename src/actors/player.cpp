#include "actors/player.h"

#include <algorithm>
#include <cmath>

#include "actors/maze_grid.h"
#include "platform/gl.h"
#include "world/level.h"

namespace {
constexpr float kCornerReach = 0.4f;
constexpr float kMouthRate = 0.5f;
constexpr float kMouthOpen = 20.0f;
constexpr float kSpeedDecay = 0.0001f;
constexpr float kTrailTopSpeed = 0.09f;
// Power: the quadratic attenuation doubles as the timer. From a power-up it
// climbs from 0.05 to the end at 0.25 in 2000 ticks; above 0.22 it flickers.
constexpr float kPowerStartConstant = 0.8f;
constexpr float kPowerStartQuadratic = 0.05f;
constexpr float kPowerFlickerFrom = 0.22f;
constexpr float kPowerEnd = 0.25f;
constexpr float kPowerConstantRate = 0.002f;
constexpr float kPowerQuadraticRate = 0.0001f;
constexpr float kCutPowerConstant = 4.2f;
constexpr float kCutPowerQuadratic = 0.235f;
constexpr float kPowerStartIntensity = 0.8f;

constexpr GLenum kLight = GL_LIGHT0 + kPlayerLightIndex;

int Trunc(float v) { return static_cast<int>(v); }

// The cell holding a coordinate. Rounding down rather than toward zero puts a
// point left of column 0 (or above row 0) outside the level, where it is
// blocked, instead of in the first column.
int Cell(float v) { return static_cast<int>(std::floor(v)); }

int CollisionCodeFor(int wallCode) {
  if ((wallCode >= 4 && wallCode <= 21) || wallCode == 38 || wallCode == 39) return kCollisionWall;
  if (wallCode >= 22 && wallCode <= 25) return kCollisionArrowFirst + (wallCode - 22);
  if (wallCode >= 1000) return wallCode;
  return kCollisionFree;
}

void SetLightAttenuation(float constant, float quadratic) {
  glLightf(kLight, GL_CONSTANT_ATTENUATION, constant);
  glLightf(kLight, GL_QUADRATIC_ATTENUATION, quadratic);
}
}  // namespace

Player::Player(bool main) : isMain(main), grid(std::make_unique<MazeGrid>()) {
  const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
  const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat specular[] = {0.8f, 0.8f, 0.8f, 1.0f};
  glLightfv(kLight, GL_AMBIENT, ambient);
  glLightfv(kLight, GL_DIFFUSE, diffuse);
  glLightfv(kLight, GL_SPECULAR, specular);
}

// The walk in progress goes with the player rather than leaking.
Player::~Player() { DropPath(); }

void Player::DropPath() {
  if (path != nullptr) path->DestroyWithNodes();
  path = nullptr;
  target.reset();
}

void Player::LoadLevel(Level* newLevel) {
  if (newLevel == nullptr) return;
  level = newLevel;
  x = 0;
  z = 0;
  y = 0.5f;
  const CellLayer& walls = newLevel->walls;
  // A level never holds more than the map's cells; keep a damaged size from
  // reaching past the arrays.
  width = std::clamp(walls.width, 0, kPlayerMaxCells);
  height = std::clamp(walls.height, 0, kPlayerMaxCells);
  grid->SetSize(width, height);
  for (auto& column : collision) std::fill(std::begin(column), std::end(column), kCollisionWall);
  for (int cy = 0; cy < height; ++cy) {
    for (int cx = 0; cx < width; ++cx) {
      const int code = walls.cells[cx][cy];
      grid->SetCell(cx, cy, code);
      collision[cx][cy] = CollisionCodeFor(code);
      if ((code == 37 && isMain) || (code == 40 && !isMain)) {
        x = static_cast<float>(cx) + 0.5f;
        z = static_cast<float>(cy) + 0.5f;
      }
    }
  }
}

void Player::GetPosition(float& outX, float& outY, float& outZ) const {
  outX = x;
  outY = y;
  outZ = z;
}

void Player::GetPosition(float out[3]) const { GetPosition(out[0], out[1], out[2]); }

void Player::Boost() {
  if (speed < kPlayerBoostSpeed) speed = kPlayerBoostSpeed;
}

void Player::Stop() { speed = 0; }

void Player::ResetSpeed() { speed = kPlayerBaseSpeed; }

void Player::Reset() {
  SetLight(false);
  ResetSpeed();
  trailOn = false;
}

int Player::CellCode(int cx, int cy) const {
  if (cx < 0 || cy < 0 || cx >= width || cy >= height) return kCollisionWall;
  return collision[cx][cy];
}

bool Player::IsFree(int cx, int cy) const {
  const int c = CellCode(cx, cy);
  if (c == kCollisionFree) return true;
  if (c >= kCollisionArrowFirst && c <= kCollisionArrowLast) return true;
  if (c >= kCollisionDoorBase) return level != nullptr && level->IsDoorOpen(c - kCollisionDoorBase);
  return false;
}

int Player::CountBlockedCorners(bool blocked[4]) const {
  const float cornerX[4] = {x + kCornerReach, x + kCornerReach, x - kCornerReach, x - kCornerReach};
  const float cornerZ[4] = {z - kCornerReach, z + kCornerReach, z + kCornerReach, z - kCornerReach};
  int count = 0;
  for (int i = 0; i < 4; ++i) {
    blocked[i] = !IsFree(Cell(cornerX[i]), Cell(cornerZ[i]));
    if (blocked[i]) ++count;
  }
  return count;
}

// The forward move is always undone when a corner would enter a blocked cell;
// the sideways nudge, tested from the forward position, is what lets the
// player slip past the edge of an opening. A nudge is taken when the cell
// beside the player's own, on the far side from the blocked corner, is open
// ahead, or when its own cell ahead is: without the second test a player in
// the opening's column but more than a tenth of a cell off its centre line
// would never get in.
void Player::MoveAndCollide(float step) {
  bool blocked[4];
  const auto openAheadX = [this](int side, int ahead) { return IsFree(side, ahead) || IsFree(Cell(x), ahead); };
  const auto openAheadZ = [this](int ahead, int side) { return IsFree(ahead, side) || IsFree(ahead, Cell(z)); };
  switch (direction) {
    case kPlayerNorth:
      z -= step;
      heading = -90;
      if (CountBlockedCorners(blocked) > 0) {
        const int ahead = Cell(z - 0.5f);
        if (blocked[0] && openAheadX(Cell(x) - 1, ahead)) {
          x -= step;
        } else if (blocked[3] && openAheadX(Cell(x) + 1, ahead)) {
          x += step;
        }
        z += step;
      }
      break;
    case kPlayerEast:
      x += step;
      heading = 180;
      if (CountBlockedCorners(blocked) > 0) {
        const int ahead = Cell(x + 0.5f);
        if (blocked[0] && openAheadZ(ahead, Cell(z) + 1)) {
          z += step;
        } else if (blocked[1] && openAheadZ(ahead, Cell(z) - 1)) {
          z -= step;
        }
        x -= step;
      }
      break;
    case kPlayerSouth:
      z += step;
      heading = 90;
      if (CountBlockedCorners(blocked) > 0) {
        const int ahead = Cell(z + 0.5f);
        if (blocked[1] && openAheadX(Cell(x) - 1, ahead)) {
          x -= step;
        } else if (blocked[2] && openAheadX(Cell(x) + 1, ahead)) {
          x += step;
        }
        z -= step;
      }
      break;
    case kPlayerWest:
      x -= step;
      heading = 0;
      if (CountBlockedCorners(blocked) > 0) {
        const int ahead = Cell(x - 0.5f);
        if (blocked[3] && openAheadZ(ahead, Cell(z) + 1)) {
          z += step;
        } else if (blocked[2] && openAheadZ(ahead, Cell(z) - 1)) {
          z -= step;
        }
        x += step;
      }
      break;
    default:
      break;
  }
}

void Player::StepMouth(double dt) {
  mouth += static_cast<float>(mouthDir * kMouthRate * dt);
  if (mouth >= kMouthOpen) {
    mouthDir = -1;
    mouth -= 0.1f;
  } else if (mouth <= 0) {
    mouthDir = 1;
    mouth += 0.1f;
  }
}

void Player::DecaySpeed(double dt) {
  if (speed <= kPlayerBaseSpeed) return;
  const bool fast = speed > kPlayerBoostSpeed;
  speed -= static_cast<float>(kSpeedDecay * dt);
  if (fast) {
    trailOn = true;
    if (speed <= kTrailTopSpeed) {
      // The streak shortens to nothing on the way down to the boost speed;
      // a long frame may carry the speed below it, which leaves no streak
      // rather than a negative length.
      trailMax = std::clamp(Trunc(speed * 1000) - 79, 0, kPlayerTrailCapacity - 1);
      trailLength = trailMax;
    } else {
      trailMax = 10;
    }
  } else {
    trailLength = 0;
    trailOn = false;
  }
}

void Player::PlaceLight() const {
  const GLfloat position[] = {x, 0.5f, z, 1.0f};
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glLightfv(kLight, GL_POSITION, position);
  glPopMatrix();
}

void Player::UpdatePowerLight(double dt) {
  if (!powered) return;
  if (lightQuadratic <= kPowerEnd) {
    if (lightQuadratic > kPowerFlickerFrom) {
      if (Trunc(lightQuadratic * 1000) % 2 == 1) {
        glEnable(kLight);
        lightIntensity = 1;
      } else {
        glDisable(kLight);
        lightIntensity = 0;
      }
    }
  } else {
    powered = false;
    lightIntensity = 0;
    glDisable(kLight);
  }
  lightConstant += static_cast<float>(kPowerConstantRate * dt);
  lightQuadratic += static_cast<float>(kPowerQuadraticRate * dt);
  SetLightAttenuation(lightConstant, lightQuadratic);
  PlaceLight();
}

void Player::Update(double dt) {
  const float step = static_cast<float>(speed * dt);

  if (trailOn) {
    ++trailCounter;
    if (trailCounter > trailInterval) {
      trailCounter = 0;
      if (trailLength < trailMax) ++trailLength;
      // trailMax is set from the speed and may be above what the records hold.
      const int oldest = std::min(trailLength, kPlayerTrailCapacity - 1);
      for (int i = oldest; i >= 1; --i) trail[i] = trail[i - 1];
      trail[0] = TrailRecord{x, y, z, heading, mouth};
    }
  }

  MoveAndCollide(step);
  StepMouth(dt);

  const int code = CellCode(Cell(x), Cell(z));
  if (code >= kCollisionArrowFirst && code <= kCollisionArrowLast) {
    direction = code - kCollisionArrowFirst;
    speed = kPlayerArrowSpeed;
  }

  if (level != nullptr && level->EatAt(Cell(x), Cell(z)) == 2) PowerUp();

  DecaySpeed(dt);
  UpdatePowerLight(dt);
}

void Player::SetLight(bool on) {
  if (on) {
    PowerUp();
    return;
  }
  glDisable(kLight);
  powered = false;
  lightIntensity = 0;
}

void Player::PowerUp() {
  PlaceLight();
  lightConstant = kPowerStartConstant;
  lightQuadratic = kPowerStartQuadratic;
  lightIntensity = kPowerStartIntensity;
  SetLightAttenuation(lightConstant, lightQuadratic);
  powered = true;
  glEnable(kLight);
}

void Player::CutPower() {
  lightQuadratic = kCutPowerQuadratic;
  lightConstant = kCutPowerConstant;
}

void Player::WalkTo(int cx, int cy) {
  if (!grid->IsPassable(cx, cy)) return;
  DropPath();
  path = grid->FindPath(Cell(x), Cell(z), cx, cy);
}

bool Player::FollowPath(double dt) {
  const float walk = static_cast<float>(speed / 1.5 * dt);

  if (path != nullptr && !target) {
    if (path->Empty()) {
      path->DestroyWithNodes();
      path = nullptr;
    } else {
      PathNode* node = path->At(0);
      path->RemoveAt(0);
      target = WalkCell{node->x, node->y};
      delete node;
    }
  }

  StepMouth(dt);

  if (target) {
    const float goalX = static_cast<float>(target->x) + 0.5f;
    const float goalZ = static_cast<float>(target->y) + 0.5f;
    float dx = goalX - x;
    float dz = goalZ - z;
    // A move that covers the rest of its axis lands on the centre exactly, so
    // that the remaining distance is a true zero and not a rounding remnant.
    if (dx > 0) {
      direction = kPlayerEast;
      heading = 180;
      if (walk >= dx) { x = goalX; dx = 0; } else { x += walk; }
    } else if (dx < 0) {
      direction = kPlayerWest;
      heading = 0;
      if (walk >= -dx) { x = goalX; dx = 0; } else { x -= walk; }
    } else if (dz < 0) {
      direction = kPlayerNorth;
      heading = -90;
      if (walk >= -dz) { z = goalZ; dz = 0; } else { z -= walk; }
    } else if (dz > 0) {
      direction = kPlayerSouth;
      heading = 90;
      if (walk >= dz) { z = goalZ; dz = 0; } else { z += walk; }
    }
    if (dx == 0 && dz == 0) target.reset();
  }

  return path == nullptr && !target;
}

void Player::SetPosition(float px, float py, float pz) {
  x = px;
  y = py;
  z = pz;
}

void Player::SetFacing(int index) {
  switch (index) {
    case 0: heading = 90; break;
    case 1: heading = 0; break;
    case 2: heading = 270; break;
    default: heading = 180; break;
  }
}
