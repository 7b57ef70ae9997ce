// The game's search against the plain list-scanning one, on many random grids: every
// path (or the absence of one) must be the same cell for cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "actors/maze_grid.h"
#include "support/reference_path_search.h"

namespace {

using test::Cell;

struct Generator {
  std::mt19937 random;
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random); }
  // A cell of the grid, or one up to margin cells beyond its edges.
  Cell Around(const MazeGrid& g, int margin) {
    return {Between(-margin, g.width - 1 + margin), Between(-margin, g.height - 1 + margin)};
  }
  void Fill(MazeGrid& grid, int width, int height, auto code) {
    grid.SetSize(width, height);
    for (int x = 0; x < grid.width; ++x)
      for (int y = 0; y < grid.height; ++y) grid.SetCell(x, y, code());
    grid.SetDoorOpen(Chance(0.5));
  }

  // Codes of every kind the grid may meet, walls at a random rate; every other grid is
  // tiny, so that edges and corners are met in nearly every search.
  void Noise(MazeGrid& grid) {
    const int most = Chance(0.5) ? 8 : 100, width = Between(1, most), height = Between(1, most);
    const double walls = Between(0, 60) / 100.0;
    const int low[] = {4, 22, 28, 36, 3000, -100000, 39, 0}, high[] = {21, 25, 35, 40, 3020, 100000, 39, 0};
    Fill(grid, width, height, [&] {
      if (Chance(walls)) return Chance(0.25) ? 39 : Chance(0.3) ? Between(32, 35) : Between(4, 21);
      const int k = std::min(Between(0, 9), 7);
      return Between(low[k], high[k]);
    });
  }

  // A carved maze: long corridors one cell wide, a few walls knocked through for loops.
  void Maze(MazeGrid& grid) {
    const int width = Between(1, 100), height = Between(1, 100);
    Fill(grid, width, height, [] { return 4; });
    // Depth first from (0, 0), to uncarved cells inside the grid in a random order of the four ways.
    const auto carve = [&](auto&& self, int x, int y) -> void {
      grid.SetCell(x, y, 0);
      Cell steps[] = {{0, -2}, {2, 0}, {0, 2}, {-2, 0}};
      std::shuffle(std::begin(steps), std::end(steps), random);
      for (auto [dx, dy] : steps)
        if (x + dx >= 0 && x + dx < width && y + dy >= 0 && y + dy < height && grid.cells[x + dx][y + dy] == 4) {
          grid.SetCell(x + dx / 2, y + dy / 2, Chance(0.05) ? 39 : 0);
          self(self, x + dx, y + dy);
        }
    };
    carve(carve, 0, 0);
    for (int i = Between(0, width * height / 30); i > 0; --i) grid.SetCell(Between(0, width - 1), Between(0, height - 1), 0);
  }
};

// Compares the two searches three times on each of rounds grids. Enough of them must find
// a path for the comparison to mean something, the longest more than longestAbove cells.
void CompareMany(unsigned seed, int rounds, void (Generator::*fill)(MazeGrid&), int longestAbove) {
  Generator gen{std::mt19937(seed)};
  MazeGrid grid;
  int searches = 0, found = 0, longest = 0;
  for (int round = 0; round < rounds && !testing::Test::HasFatalFailure(); ++round) {
    (gen.*fill)(grid);
    for (int query = 0; query < 3; ++query, ++searches) {
      // The start mostly inside; the goal the start itself, just off an edge, far away or inside.
      const Cell s = gen.Around(grid, gen.Chance(0.1) ? 2 : 0);
      const int pick = gen.Between(0, 19);
      const Cell g = pick == 0 ? s : gen.Around(grid, pick <= 3 ? 5 : pick == 4 ? 1000 : 0);
      const auto actual = test::TakePath(grid.FindPath(s.first, s.second, g.first, g.second));
      ASSERT_EQ(actual, test::ReferenceFindPath(grid, s.first, s.second, g.first, g.second))
          << "seed " << seed << " round " << round << ": " << grid.width << " x " << grid.height << " door "
          << grid.doorOpen << ", (" << s.first << ", " << s.second << ") to (" << g.first << ", " << g.second << ")";
      found += actual.has_value();  // that each path is walkable is the fuzzer's to check
      if (actual) longest = std::max(longest, static_cast<int>(actual->size()));
    }
  }
  std::printf("%d searches, %d paths found, longest %d cells\n", searches, found, longest);
  EXPECT_GT(found, searches / 5);
  EXPECT_GT(longest, longestAbove);
}

TEST(PathSearchAgainstReference, RandomNoiseGrids) { CompareMany(20261207u, 3000, &Generator::Noise, 0); }

TEST(PathSearchAgainstReference, CarvedMazesWithPathsOfOverFiveHundredCells) {
  CompareMany(7u, 1000, &Generator::Maze, 500);
}

}  // namespace
