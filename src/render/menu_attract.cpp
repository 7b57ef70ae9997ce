// The menu's attract scene: the player runs to and fro along the bottom of the
// screen, chased by four ghosts, and turns on them once powered.
#include "actors/ghost.h"
#include "actors/player.h"
#include "platform/gl.h"
#include "render/menu.h"

void Menu::PowerRunner(bool on) {
  if (player) player->SetLight(on);
}

void Menu::AnimateRunner(double step) {
  if (player) player->AnimateMouth(step);
}

void Menu::DrawAttractScene() {
  glPushMatrix();
  glLoadIdentity();
  const bool runningLeft = runnerSpeed < 0.0f;
  if (player) {
    player->SetPosition(runnerX, -3.0f, -12.0f);
    player->SetFacing(runningLeft ? 1 : 3);
    player->DrawPlayer();
  }

  // The ghosts trail the player on its +x side: chasing it while it runs
  // left, fleeing once it has powered up and turned.
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  for (int i = 0; i < 4; ++i) {
    Ghost* ghost = ghosts[i];
    if (!ghost) continue;
    ghost->SetPosition(runnerX + 2.0f * static_cast<float>(i) + 5.0f, -2.7f, -12.0f);
    ghost->SetFacing(runningLeft ? 3 : 1);
    ghost->Draw();
  }
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glPopMatrix();
}
