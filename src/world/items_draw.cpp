// Drawing the level's items: doors with their frames and swinging leaves,
// floor arrows, coins and the large pellets with their sparks.
#include "platform/gl.h"
#include "render/primitives.h"
#include "world/coin.h"
#include "world/door.h"
#include "world/face_draw.h"
#include "world/floor_arrow.h"
#include "world/large_pellet.h"

namespace {

using maze_draw::BindTexture;
using maze_draw::FaceX;
using maze_draw::FaceY;
using maze_draw::FaceZ;
using maze_draw::Material;
using maze_draw::SetMaterial;

// One half of the frame: a lintel box from x = 0 to 1 across the top of the
// opening (no end faces) and the jamb at the outer end of the half.
void DrawFrameHalf(bool left) {
  FaceZ(0.15f, +1, 0.0f, 1.0f, 0.0f, 1.0f, 1.4f, 1.5f, 0.9f, 1.0f);
  FaceZ(-0.15f, -1, 0.0f, 1.0f, 0.0f, 1.0f, 1.4f, 1.5f, 0.9f, 1.0f);
  FaceY(1.4f, -1, 0.0f, 1.0f, -0.15f, 0.15f, {0, 1}, {1, 1}, {1, 0.9f}, {0, 0.9f});
  FaceY(1.5f, +1, 0.0f, 1.0f, -0.15f, 0.15f, {0, 1}, {1, 1}, {1, 0.9f}, {0, 0.9f});
  if (left)
    FaceX(0.0f, +1, -0.15f, 0.15f, 0.0f, 0.3f, 0.0f, 1.4f, 0.0f, 1.0f);
  else
    FaceX(1.0f, -1, -0.15f, 0.15f, 0.0f, 0.3f, 0.0f, 1.4f, 0.0f, 1.0f);
}

void DrawFrame() {
  glPushMatrix();
  glTranslatef(-1.0f, 0.0f, 0.0f);
  glBegin(GL_QUADS);
  DrawFrameHalf(true);
  glEnd();
  glPopMatrix();
  glBegin(GL_QUADS);
  DrawFrameHalf(false);
  glEnd();
}

// A leaf 1 long, 1.4 high and 0.1 thick in its hinge frame, without an
// underside. The left leaf runs x 0..1 and carries the left half of the
// picture, the right leaf x -1..0 and the right half, so a shut door shows
// the whole picture once.
void DrawLeaf(bool left) {
  const float x0 = left ? 0.0f : -1.0f;
  const float x1 = x0 + 1.0f;
  const float s0 = left ? 0.0f : 0.5f;
  const float s1 = left ? 0.5f : 1.0f;
  glBegin(GL_QUADS);
  FaceZ(0.1f, +1, x0, x1, s0, s1, 0.0f, 1.4f);
  FaceZ(0.0f, -1, x0, x1, s0, s1, 0.0f, 1.4f);
  if (left) {
    FaceX(1.0f, +1, 0.0f, 0.1f, 0.0f, 0.1f, 0.0f, 1.4f);
    FaceX(0.0f, -1, 0.0f, 0.1f, 0.0f, 0.1f, 0.0f, 1.4f);
    FaceY(1.4f, +1, 0.0f, 1.0f, 0.0f, 0.1f, {0, 1}, {0.5f, 1}, {0.5f, 0.9f}, {0, 0.9f});
  } else {
    FaceX(0.0f, +1, 0.0f, 0.1f, 0.9f, 1.0f, 0.0f, 1.4f);
    FaceX(-1.0f, -1, 0.0f, 0.1f, 0.9f, 1.0f, 0.0f, 1.4f);
    FaceY(1.4f, +1, -1.0f, 0.0f, 0.0f, 0.1f, {1, 1}, {0.5f, 1}, {0.5f, 0.9f}, {1, 0.9f});
  }
  glEnd();
}

// Coins and sparks: a square of half-size h facing +z, sent as a six-vertex
// strip. The strip's second quad is the same square wound the other way, so
// a spinning coin shows from behind as well as from the front whatever the
// cull mode.
void DrawFlake(float h) {
  glBegin(GL_QUAD_STRIP);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-h, h, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-h, -h, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(h, h, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(h, -h, 0.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-h, h, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-h, -h, 0.0f);
  glEnd();
}

}  // namespace

void Door::Draw() {
  if (!frameTexture || !leafTexture) return;

  SetMaterial(Material::Blue);
  BindTexture(frameTexture);
  glPushMatrix();
  glTranslatef(x, y, z);
  glRotatef(rotation, 0.0f, 1.0f, 0.0f);
  DrawFrame();
  glPopMatrix();

  SetMaterial(Material::Orange);
  BindTexture(leafTexture);
  glPushMatrix();
  glTranslatef(x, y, z);
  glRotatef(rotation, 0.0f, 1.0f, 0.0f);
  glPushMatrix();
  glTranslatef(-1.0f, 0.0f, -0.15f);
  glRotatef(angle, 0.0f, 1.0f, 0.0f);
  DrawLeaf(true);
  glPopMatrix();
  glTranslatef(1.0f, 0.0f, -0.15f);
  glRotatef(-angle, 0.0f, 1.0f, 0.0f);
  DrawLeaf(false);
  glPopMatrix();
}

void FloorArrow::Draw() {
  glPushMatrix();
  glTranslatef(x, 0.01f, z);
  glRotatef(rotation, 0.0f, 1.0f, 0.0f);
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 1.0f, 0.0f);
  glTexCoord2f(0.0f, scroll);
  glVertex3f(-0.5f, 0.0f, -0.5f);
  glTexCoord2f(0.0f, scroll - 0.5f);
  glVertex3f(-0.5f, 0.0f, 0.5f);
  glTexCoord2f(0.5f, scroll - 0.5f);
  glVertex3f(0.5f, 0.0f, 0.5f);
  glTexCoord2f(0.5f, scroll);
  glVertex3f(0.5f, 0.0f, -0.5f);
  glEnd();
  glPopMatrix();
}

void Coin::Draw() {
  if (!visible) return;
  glPushMatrix();
  glTranslatef(x, y, z);
  glRotatef(angleX, 1.0f, 0.0f, 0.0f);
  glRotatef(angleY, 0.0f, 1.0f, 0.0f);
  glRotatef(angleZ, 0.0f, 0.0f, 1.0f);
  glNormal3f(0.0f, 0.0f, 1.0f);
  DrawFlake(0.15f);
  glPopMatrix();
}

void LargePellet::DrawSparks() {
  if (!active) return;
  glPushMatrix();
  glTranslatef(x, y, z);
  for (const Particle& p : particles) {
    glColor4f(p.red, p.green, p.blue, p.life);
    // Every spark is placed from the pellet, not from the spark before it.
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    glRotatef(p.angleX, 1.0f, 0.0f, 0.0f);
    glRotatef(p.angleY, 0.0f, 1.0f, 0.0f);
    glRotatef(p.angleZ, 0.0f, 0.0f, 1.0f);
    DrawFlake(0.1f);
    glPopMatrix();
  }
  glPopMatrix();
}

void LargePellet::DrawSphere() {
  if (!active) return;
  glPushMatrix();
  glTranslatef(x, y, z);
  DrawPartialSphere(0.1, 8, 0, 0.0, 6.283184, -1.570796, 1.570796);
  glPopMatrix();
}
