// Frames per second of the play scene on a 30 x 30 level: walls, floor, 200
// coins, 4 large pellets with their sparks, the player and four ghosts, drawn
// at 640 x 480 with per-cell culling on and off. Also counts the vertices a
// frame sends.
#include <benchmark/benchmark.h>

#include <chrono>

#include "actors/ghost.h"
#include "render/visibility_grid.h"

#include "platform/gl.h"
#include "platform/window.h"
#include "render/camera.h"

// The scene and the vertex counter are the test suite's own helpers.
#include "../tests/support/draw_scene.cpp"
#include "../tests/support/gl_counting.cpp"

namespace {

constexpr int kFrames = 500;

platform::Window& Context() {
  static platform::Window window;
  if (!window.IsOpen()) {
    platform::WindowRequest request;
    request.title = "bench";
    request.width = 640;
    request.height = 480;
    request.hidden = true;
    window.Open(request);
  }
  return window;
}

void BM_PlayScene(benchmark::State& state) {
  if (!Context().IsOpen()) {
    state.SkipWithError("no GL context");
    return;
  }
  test::DrawSceneOptions options;
  options.width = 30;
  options.height = 30;
  options.coins = 200;
  options.largePellets = static_cast<int>(state.range(2));
  options.ghosts = 4;
  options.culling = state.range(0) != 0;
  options.cameraMode = static_cast<int>(state.range(1));
  options.patternedTextures = true;
  test::DrawScene scene(options);
  scene.Render();  // warm-up: textures uploaded, lists compiled
  glFinish();

  test::ResetGlVertexCount();
  scene.Render();
  const double verticesPerFrame = static_cast<double>(test::GlVertexCount());

  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) scene.Render();
    glFinish();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
  }
  state.counters["fps"] = kFrames / seconds;
  state.counters["vertices_per_frame"] = verticesPerFrame;
  // The ghosts' vertices come from their display lists, not counted above.
  int ghostsDrawn = 0;
  for (auto& ghost : scene.ghosts) {
    float p[3];
    ghost->GetPosition(p);
    ghostsDrawn += scene.grid->IsCellVisible(static_cast<int>(p[0]), static_cast<int>(p[2]));
  }
  state.counters["ghosts_drawn"] = ghostsDrawn;
}
// Arguments: culling (1 on, 0 off), camera mode (3 overhead, 1 chase), large
// pellets (4; 0 shows what their sparks and lights cost).
BENCHMARK(BM_PlayScene)
    ->ArgNames({"culling", "camera", "pellets"})
    ->Args({1, 3, 4})
    ->Args({0, 3, 4})
    ->Args({1, 1, 4})
    ->Args({0, 1, 4})
    ->Args({1, 3, 0})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
