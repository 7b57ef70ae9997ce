// The states of a level being played: map, load, intro, play, exit, caught,
// dying, pause, game over, new game.
#include <cmath>

#include "actors/ghost.h"
#include "actors/player.h"
#include "app/key_state.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/state_handlers.h"
#include "game/state_values.h"
#include "platform/gl.h"
#include "platform/sound.h"
#include "render/camera.h"
#include "render/menu.h"
#include "render/radar.h"
#include "render/visibility_grid.h"
#include "world/level.h"

namespace {

double Seconds(double step) { return step / 70.0; }

Ghost* ActiveGhost(int i) { return i < 8 ? ghosts[i] : nullptr; }

template <typename F>
void ForActiveGhosts(F f) {
  for (int i = 0; i < activeGhostCount && i < 8; ++i) {
    if (Ghost* g = ActiveGhost(i)) f(*g);
  }
}

}  // namespace

void PlayTail(double step) {
  if (camera) camera->Update(step);
  if (level) level->Update(step);
  if (radar) radar->UpdateRadar(step);
  hudSpin += static_cast<float>(step);
}

void StateLevelMapStep(double step) {
  if (mapTimer == 0.0f && level) MarkLevelVisited(level->LevelNumber());
  if (mapZoom < 1.5f) mapZoom += static_cast<float>(0.006 * step);
  mapTimer += static_cast<float>(Seconds(step));
  bool keyDown = false;
  for (int k = 0; k < 255; ++k) {
    if (KeyState[k] != KeyUp) {
      keyDown = true;
      break;
    }
  }
  // The key is not consumed: a key still held when play begins acts there.
  if ((keyDown && mapTimer > 2.0f) || mapTimer > 10.0f) {
    mapZoom = 0;
    mapTimer = 0;
    GameState = StateLoadLevel;
  }
}

void StateNewGameStep() {
  textScrollY = -2.0f;
  if (level) level->SetLevelNumber(1);
  GameState = StateLevelMap;
  mapZoom = 0;
  mapTimer = 0;
  ResetLevelMapMarks();
  for (Ghost* g : ghosts) {
    if (g) g->Reset();
  }
  if (player) player->SetLives(kStartLives);
  extraLifePoints = 0;
  gamePoints = 0;
}

void StatePausedStep(double step) {
  sequence.pauseTimer += static_cast<float>(Seconds(step));
  pauseBlink = static_cast<long long>(sequence.pauseTimer) % 2 == 0;
}

void StateLevelIntroStep() {
  if (camera && camera->IsSettled()) GameState = StatePlaying;
}

void StatePlayingStep(double step) {
  if (bossActive && boss) {
    houseDoorTimer -= static_cast<float>(Seconds(step));
    if (houseDoorTimer < -1.0f) {
      ForActiveGhosts([](Ghost& g) { g.SetDoorOpen(false); });
      houseDoorTimer = 10.0f;
    } else if (houseDoorTimer < 0.0f) {
      ForActiveGhosts([](Ghost& g) { g.SetDoorOpen(true); });
    }
    boss->Update(step);
    if (boss->GetLives() < 0) {
      if (player) player->Stop();
      GameState = StateBossDefeated;
    }
  }
  if (player) player->Update(step);
  ForActiveGhosts([step](Ghost& g) { g.Update(step); });
  if (TakeExtraLife()) {
    platform::PlaySoundFile("./sonidos/vidaextra.wav", platform::kSoundAsync);
    if (player) player->SetLives(player->GetLives() + 1);
  }
}

void StateLevelExitStep(double step) {
  if (sequence.exitTimer == 0.0f) {
    if (player) player->Reset();
    sequence.exitConstant = 0.8f;
    sequence.exitQuadratic = 0.03f;
  }
  sequence.exitTimer += static_cast<float>(Seconds(step));
  sequence.exitConstant += static_cast<float>(0.005 * step);
  sequence.exitQuadratic += static_cast<float>(0.0005 * step);
  for (int i = 0; i <= 6; ++i) {
    glLightf(GL_LIGHT0 + i, GL_CONSTANT_ATTENUATION, sequence.exitConstant);
    glLightf(GL_LIGHT0 + i, GL_QUADRATIC_ATTENUATION, sequence.exitQuadratic);
  }
  if (sequence.exitTimer > 5.0f) {
    GameState = StateLevelMap;
    sequence.exitTimer = 0;
  }
}

void TakeSettingsForLevelLoad() {
  if (menu) {
    TakeDisplaySettings(menu->texturesOn, menu->detailSetting);
    if (visibilityGrid && visibilityGrid->IsEnabled() != menu->cullingOn) visibilityGrid->ToggleEnabled();
  }
}

void ReplaceLevel(int n) {
  delete level;
  level = new Level(detailLevel);
  level->SetLevelNumber(n);
  level->Load();
  if (visibilityGrid) {
    visibilityGrid->SetSize(level->walls.width, level->walls.height);
    level->SetVisibilityGrid(visibilityGrid);
  }
}

void StateLoadLevelStep() {
  TakeSettingsForLevelLoad();
  GameState = StateLevelIntro;
  const int n = level ? level->LevelNumber() : 1;
  ReplaceLevel(n);
  if (player) {
    player->LoadLevel(level);
    player->Reset();
  }
  if (n >= 100) {
    activeGhostCount = 8;
    houseDoorTimer = 10.0f;
    bossActive = true;
    if (boss) {
      boss->LoadLevel(level);
      boss->SetLives(4);
    }
  } else if (n >= 51) {
    activeGhostCount = 0;
    if (n == 58) {
      if (partner) partner->LoadLevel(level);
      GameState = StateRescueScene;
    }
  } else {
    bossActive = false;
    activeGhostCount = 4;
  }
  for (Ghost* g : ghosts) {
    if (g) g->LoadLevel(level);
  }
  if (radar) radar->SetGhostCount(activeGhostCount);
  if (n != 58) platform::PlaySoundFile("./sonidos/opening.wav", platform::kSoundAsync | platform::kSoundNoStop);
}

void StateCaughtStep() {
  GameState = StateDying;
  sequence.deathTimer = 0;
  sequence.deathCount = 0;
  if (camera) {
    sequence.savedCameraMode = camera->GetMode();
    camera->SetMode(3);
  }
  ForActiveGhosts([](Ghost& g) { g.SetDoorOpen(true); });
  ForActiveGhosts([](Ghost& g) { g.GoHome(); });
  if (bossActive && boss) boss->GoHome();
  if (player) {
    player->SetLives(player->GetLives() - 1);
    player->Stop();
  }
}

void StateDyingStep(double step) {
  ForActiveGhosts([step](Ghost& g) { g.Update(step); });
  if (bossActive && boss) boss->Update(step);
  sequence.deathTimer += static_cast<float>(Seconds(step));
  if (sequence.deathTimer <= 0.05f) return;
  sequence.deathCount += 1;
  sequence.deathTimer = -0.05f;
  if (player) {
    player->SetDirection((player->GetDirection() + 1) % 4);
    player->Update(step);
  }
  if (sequence.deathCount != 60) return;
  if (player && player->GetLives() < 0) {
    GameState = StateGameOver;
    return;
  }
  ForActiveGhosts([](Ghost& g) { g.SetDoorOpen(false); });
  ForActiveGhosts([](Ghost& g) { g.Reset(); });
  if (bossActive && boss) boss->Reset();
  if (camera) {
    camera->SetMode(1);
    camera->SetMode(sequence.savedCameraMode);
  }
  GameState = StateLevelIntro;
  if (player) player->ResetSpeed();
}

void StateGameOverStep(double step) {
  if (sequence.gameOverTimer == 0.0f) textScrollY = -1.1f;
  sequence.gameOverTimer += static_cast<float>(Seconds(step));
  if (textScrollY < 0.3f) textScrollY += static_cast<float>(0.003 * step);
  if (sequence.gameOverTimer > 10.0f) EndGame();
}
