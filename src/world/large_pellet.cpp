#include "world/large_pellet.h"

#include "game/game_random.h"
#include "platform/gl.h"
#include "world/world_graphics.h"

namespace {

float RandomFade() { return static_cast<float>(GameRandom() % 100) / 1000.0f + 0.003f; }
float RandomSideways() { return static_cast<float>(GameRandom() % 50 - 25) / 2.0f; }
float RandomRise() { return static_cast<float>(GameRandom() % 50 + 15); }
float RandomTenth() { return static_cast<float>(GameRandom() % 100) / 10.0f; }

// OpenGL has lights 0 to 7; a pellet whose light falls outside them lights nothing.
bool HasLight(std::int32_t lightIndex) {
  return worldGraphicsEnabled && lightIndex >= 0 && lightIndex + 1 <= 7;
}

GLenum LightOf(std::int32_t lightIndex) { return static_cast<GLenum>(GL_LIGHT1 + lightIndex); }

}  // namespace

LargePellet::LargePellet(std::int32_t light) : lightIndex(light) {
  for (Particle& p : particles) {
    p.life = 1.0f;
    p.fade = RandomFade();
    p.red = 1.0f;
    p.green = 0.5f;
    p.blue = 0.5f;
    p.x = p.y = p.z = 0.0f;
    p.vx = RandomSideways();
    p.vy = RandomRise();
    p.vz = RandomSideways();
    p.gravity = -0.8f;
    p.spinX = RandomTenth();
    p.spinY = RandomTenth();
    p.spinZ = RandomTenth();
    p.angleX = RandomTenth();
    p.angleY = RandomTenth();
    p.angleZ = RandomTenth();
  }
}

void LargePellet::SetPosition(float px, float py, float pz) {
  active = true;
  if (HasLight(lightIndex)) {
    const GLenum light = LightOf(lightIndex);
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat specular[] = {0.8f, 0.8f, 0.8f, 1.0f};
    // The light hangs at pellet height whatever y says.
    const GLfloat position[] = {px, 0.5f, pz, 1.0f};
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_DIFFUSE, diffuse);
    glLightfv(light, GL_SPECULAR, specular);
    // The position is taken in world coordinates, whatever the caller's transform.
    GLint mode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glLightfv(light, GL_POSITION, position);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(mode));
    glLightf(light, GL_CONSTANT_ATTENUATION, 0.8f);
    glLightf(light, GL_QUADRATIC_ATTENUATION, 0.05f);
    glEnable(light);
  }
  x = px;
  y = py;
  z = pz;
}

void LargePellet::SetActive(bool on) {
  active = on;
  if (!HasLight(lightIndex)) return;
  if (on) {
    glEnable(LightOf(lightIndex));
  } else {
    glDisable(LightOf(lightIndex));
  }
}

void LargePellet::Update(double dt) {
  if (!active) return;
  const float t = static_cast<float>(dt);
  for (Particle& p : particles) {
    p.x += t * p.vx / 1000.0f;
    p.y += t * p.vy / 1000.0f;
    p.z += t * p.vz / 1000.0f;
    if (p.y < 0.0f) p.life = -1.0f;  // fell through the floor
    p.vy += t * p.gravity;
    p.life -= t * p.fade;
    p.angleX += t * p.spinX;
    p.angleY += t * p.spinY;
    p.angleZ += t * p.spinZ;
    if (p.life < 0.0f) {
      // Reborn at the pellet; colour, gravity, angles and spins carry over.
      p.life = 1.0f;
      p.fade = RandomFade();
      p.vx = RandomSideways();
      p.vy = RandomRise();
      p.vz = RandomSideways();
      p.x = p.y = p.z = 0.0f;
    }
  }
}
