// The player's model: an open-mouthed sphere with its mouth interior and two
// eyes, glowing while powered, and a streak of fading copies at high speed.
// The partner also wears red lips and a bow.
#include <algorithm>
#include <cmath>

#include "actors/player.h"
#include "platform/gl.h"
#include "render/primitives.h"

namespace {

constexpr float kHalfPi = 1.570796f;
constexpr float kPiOver16 = 0.1963495f;
constexpr float kPi = 3.141592f;
constexpr int kRimPoints = 17;

// ambientDivisor 3 for the body, 2 for the mouth, lips, bow and eyes.
void SetMaterial(float r, float g, float b, float ambientDivisor) {
  const float ambient[4] = {r / ambientDivisor, g / ambientDivisor, b / ambientDivisor, 1.0f};
  const float colour[4] = {r, g, b, 1.0f};
  glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
  glMaterialfv(GL_FRONT, GL_SPECULAR, colour);
}

// A rim point of a jaw at angle t (cos t <= 0): jawAngle is m for the lower
// jaw and -m for the upper one.
void RimPoint(float jawAngle, int k, float scale, float out[3]) {
  const float t = kHalfPi + k * kPiOver16;
  out[0] = std::cos(jawAngle) * std::cos(t) * scale;
  out[1] = std::sin(jawAngle) * std::cos(t) * scale;
  out[2] = std::sin(t) * scale;
}

// The half-discs that close the two cut faces of the body. Each faces into
// the mouth, so it is lit from the side the mouth opens to.
void DrawMouthInterior(float m) {
  float p[3];
  glBegin(GL_TRIANGLE_FAN);
  glNormal3f(-std::sin(m), std::cos(m), 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  for (int k = kRimPoints - 1; k >= 0; --k) {
    RimPoint(m, k, 1.0f, p);
    glVertex3fv(p);
  }
  glEnd();
  glBegin(GL_TRIANGLE_FAN);
  glNormal3f(-std::sin(m), -std::cos(m), 0.0f);
  glVertex3f(0.0f, 0.0f, 0.0f);
  for (int k = 0; k < kRimPoints; ++k) {
    RimPoint(-m, k, 1.0f, p);
    glVertex3fv(p);
  }
  glEnd();
}

void DrawLipsAndBow(float m) {
  float p[3];
  glLineWidth(2.0f);
  glBegin(GL_LINE_STRIP);
  for (int k = kRimPoints - 1; k >= 0; --k) {
    RimPoint(m, k, 1.01f, p);
    glVertex3fv(p);
  }
  glEnd();
  glBegin(GL_LINE_STRIP);
  for (int k = 0; k < kRimPoints; ++k) {
    RimPoint(-m, k, 1.01f, p);
    glVertex3fv(p);
  }
  glEnd();
  glLineWidth(1.0f);

  // The bow sits on top of the head, a little towards the mouth: the upper
  // jaw's middle rim point turned 70 degrees further up, lowered by 0.1.
  float bow[3];
  RimPoint(-(m + 1.2217302f), 8, 1.01f, bow);
  bow[1] -= 0.1f;
  const float px = bow[0], py = bow[1], pz = bow[2];
  glDisable(GL_CULL_FACE);
  glBegin(GL_TRIANGLES);
  glNormal3f(-1.0f, 0.0f, 0.0f);
  glVertex3f(px, py + 0.4f, pz - 0.4f);
  glVertex3f(px, py, pz - 0.4f);
  glVertex3f(px, py + 0.2f, pz);
  glVertex3f(px, py, pz + 0.4f);
  glVertex3f(px, py + 0.4f, pz + 0.4f);
  glVertex3f(px, py + 0.2f, pz);
  glEnd();
  glEnable(GL_CULL_FACE);
}

void DrawEyes(float m) {
  const float e = (m + 0.4f) * 180.0f / kPi;  // rises as the mouth opens
  const float side[2] = {1.0f, -1.0f};
  for (const float s : side) {
    glPushMatrix();
    glRotatef(e, 0.0f, 0.0f, -1.0f);
    glRotatef(20.0f, 0.0f, s, 0.0f);
    glTranslatef(-1.0f, 0.0f, 0.0f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    DrawPartialSphere(0.1, 16, 0, 1.570796, 6.283184 - 1.570796, -1.570796, 1.570796);
    glPopMatrix();
  }
}

}  // namespace

void Player::DrawPlayer() {
  const float glow[4] = {lightIntensity, lightIntensity, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT, GL_EMISSION, glow);

  glPushMatrix();
  glTranslatef(x, y, z);
  glRotatef(heading, 0.0f, 1.0f, 0.0f);
  glScalef(0.5f, 0.5f, 0.5f);
  DrawPlayerModel(false, 1.0f, static_cast<int>(std::trunc(mouth)));
  glPopMatrix();

  if (!trailOn) return;
  // Oldest first, fainter the older; the length is held to the records there are.
  const int length = std::clamp(trailLength, 0, kPlayerTrailCapacity);
  for (int i = length - 1; i >= 0; --i) {
    const TrailRecord& r = trail[i];
    glPushMatrix();
    glTranslatef(r.x, r.y, r.z);
    glRotatef(r.heading, 0.0f, 1.0f, 0.0f);
    glScalef(0.5f, 0.5f, 0.5f);
    DrawPlayerModel(true, 1.0f / static_cast<float>(i + 1), static_cast<int>(std::trunc(r.mouth)));
    glPopMatrix();
  }
}

void Player::DrawPlayerModel(bool translucent, float brightness, int mouthStep) {
  const float m = static_cast<float>(mouthStep) / 35.0f;
  const float b = brightness;
  if (translucent) {
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
  }

  if (powered)
    SetMaterial(b, 0.0f, 0.6f * b, 3.0f);
  else
    SetMaterial(b, b, 0.0f, 3.0f);
  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(180.0f, 0.0f, -1.0f, 0.0f);
  DrawPartialSphere(1.0, 32, 0, m, 6.283184 - m, -1.570796, 1.570796);
  glPopMatrix();

  SetMaterial(b, 0.0f, 0.0f, 2.0f);
  DrawMouthInterior(m);
  if (!isMain) DrawLipsAndBow(m);

  SetMaterial(b, b, b, 2.0f);
  DrawEyes(m);
}

void Player::AnimateMouth(double step) {
  mouth += static_cast<float>(mouthDir * 0.5 * step);
  if (mouth >= 20.0f) {
    mouthDir = -1;
    mouth -= 0.1f;
  } else if (mouth <= 0.0f) {
    mouthDir = 1;
    mouth += 0.1f;
  }
}
