// One frame of a boss level's actors: the player, the eight ghosts and the
// boss, each updated once, as the playing state runs them every frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "platform/sound.h"
#include "world/level.h"
#include "world/world_graphics.h"

namespace {

constexpr int kSide = 31;
constexpr int kLevelNumber = 100;

// Walls round the edge and on every even-even cell inside, a walled ghost
// house with its door in the middle, coins on the floor. The boss's map is
// the same maze without the pillars.
void WriteFiles(const std::filesystem::path& dir) {
  std::ostringstream walls, objects, monster;
  walls << kSide << ' ' << kSide << '\n';
  objects << kSide << ' ' << kSide << '\n';
  monster << kSide << ' ' << kSide << '\n';
  const int c = kSide / 2;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const bool edge = x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1;
      const bool pillar = x % 2 == 0 && y % 2 == 0;
      const bool houseWall = std::abs(x - c) <= 2 && std::abs(y - c) <= 1;
      const bool hall = std::abs(x - c) <= 1 && y == c;
      int wall = edge || pillar || houseWall ? 4 : 0;
      if (hall) wall = 0;
      if (x == c && y == c) wall = 36;
      if (x == c && y == c - 1) wall = 39;
      if (x == c && y == c - 2) wall = 0;
      if (x == 1 && y == 1) wall = 37;
      walls << wall << ' ';
      objects << (wall == 0 ? 1 : 0) << ' ';
      monster << (pillar && !edge && !houseWall ? 0 : wall) << ' ';
    }
    walls << '\n';
    objects << '\n';
    monster << '\n';
  }
  std::filesystem::create_directories(dir / "pantallas");
  std::ofstream(dir / "pantallas" / "paredes100.txt") << walls.str();
  std::ofstream(dir / "pantallas" / "objetos100.txt") << objects.str();
  std::ofstream(dir / "pantallas" / "mostruo100.txt") << monster.str();
}

// The level, the player and the nine ghosts, loaded from files as the game does.
struct BossLevel {
  std::unique_ptr<Level> level;
  Player player{true};
  std::vector<std::unique_ptr<Ghost>> ghosts;

  BossLevel() {
    platform::SetSoundPlayer(std::make_unique<platform::SoundPlayer>(nullptr));
    SeedGameRandom(1);
    const auto old = std::filesystem::current_path();
    const auto dir = std::filesystem::temp_directory_path() / "glumbo_bench_ghosts";
    WriteFiles(dir);
    std::filesystem::current_path(dir);
    worldGraphicsEnabled = false;
    level = std::make_unique<Level>(2);
    level->SetLevelNumber(kLevelNumber);
    level->Load();
    player.LoadLevel(level.get());
    player.SetDirection(kPlayerEast);
    for (int i = 0; i < 8; ++i) ghosts.push_back(std::make_unique<Ghost>(i));
    ghosts.push_back(std::make_unique<Ghost>(kBossId));
    for (auto& g : ghosts) {
      g->SetPlayer(player);
      g->LoadLevel(*level);
    }
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
    GameState = StatePlaying;
  }
  ~BossLevel() { platform::SetSoundPlayer(nullptr); }
};

void BM_BossLevelFrame(benchmark::State& state) {
  const double step = static_cast<double>(state.range(0)) / 10.0;
  BossLevel world;
  Player& player = world.player;
  auto& ghosts = world.ghosts;

  double houseDoorTimer = 10.0;
  long catches = 0;
  for (auto _ : state) {
    houseDoorTimer -= step / 70.0;
    if (houseDoorTimer < -1.0) {
      for (auto& g : ghosts) g->SetDoorOpen(false);
      houseDoorTimer = 10.0;
    } else if (houseDoorTimer < 0.0) {
      for (auto& g : ghosts) g->SetDoorOpen(true);
    }
    const float x = player.x, z = player.z;
    player.Update(step);
    if (player.x == x && player.z == z) player.SetDirection(GameRandom() % 4);
    for (auto& g : ghosts) g->Update(step);
    // The bonus pellet would power the player, whose light needs OpenGL.
    if (Ghost::BonusPelletClock() > 14.0f) Ghost::SetBonusPelletClock(0);
    if (GameState == StateCaught) {
      ++catches;
      for (auto& g : ghosts) g->Reset();
      GameState = StatePlaying;
    }
    benchmark::DoNotOptimize(ghosts.back()->x);
  }
  state.counters["catches"] = static_cast<double>(catches);
}

// The worst frame: all nine ghosts out of the house and re-planning toward a
// player across the maze in the same frame, as when it comes near all of them.
void BM_AllGhostsReplan(benchmark::State& state) {
  BossLevel world;
  world.player.SetPosition(15.5f, 0.5f, 7.5f);
  const float spots[9][2] = {{13.5f, 11.5f}, {17.5f, 11.5f}, {11.5f, 19.5f}, {19.5f, 19.5f}, {15.5f, 17.5f},
                             {9.5f, 13.5f},  {21.5f, 15.5f}, {15.5f, 11.5f}, {15.5f, 21.5f}};
  for (auto _ : state) {
    for (std::size_t i = 0; i < world.ghosts.size(); ++i) {
      Ghost& g = *world.ghosts[i];
      g.Reset();
      g.SetPosition(spots[i][0], g.y, spots[i][1]);
      g.stunTime = 0;
      g.chaseClock = 20.0f;  // due for a re-plan, the player within 20 cells
      g.Update(1.0);
    }
    GameState = StatePlaying;
    benchmark::DoNotOptimize(world.ghosts.back()->path);
  }
  int aimed = 0;  // paths of the last frame that end on the player's cell
  for (auto& g : world.ghosts) {
    const PathNode* last = g->path != nullptr ? g->path->At(g->path->Count() - 1) : nullptr;
    if (last != nullptr && last->x == 15 && last->y == 7) ++aimed;
  }
  state.counters["aimed"] = aimed;
}

BENCHMARK(BM_AllGhostsReplan);

// The argument is the frame step in tenths of a tick.
BENCHMARK(BM_BossLevelFrame)->Arg(1)->Arg(10)->Arg(50)->Arg(100);

}  // namespace

BENCHMARK_MAIN();
