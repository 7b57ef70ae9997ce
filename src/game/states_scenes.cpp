// The scripted states: the rescue scene, the boss's defeat, the walk-out and the ending.
#include <cmath>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/state_handlers.h"
#include "game/state_values.h"
#include "platform/gl.h"
#include "render/camera.h"
#include "render/visibility_grid.h"
#include "world/door.h"
#include "world/level.h"

namespace {

double Seconds(double step) { return step / 70.0; }

struct Point {
  float x = 0, y = 0, z = 0;
};

Point PositionOf(const Player& p) {
  Point out;
  p.GetPosition(out.x, out.y, out.z);
  return out;
}

int Trunc(float v) { return static_cast<int>(v); }

// The rescue scene's camera: beside the player, looking at the partner.
void PlaceRescueCamera() {
  if (!camera || !player || !partner) return;
  Point p = PositionOf(*player);
  Point q = PositionOf(*partner);
  const float eye[3] = {p.x + 11.0f, 8.0f, p.z};
  const float target[3] = {q.x, q.y, q.z};
  camera->SetEye(eye);
  camera->SetTarget(target);
}

bool AllFollow(double step) {
  bool all = true;
  for (int i = 0; i < 4; ++i) {
    if (ghosts[i] && !ghosts[i]->FollowPath(step)) all = false;
  }
  return all;
}

}  // namespace

void StateRescueSceneStep(double step) {
  if (!player || !partner || !level) return;
  SequenceValues& s = sequence;
  if (s.rescueTimer == 0.0f && s.rescueStep == 0) {
    PlaceRescueCamera();
    Point q = PositionOf(*partner);
    player->WalkTo(Trunc(q.x) + 6, Trunc(q.z));
    partner->WalkTo(Trunc(q.x) + 1, Trunc(q.z));
  }
  s.rescueTimer += static_cast<float>(Seconds(step));

  if (s.rescueStep == 0 && s.rescueTimer > 2.0f) {
    if (partner->FollowPath(step / 2) && player->FollowPath(step)) {
      s.rescueStep = 1;
      s.rescueTimer = 0;
      activeGhostCount = 4;
      Point q = PositionOf(*partner);
      const int qx = Trunc(q.x), qz = Trunc(q.z);
      const int goals[4][2] = {{qx - 1, qz}, {qx + 1, qz}, {qx, qz + 1}, {qx, qz - 1}};
      for (int i = 0; i < 4; ++i) {
        if (!ghosts[i]) continue;
        ghosts[i]->LoadLevel(level);
        ghosts[i]->SetPosition(18.0f, 0.9f, 6.0f + static_cast<float>(i));
        ghosts[i]->WalkTo(goals[i][0], goals[i][1]);
      }
      player->Stop();
      partner->Stop();
    }
    PlaceRescueCamera();
  }
  if (s.rescueStep == 1) {
    player->FollowPath(step / 2);
    partner->FollowPath(step / 2);
    if (AllFollow(step)) {
      s.rescueTimer = 0;
      s.rescueStep = 2;
      level->OpenDoor(0);
    }
  }
  if (s.rescueStep == 2) {
    player->FollowPath(step);
    partner->FollowPath(step / 2);
    level->Update(step);
    if (s.rescueTimer > 2.0f) {
      partner->WalkTo(3, 0);
      for (int i = 0; i < 4; ++i) {
        if (ghosts[i]) ghosts[i]->WalkTo(3, 0);
      }
      s.rescueStep = 3;
      textScrollY = 0.0f;
      partner->ResetSpeed();
    }
  }
  if (s.rescueStep == 3) {
    player->FollowPath(step / 2);
    partner->FollowPath(step * 1.5);
    if (AllFollow(step)) {
      s.rescueTimer = 0;
      s.rescueStep = 4;
      activeGhostCount = 0;
    }
    PlaceRescueCamera();
  }
  if (s.rescueStep == 4) {
    player->FollowPath(step / 2);
    if (s.rescueTimer > 2.0f) {
      player->WalkTo(3, 0);
      s.rescueTimer = 0;
      s.rescueStep = 5;
      player->ResetSpeed();
    }
  }
  if (s.rescueStep == 5) {
    if (player->FollowPath(step)) {
      textScrollY = -2.0f;
      mapZoom = 0;
      mapTimer = 0;
      GameState = StateLevelMap;
      level->SetLevelNumber(100);
      MarkLevelMapCentreVisited();
    }
    PlaceRescueCamera();
  }
}

void StateBossDefeatedStep(double step) {
  const float fade = static_cast<float>(0.001 * step);
  if (player) player->Update(step);
  auto fadeOut = [fade](Ghost* g) {
    if (!g) return;
    float r, gr, b;
    g->GetColour(r, gr, b);
    r = std::fmax(r - fade, 0.0f);
    gr = std::fmax(gr - fade, 0.0f);
    b = std::fmax(b - fade, 0.0f);
    g->SetColour(r, gr, b);
    g->SetEaten(false);
  };
  for (int i = 0; i < activeGhostCount && i < 8; ++i) fadeOut(ghosts[i]);
  fadeOut(boss);
  if (sequence.bossDefeatTimer == 0.0f && camera) camera->SetMode(3);
  sequence.bossDefeatTimer += static_cast<float>(Seconds(step));
  if (sequence.bossDefeatTimer > 10.0f) {
    if (player) player->ResetSpeed();
    GameState = StateWalkOut;
  }
  if (camera) camera->Update(step);
  if (level) level->Update(step);
}

void StateWalkOutStep(double step) {
  if (!player || !level) return;
  if (!sequence.walkOutStarted) {
    activeGhostCount = 0;
    if (Door* door = level->GetDoor(0)) {
      player->WalkTo(Trunc(door->x), Trunc(door->z));
      level->OpenDoor(0);
    } else {
      // A level without a door 0 has nothing to walk to: the walk ends at once.
      float px, py, pz;
      player->GetPosition(px, py, pz);
      player->WalkTo(Trunc(px), Trunc(pz));
    }
    sequence.walkOutStarted = true;
  }
  if (player->FollowPath(step)) {
    TakeSettingsForLevelLoad();
    ReplaceLevel(9999);
    player->LoadLevel(level);
    if (partner) partner->LoadLevel(level);
    if (camera) {
      const float eye[3] = {4.5f, 13.0f, 13.0f};
      camera->SetEye(eye);
      if (partner) camera->SetFollowTarget(*partner);
      camera->SetDistance(13.0f);
    }
    player->Stop();
    player->SetDirection(0);
    if (partner) {
      partner->Stop();
      partner->SetDirection(2);
    }
    GameState = StateEnding;
  }
  if (camera) camera->Update(step);
  level->Update(step);
}

void StateEndingStep(double step) {
  if (!player || !partner) return;
  SequenceValues& s = sequence;
  s.endingTimer += static_cast<float>(Seconds(step));
  if (s.endingTimer > 5.0f && s.endingStep == 0) {
    s.endingStep = 1;
    Point p = PositionOf(*player);
    Point q = PositionOf(*partner);
    const float mx = (p.x + q.x) / 2, mz = (p.z + q.z) / 2;
    partner->WalkTo(Trunc(mx), Trunc(mz - 1.0f));
    player->WalkTo(Trunc(mx), Trunc(mz));
    player->ResetSpeed();
    partner->ResetSpeed();
  }
  if (s.endingStep != 1) {
    player->Update(step);
    partner->Update(step);
  } else {
    if (!s.playerArrived) s.playerArrived = player->FollowPath(step / 2);
    if (!s.partnerArrived) s.partnerArrived = partner->FollowPath(step / 2);
    if (s.playerArrived && s.partnerArrived) {
      player->Stop();
      partner->Stop();
      s.endingStep = 2;
      s.endingTimer = 0;
    }
  }

  Point q = PositionOf(*partner);
  if (s.orbitRadius == 0.0f) s.orbitRadius = 13.0f - q.z;
  s.orbitRadius -= static_cast<float>(0.005 * step);
  s.orbitHeight -= static_cast<float>(0.005 * step);
  s.orbitAngle += static_cast<float>(0.5 * step);
  if (s.orbitAngle > 360.0f) s.orbitAngle -= 360.0f;
  const float a = s.orbitAngle * 3.141592f / 180.0f;
  if (camera) {
    const float eye[3] = {q.x + std::cos(a) * s.orbitRadius, std::fabs(s.orbitHeight),
                          q.z - std::sin(a) * s.orbitRadius};
    const float target[3] = {q.x, q.y, q.z};
    camera->SetEye(eye);
    camera->SetTarget(target);
  }

  if ((s.endingStep == 2 && s.endingTimer > 5.0f) || s.endingStep == 3) {
    s.endingConstant += static_cast<float>(0.005 * step);
    s.endingQuadratic += static_cast<float>(0.0005 * step);
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, s.endingConstant);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, s.endingQuadratic);
    if (s.endingTimer > 7.0f) {
      textScrollY = -1.1f;
      s.endingStep = 3;
    }
  }
  if (s.endingStep == 3) {
    s.endingTimer = 0;
    textScrollY += static_cast<float>(0.001 * step);
    if (textScrollY > 0.3f) {
      s.endingStep = 4;
      s.endingTimer = 0;
    }
  }
  if (s.endingStep == 4 && s.endingTimer > 3.0f) EndGame();
  if (level) level->Update(step);
}
