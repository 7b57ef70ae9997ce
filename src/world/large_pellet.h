// A large pellet: a small sphere under a fountain of sparks, with a light of
// its own (OpenGL light 1 + lightIndex; an index of 7 or more names no light).
#pragma once

#include <cstdint>

struct Particle {
  float life, fade;
  float red, green, blue;
  float x, y, z;  // relative to the pellet
  float vx, vy, vz;
  float gravity;  // added to vy per tick
  float angleX, angleY, angleZ;  // degrees
  float spinX, spinY, spinZ;     // degrees per tick
};

constexpr int kSparkCount = 300;

class LargePellet {
 public:
  Particle particles[kSparkCount];
  float x = 0, y = 0, z = 0;
  bool active = false;
  std::int32_t lightIndex;

  explicit LargePellet(std::int32_t light);  // draws every spark from GameRandom()
  virtual ~LargePellet() = default;

  void SetPosition(float px, float py, float pz);  // activates it and lights it
  void SetActive(bool on);                         // switches its light with it
  float X() const { return x; }
  float Z() const { return z; }
  void Update(double dt);
  void DrawSparks();  // defined with the maze drawing
  void DrawSphere();  // defined with the maze drawing
};
