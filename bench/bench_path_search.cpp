// The game's path search against the plain list-scanning search it replaces.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "actors/maze_grid.h"
#include "../tests/support/reference_path_search.cpp"

namespace {

struct Case {
  MazeGrid grid;
  int sx, sy, gx, gy;
};

Case OpenGrid() {
  Case c{MazeGrid(), 0, 0, 99, 99};
  c.grid.SetSize(100, 100);
  return c;
}

// Wall rows across the maze with the gap at alternating ends: one corridor winding
// back and forth, about 5000 cells long.
Case Serpentine() {
  Case c{MazeGrid(), 0, 0, 0, 98};
  c.grid.SetSize(100, 100);
  for (int y = 1; y < 100; y += 2) {
    const int gap = (y / 2) % 2 == 0 ? 99 : 0;
    for (int x = 0; x < 100; ++x) {
      if (x != gap) c.grid.SetCell(x, y, 4);
    }
  }
  return c;
}

// A carved maze of one-cell corridors, corner to corner.
Case Carved30() {
  Case c{MazeGrid(), 0, 0, 28, 28};
  c.grid.SetSize(30, 30);
  for (int x = 0; x < 30; ++x) {
    for (int y = 0; y < 30; ++y) c.grid.SetCell(x, y, 4);
  }
  std::mt19937 random(30);
  std::vector<std::pair<int, int>> stack{{0, 0}};
  c.grid.SetCell(0, 0, 0);
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    const int dx[4] = {0, 2, 0, -2};
    const int dy[4] = {-2, 0, 2, 0};
    int options[4];
    int count = 0;
    for (int k = 0; k < 4; ++k) {
      const int nx = x + dx[k];
      const int ny = y + dy[k];
      if (nx >= 0 && nx < 30 && ny >= 0 && ny < 30 && c.grid.cells[nx][ny] == 4) options[count++] = k;
    }
    if (count == 0) {
      stack.pop_back();
      continue;
    }
    const int k = options[random() % static_cast<unsigned>(count)];
    c.grid.SetCell(x + dx[k] / 2, y + dy[k] / 2, 0);
    c.grid.SetCell(x + dx[k], y + dy[k], 0);
    stack.emplace_back(x + dx[k], y + dy[k]);
  }
  return c;
}

// The goal is shut in by walls: the search visits every other cell before giving up.
Case Unreachable() {
  Case c{MazeGrid(), 0, 0, 50, 50};
  c.grid.SetSize(100, 100);
  for (int d = -1; d <= 1; ++d) {
    c.grid.SetCell(49, 50 + d, 4);
    c.grid.SetCell(51, 50 + d, 4);
    c.grid.SetCell(50 + d, 49, 4);
    c.grid.SetCell(50 + d, 51, 4);
  }
  return c;
}

template <Case (*Make)()>
void BM_Game(benchmark::State& state) {
  const Case c = Make();
  int length = 0;
  for (auto _ : state) {
    NodeList* path = c.grid.FindPath(c.sx, c.sy, c.gx, c.gy);
    length = path != nullptr ? path->count : 0;
    if (path != nullptr) path->DestroyWithNodes();
    benchmark::DoNotOptimize(length);
  }
  state.counters["cells"] = length;
}

template <Case (*Make)()>
void BM_Direct(benchmark::State& state) {
  const Case c = Make();
  int length = 0;
  for (auto _ : state) {
    const auto path = test::ReferenceFindPath(c.grid, c.sx, c.sy, c.gx, c.gy);
    length = path ? static_cast<int>(path->size()) : 0;
    benchmark::DoNotOptimize(length);
  }
  state.counters["cells"] = length;
}

BENCHMARK(BM_Game<OpenGrid>)->Name("Game/Open100/CornerToCorner")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Direct<OpenGrid>)->Name("Direct/Open100/CornerToCorner")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Game<Serpentine>)->Name("Game/Maze100/LongCorridors")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Direct<Serpentine>)->Name("Direct/Maze100/LongCorridors")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Game<Carved30>)->Name("Game/Maze30/CornerToCorner")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Direct<Carved30>)->Name("Direct/Maze30/CornerToCorner")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Game<Unreachable>)->Name("Game/Open100/UnreachableGoal")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Direct<Unreachable>)->Name("Direct/Open100/UnreachableGoal")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
