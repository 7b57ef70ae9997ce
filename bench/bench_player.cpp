// One player update on a maze of the game's size: corner tests, floor arrows,
// eating and speed, as run once per frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "actors/player.h"
#include "platform/sound.h"
#include "world/level.h"
#include "world/world_graphics.h"

namespace {

constexpr int kSide = 31;

// Walls round the edge and on every even-even cell inside, so the player meets
// a junction every second cell; a coin on every floor cell and a few arrows.
std::unique_ptr<Level> MakeMaze() {
  std::ostringstream walls, objects;
  walls << kSide << ' ' << kSide << '\n';
  objects << kSide << ' ' << kSide << '\n';
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const bool edge = x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1;
      const bool pillar = x % 2 == 0 && y % 2 == 0;
      int wall = edge || pillar ? 4 : 0;
      if (x == 1 && y == 1) wall = 37;
      if (wall == 0 && x % 10 == 5 && y % 10 == 5) wall = 23;
      walls << wall << ' ';
      objects << (wall == 0 ? 1 : 0) << ' ';
    }
    walls << '\n';
    objects << '\n';
  }
  const auto dir = std::filesystem::temp_directory_path() / "glumbo_bench_player";
  std::filesystem::create_directories(dir);
  const std::string wallName = (dir / "paredes1.txt").string();
  const std::string objectName = (dir / "objetos1.txt").string();
  std::ofstream(wallName) << walls.str();
  std::ofstream(objectName) << objects.str();
  worldGraphicsEnabled = false;
  auto level = std::make_unique<Level>(2);
  level->ParseLevelFiles(wallName.c_str(), objectName.c_str());
  std::filesystem::remove_all(dir);
  return level;
}

// Keeps moving: turns right whenever the player has stood still for a frame.
void Run(benchmark::State& state, float speed) {
  // No audio device: the coin sounds cost nothing here.
  platform::SetSoundPlayer(std::make_unique<platform::SoundPlayer>(nullptr));
  auto level = MakeMaze();
  Player player(true);
  player.LoadLevel(level.get());
  player.SetDirection(kPlayerEast);
  long turns = 0;
  for (auto _ : state) {
    const float x = player.x, z = player.z;
    player.speed = speed;
    player.Update(1.0);
    if (player.x == x && player.z == z) {
      player.SetDirection((player.GetDirection() + 1) % 4);
      ++turns;
    }
    benchmark::DoNotOptimize(player.x);
  }
  state.counters["turns"] = static_cast<double>(turns);
  state.counters["coinsLeft"] = [&] {
    int left = 0;
    for (Coin* coin : level->coins->items) left += coin->visible ? 1 : 0;
    return left;
  }();
  platform::SetSoundPlayer(nullptr);
}

void BM_PlayerUpdate(benchmark::State& state) { Run(state, kPlayerBaseSpeed); }
void BM_PlayerUpdateWithStreak(benchmark::State& state) { Run(state, kPlayerArrowSpeed); }

BENCHMARK(BM_PlayerUpdate);
BENCHMARK(BM_PlayerUpdateWithStreak);

}  // namespace

BENCHMARK_MAIN();
