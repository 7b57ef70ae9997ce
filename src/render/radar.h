// The radar in the lower right corner: the ghosts near the player as blips,
// lit by a sweep that turns clockwise and fading until it comes round again.
#pragma once

class Ghost;
class Player;
class Camera;

struct RadarBlip {
  bool shown = false;
  float x = 0, y = 0;  // radar units: the disc has radius 0.2
  float r = 0, g = 0, b = 0, alpha = 0;
};

constexpr int kRadarGhosts = 8;
constexpr float kRadarRange = 10.0f;       // world units
constexpr float kRadarRadius = 0.2f;
constexpr float kRadarSweepSpeed = 5.5f;   // degrees per tick, clockwise
constexpr float kRadarLitWindow = 20.0f;   // degrees the sweep may be past a blip to light it
constexpr float kRadarFade = 0.02f;        // alpha per tick

class Radar {
 public:
  Radar() = default;
  virtual ~Radar() = default;

  void SetGhost(int i, Ghost& ghost);
  void SetPlayer(Player& p) { player = &p; }
  void SetCamera(Camera& c) { camera = &c; }
  // At most kRadarGhosts are looked at.
  void SetGhostCount(int count);

  void UpdateRadar(double step);
  // Disc, sweep and the blips of ghosts 0 to 3, in the flat screen projection,
  // which it leaves in force together with its translation.
  void DrawRadar();

  RadarBlip blips[kRadarGhosts];
  Ghost* ghosts[kRadarGhosts] = {};  // not owned
  Player* player = nullptr;          // not owned
  Camera* camera = nullptr;          // not owned
  float sweep = 0;                   // degrees anticlockwise from the radar's +x
  int ghostCount = 0;
};
