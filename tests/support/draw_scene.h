// A play scene built by hand for the drawing tests and the drawing benchmark:
// a walled level with coins, large pellets, a door and a floor arrow, the
// player and some ghosts, lit as a loaded level is, seen from the overhead
// camera. No level, texture or sound files are needed.
#pragma once

#include <memory>
#include <vector>

#include "actors/ghost.h"
#include "actors/player.h"
#include "render/camera.h"
#include "render/visibility_grid.h"
#include "world/level.h"

namespace test {

struct DrawSceneOptions {
  int width = 10, height = 8;  // cells; a border of walls runs round the edge
  int coins = 10;              // laid out on open cells, row by row
  int largePellets = 1, ghosts = 2;
  // Textures: plain white keeps the material colours exact for pixel checks;
  // patterned ones cost the rasteriser what real pictures do.
  bool culling = true, patternedTextures = false;
  int cameraMode = 3;  // overhead, as at start-up; 1 chase, 2 close
};

class DrawScene {
 public:
  explicit DrawScene(const DrawSceneOptions& options);
  ~DrawScene();
  DrawScene(const DrawScene&) = delete;
  DrawScene& operator=(const DrawScene&) = delete;

  // Clears and draws the scene as the play screen does: camera, visibility,
  // maze, player, then the ghosts on visible cells, blended.
  void Render();

  std::unique_ptr<Level> level;
  std::unique_ptr<VisibilityGrid> grid;
  std::unique_ptr<Player> player;
  std::vector<std::unique_ptr<Ghost>> ghosts;
  std::unique_ptr<Camera> camera;
};

}  // namespace test
