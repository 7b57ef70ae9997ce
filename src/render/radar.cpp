#include "render/radar.h"

#include <algorithm>
#include <cmath>

#include "actors/ghost.h"
#include "actors/player.h"
#include "platform/gl.h"
#include "render/camera.h"

void Radar::SetGhost(int i, Ghost& ghost) {
  if (i >= 0 && i < kRadarGhosts) ghosts[i] = &ghost;
}

void Radar::SetGhostCount(int count) { ghostCount = std::clamp(count, 0, kRadarGhosts); }

void Radar::UpdateRadar(double step) {
  // Ahead of the camera is up on the radar; in the overhead view -z is up.
  float rotation = 0;
  if (camera && camera->GetMode() != kCameraOverhead) rotation = camera->GetYaw() - 90.0f;

  sweep -= static_cast<float>(kRadarSweepSpeed * step);
  if (sweep < 0) sweep += 360.0f;

  if (!player) return;
  float px, py, pz;
  player->GetPosition(px, py, pz);
  const int count = std::clamp(ghostCount, 0, kRadarGhosts);
  for (int i = 0; i < count; ++i) {
    RadarBlip& blip = blips[i];
    Ghost* ghost = ghosts[i];
    if (!ghost || ghost->IsEaten()) {
      blip.shown = false;
      continue;
    }
    float gx, gy, gz, r, g, b;
    ghost->GetPosition(gx, gy, gz);
    ghost->GetColour(r, g, b);
    const float d = std::sqrt((px - gx) * (px - gx) + (pz - gz) * (pz - gz));
    if (d >= kRadarRange) {
      blip.shown = false;
      continue;
    }
    const float dx = (gx - px) * kRadarRadius / kRadarRange;
    const float dz = (gz - pz) * kRadarRadius / kRadarRange;
    float angle = std::atan2(-dz, dx) * 180.0f / 3.141592f - rotation;
    // Brought fully into 0..360: while the camera turns, its yaw can put the
    // bearing more than one turn below zero, and such a blip would never light.
    angle = std::fmod(angle, 360.0f);
    if (angle < 0) angle += 360.0f;
    const float rad = angle * 3.141592f / 180.0f;
    blip.x = std::cos(rad) * d * (kRadarRadius / kRadarRange);
    blip.y = std::sin(rad) * d * (kRadarRadius / kRadarRange);

    // Across zero the sweep (just below 360) has passed a blip just above 0.
    float t = angle;
    if (angle < kRadarLitWindow && sweep > 360.0f - kRadarLitWindow) t += 360.0f;
    const float passed = t > sweep ? t - sweep : kRadarLitWindow + 1.0f;
    if (passed < kRadarLitWindow) {
      blip.shown = true;
      blip.alpha = 1.0f;
      blip.r = r > 0.2f ? 1.0f : 0.0f;
      blip.g = g > 0.2f ? 1.0f : 0.0f;
      blip.b = b > 0.2f ? 1.0f : 0.0f;
    } else {
      blip.alpha -= static_cast<float>(kRadarFade * step);
      if (blip.alpha < 0) blip.shown = false;
    }
  }
}

void Radar::DrawRadar() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glClear(GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glDisable(GL_LIGHTING);

  glColor4f(0.0f, 1.0f, 0.0f, 0.2f);
  glTranslatef(0.78f, -0.78f, 1.0f);
  glBegin(GL_TRIANGLE_FAN);
  glVertex2f(0.0f, 0.0f);
  for (int i = 0; i <= 32; ++i) {
    const float a = static_cast<float>(i) * 6.2831841f / 32.0f;
    glVertex2f(kRadarRadius * std::cos(a), kRadarRadius * std::sin(a));
  }
  glEnd();

  glColor4f(0.0f, 1.0f, 0.0f, 0.2f);
  glBegin(GL_TRIANGLE_FAN);
  glVertex2f(0.0f, 0.0f);
  for (int i = 0; i <= 3; ++i) {
    const float a = sweep * 3.141592f / 180.0f + static_cast<float>(i) * 0.392699f / 3.0f;
    glVertex2f(kRadarRadius * std::cos(a), kRadarRadius * std::sin(a));
  }
  glEnd();

  glPointSize(5.0f);
  glBegin(GL_POINTS);
  for (int i = 0; i < 4; ++i) {  // the first four ghosts only, however many play
    const RadarBlip& blip = blips[i];
    if (!blip.shown) continue;
    glColor4f(blip.r, blip.g, blip.b, blip.alpha);
    glVertex2f(blip.x, blip.y);
  }
  glEnd();
}
