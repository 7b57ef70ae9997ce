#include "render/hud.h"

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "platform/gl.h"
#include "render/bitmap_font.h"
#include "render/hud_values.h"
#include "render/radar.h"
#include "world/level.h"
#include "world/texture.h"

namespace {

constexpr float kIconHalf = 0.035f;

void BindIfLoaded(Texture* texture) {
  if (texture && texture->name != 0) texture->Bind();
}

void DrawSpinningIcon(float x, float y) {
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(x, y, 1.0f - kIconHalf);
  glRotatef(hudSpin, 0.0f, 1.0f, 0.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 1);
  glVertex3f(-kIconHalf, kIconHalf, 0);
  glTexCoord2f(0, 0);
  glVertex3f(-kIconHalf, -kIconHalf, 0);
  glTexCoord2f(1, 0);
  glVertex3f(kIconHalf, -kIconHalf, 0);
  glTexCoord2f(1, 1);
  glVertex3f(kIconHalf, kIconHalf, 0);
  glEnd();
  glPopMatrix();
}

}  // namespace

void BeginScreenText() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glClear(GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glTranslatef(0.0f, 0.0f, 1.0f);
}

void DrawHud() {
  if (radar) radar->DrawRadar();

  glLoadIdentity();
  glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  BindIfLoaded(lifeTexture);
  const int lives = player ? player->GetLives() : 0;
  for (int i = 0; i < lives; ++i) DrawSpinningIcon(0.6f + 0.1f * static_cast<float>(i), -0.5f);

  const int levelNumber = level ? level->LevelNumber() : 0;
  if (levelNumber >= 100 && levelNumber <= 199) {
    glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
    BindIfLoaded(ghostLifeTexture);
    const int bossLives = boss ? boss->GetLives() : 0;
    for (int i = 0; i < bossLives; ++i) DrawSpinningIcon(0.6f + 0.075f * static_cast<float>(i), -0.3f);
  }

  glEnable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0.75f, 0.75f, -0.5f);
  glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
  glScalef(0.1f, 0.15f, 0.15f);
  if (level) level->DrawDoorIndicator();
  glPopMatrix();
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);

  if (GameState == StatePaused && pauseBlink) {
    BeginScreenText();
    glRasterPos2f(-0.2f, 0.4f);
    PrintBitmap("  !! PAUSA !!");
  }
  if (textScrollY != kTextHidden) {
    BeginScreenText();
    glRasterPos2f(-0.2f, textScrollY);
    PrintBitmap("   GAME OVER");
    glRasterPos2f(-0.2f, textScrollY - 0.08f);
    PrintBitmap("   ---------");
  }
}

void DrawHelpCall() {
  glDisable(GL_LIGHTING);
  glLoadIdentity();
  if (partner) {
    float x, y, z;
    partner->GetPosition(x, y, z);
    glTranslatef(x, y + 1.0f, z);
  }
  // No colour of its own: the call takes the one the ghosts were drawn with.
  glRasterPos2f(-0.15f, 0.0f);
  PrintBitmap("AYUDA!!");
}

void DrawCredits() {
  if (textScrollY == kTextHidden) return;
  BeginScreenText();
  const float y = textScrollY;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glRasterPos2f(-0.2f, y);
  PrintBitmap("  Creado por:");
  glRasterPos2f(-0.2f, y - 0.08f);
  PrintBitmap("  -----------");
  glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
  glRasterPos2f(-0.2f, y - 0.2f);
  PrintBitmap("%s", kCreditsProgramming);
  glRasterPos2f(-0.2f, y - 0.3f);
  PrintBitmap("%s", kCreditsArt);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glRasterPos2f(-0.25f, y - 0.7f);
  PrintBitmap("Gracias por jugar");
  glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
  glRasterPos2f(-0.02f, y - 0.8f);
  PrintBitmap("FIN");
}
