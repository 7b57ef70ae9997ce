// A double door spanning two cells: its leaves swing open and shut, by
// itself on a period or when started (coins eaten, scripted scenes).
#pragma once

#include <cstdint>

class Texture;

class Door {
 public:
  Texture* frameTexture = nullptr;  // not owned
  Texture* leafTexture = nullptr;   // not owned
  bool hasTarget = false;
  std::int32_t targetLevel = 0;  // meaningful only with hasTarget
  float period = 0;              // units of 100 ticks between swings
  float timer = 0;               // same unit, since the last swing started
  bool periodic = false;
  bool moving = false;
  bool opening = true;  // the current or next swing opens the door
  float angle = 0;      // leaves: 0 shut, 180 fully open
  float rotation = 0;   // heading of the whole door, degrees
  float x = 0, y = 0, z = 0;

  virtual ~Door() = default;

  void SetTextures(Texture* frame, Texture* leaf) { frameTexture = frame; leafTexture = leaf; }
  void SetPosition(float px, float py, float pz) { x = px; y = py; z = pz; }
  void SetRotation(float degrees) { rotation = degrees; }
  void SetTarget(bool has, std::int32_t level) { hasTarget = has; targetLevel = level; }
  void SetPeriodic(bool on, float p) { periodic = on; timer = 0; period = p; }
  void StartMoving(bool on) { moving = on; }
  std::int32_t TargetLevel() const { return hasTarget ? targetLevel : -1; }
  bool IsOpen() const { return angle > 90; }
  float X() const { return x; }
  float Z() const { return z; }
  void Update(double dt);
  void Draw();  // defined with the maze drawing
};
