#include "render/render_frame.h"

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/state_values.h"
#include "platform/gl.h"
#include "render/camera.h"
#include "render/menu.h"
#include "render/hud.h"
#include "render/visibility_grid.h"
#include "world/level.h"
#include "world/texture.h"

namespace {

void DrawLevelMap() {
  if (camera) {
    const float eye[3] = {0, 0, 5};
    const float target[3] = {0, 0, 0};
    camera->SetEye(eye);
    camera->SetTarget(target);
  }
  glColor3f(1, 1, 1);
  if (camera) camera->Apply();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int n = LevelMap[c][r];
      const int m = LevelMapMarks[c][r];
      if (n <= 0 || m == kMarkHidden) continue;
      const float z = level && n == level->LevelNumber() ? mapZoom : 0.0f;
      Texture* picture = m == kMarkVisited ? mapTextures[c * 3 + r] : mapBlankTexture;
      if (picture) picture->Bind();
      glPushMatrix();
      glLoadIdentity();
      glTranslatef(static_cast<float>(c - 1), static_cast<float>(1 - r), 0);
      glBegin(GL_QUADS);
      glTexCoord2f(0, 1);
      glVertex3f(-0.5f, 0.5f, z);
      glTexCoord2f(0, 0);
      glVertex3f(-0.5f, -0.5f, z);
      glTexCoord2f(1, 0);
      glVertex3f(0.5f, -0.5f, z);
      glTexCoord2f(1, 1);
      glVertex3f(0.5f, 0.5f, z);
      glEnd();
      glPopMatrix();
    }
  }
  glDisable(GL_BLEND);
}

// Camera, grid, clear, lights: the start of every scene of the maze.
void BeginMazeScene() {
  if (camera) camera->Apply();
  if (visibilityGrid) visibilityGrid->Update();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
}

void DrawGhostIfVisible(Ghost& g) {
  float x, y, z;
  g.GetPosition(x, y, z);
  if (!visibilityGrid || visibilityGrid->IsCellVisible(static_cast<int>(x), static_cast<int>(z))) g.Draw();
}

void DrawPlayScene() {
  BeginMazeScene();
  if (level) level->Draw();
  if (player) player->DrawPlayer();
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  if (bossActive && boss) DrawGhostIfVisible(*boss);
  for (int i = 0; i < activeGhostCount && i < 8; ++i) {
    if (ghosts[i]) DrawGhostIfVisible(*ghosts[i]);
  }
  glDepthMask(GL_TRUE);
  DrawHud();
}

void DrawRescueScene() {
  BeginMazeScene();
  if (level) level->Draw();
  if (player) player->DrawPlayer();
  if (partner && textScrollY <= 1.0f) partner->DrawPlayer();
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  for (int i = 0; i < activeGhostCount && i < 8; ++i) {
    if (ghosts[i]) DrawGhostIfVisible(*ghosts[i]);
  }
  glDepthMask(GL_TRUE);
  glEnable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  if (textScrollY == 0.0f) DrawHelpCall();
}

void DrawEndingScene() {
  BeginMazeScene();
  if (level) level->Draw();
  if (player) player->DrawPlayer();
  if (partner && GameState == StateEnding) partner->DrawPlayer();
  if (textScrollY != -2.0f) DrawCredits();
}

}  // namespace

void RenderFrame() {
  const int s = GameState;
  // The menu culls front faces for its models and leaves that mode behind.
  // Every other scene is built to be seen with back faces culled: left in
  // front mode, the floor and the map's pictures vanish and the walls and the
  // player show their insides.
  if (s != StateMenu) glCullFace(GL_BACK);
  if (s == StateLevelMap) {
    DrawLevelMap();
  } else if (s == StateMenu || s == StateRecordEntry) {
    // The record screen is drawn in front of the menu's attract scene.
    if (menu) menu->DrawMenuScene();
  } else if (s == StateRescueScene) {
    DrawRescueScene();
  } else if (s >= StateWalkOut) {
    DrawEndingScene();
  } else if (s >= 11 && s != StateLoadLevel) {
    DrawPlayScene();
  }
  // Other codes (9, 10, 14 and below 8) leave the frame as it is.
}
