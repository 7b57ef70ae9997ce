// The game's search against the plain list-scanning one, on many random grids: every
// path (or the absence of one) must be the same cell for cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "actors/maze_grid.h"
#include "support/reference_path_search.h"

namespace {

using test::Cell;

struct Generator {
  std::mt19937 random;
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random); }

  // Codes of every kind the grid may meet; walls come in at the given rate.
  int AnyCode(double walls) {
    if (Chance(walls)) return Chance(0.25) ? 39 : Chance(0.3) ? Between(32, 35) : Between(4, 21);
    const int low[] = {4, 22, 28, 36, 3000, -100000, 39, 0};
    const int high[] = {21, 25, 35, 40, 3020, 100000, 39, 0};
    const int k = std::min(Between(0, 9), 7);
    return Between(low[k], high[k]);
  }

  // Noise; every other grid is tiny, so that edges and corners are met in nearly every search.
  void Noise(MazeGrid& grid) {
    const bool tiny = Chance(0.5);
    grid.SetSize(Between(1, tiny ? 8 : 100), Between(1, tiny ? 8 : 100));
    const double walls = Between(0, 60) / 100.0;
    for (int x = 0; x < grid.width; ++x)
      for (int y = 0; y < grid.height; ++y) grid.SetCell(x, y, AnyCode(walls));
    grid.SetDoorOpen(Chance(0.5));
  }

  // A carved maze: long corridors one cell wide, a few walls knocked through for loops.
  void Maze(MazeGrid& grid) {
    grid.SetSize(Between(1, 100), Between(1, 100));
    for (int x = 0; x < grid.width; ++x)
      for (int y = 0; y < grid.height; ++y) grid.SetCell(x, y, 4);
    std::vector<Cell> stack{{0, 0}};
    grid.SetCell(0, 0, 0);
    const int dx[4] = {0, 2, 0, -2}, dy[4] = {-2, 0, 2, 0};
    while (!stack.empty()) {
      const auto [x, y] = stack.back();
      std::vector<int> options;
      for (int k = 0; k < 4; ++k) {  // uncarved cells inside the grid; off the grid counts as carved
        const int nx = x + dx[k], ny = y + dy[k];
        if (nx >= 0 && nx < grid.width && ny >= 0 && ny < grid.height && grid.cells[nx][ny] == 4) options.push_back(k);
      }
      if (options.empty()) {
        stack.pop_back();
        continue;
      }
      const int k = options[static_cast<std::size_t>(Between(0, static_cast<int>(options.size()) - 1))];
      grid.SetCell(x + dx[k] / 2, y + dy[k] / 2, Chance(0.05) ? 39 : 0);
      grid.SetCell(x + dx[k], y + dy[k], 0);
      stack.emplace_back(x + dx[k], y + dy[k]);
    }
    for (int i = Between(0, grid.width * grid.height / 30); i > 0; --i)
      grid.SetCell(Between(0, grid.width - 1), Between(0, grid.height - 1), 0);
    grid.SetDoorOpen(Chance(0.5));
  }

  // Mostly inside the grid, sometimes just off an edge or far away.
  Cell Start(const MazeGrid& g) {
    if (Chance(0.1)) return {Between(-2, g.width + 1), Between(-2, g.height + 1)};
    return {Between(0, g.width - 1), Between(0, g.height - 1)};
  }
  Cell Goal(const MazeGrid& g, Cell start) {
    const int pick = Between(0, 19);
    if (pick == 0) return start;
    if (pick <= 3) return {Between(-5, g.width + 5), Between(-5, g.height + 5)};
    if (pick == 4) return {Between(-1000, 1000), Between(-1000, 1000)};
    return {Between(0, g.width - 1), Between(0, g.height - 1)};
  }
};

// Compares three searches on each of rounds grids; enough of them must find a path
// for the comparison to mean something. Leaves the longest path found in longest.
template <typename Fill>
void CompareMany(unsigned seed, int rounds, Fill fill, int& longest) {
  Generator gen{std::mt19937(seed)};
  MazeGrid grid;
  int searches = 0, found = 0;
  longest = 0;
  for (int round = 0; round < rounds && !testing::Test::HasFatalFailure(); ++round) {
    fill(gen, grid);
    for (int query = 0; query < 3; ++query) {
      const Cell s = gen.Start(grid), g = gen.Goal(grid, s);
      const auto expected = test::ReferenceFindPath(grid, s.first, s.second, g.first, g.second);
      const auto actual = test::TakePath(grid.FindPath(s.first, s.second, g.first, g.second));
      ++searches;
      ASSERT_EQ(actual, expected) << "seed " << seed << " round " << round << ": " << grid.width << " x "
                                  << grid.height << " door " << grid.doorOpen << ", (" << s.first << ", " << s.second
                                  << ") to (" << g.first << ", " << g.second << ")";
      // That each path is walkable is the fuzzer's to check.
      found += actual.has_value();
      if (actual) longest = std::max(longest, static_cast<int>(actual->size()));
    }
  }
  std::printf("%d searches, %d paths found, longest %d cells\n", searches, found, longest);
  EXPECT_GT(found, searches / 5);
}

TEST(PathSearchAgainstReference, RandomNoiseGrids) {
  int longest = 0;
  CompareMany(20261207u, 3000, [](Generator& g, MazeGrid& grid) { g.Noise(grid); }, longest);
}

TEST(PathSearchAgainstReference, CarvedMazes) {
  int longest = 0;
  CompareMany(7u, 1000, [](Generator& g, MazeGrid& grid) { g.Maze(grid); }, longest);
  EXPECT_GT(longest, 500);
}

}  // namespace
