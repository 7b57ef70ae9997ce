// The game's search against the plain list-scanning one, on many random grids: every
// path (or the absence of one) must be the same cell for cell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "actors/maze_grid.h"
#include "support/reference_path_search.h"

namespace {

using test::Cell;

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

  // Codes of every kind the grid may meet, walls included.
  int AnyCode() {
    switch (Between(0, 9)) {
      case 0: return Between(4, 21);
      case 1: return Between(22, 25);
      case 2: return Between(28, 35);
      case 3: return Between(36, 40);
      case 4: return 3000 + Between(0, 20);
      case 5: return Between(-100000, 100000);
      case 6: return 39;
      default: return 0;
    }
  }

  int WallCode() {
    switch (Between(0, 3)) {
      case 0: return Between(32, 35);
      case 1: return 39;
      default: return Between(4, 21);
    }
  }

  void Noise(MazeGrid& grid) {
    grid.SetSize(Between(1, 100), Between(1, 100));
    const double walls = Between(0, 60) / 100.0;
    for (int x = 0; x < grid.width; ++x) {
      for (int y = 0; y < grid.height; ++y) grid.SetCell(x, y, Chance(walls) ? WallCode() : AnyCode());
    }
    grid.SetDoorOpen(Chance(0.5));
  }

  // A carved maze: long corridors one cell wide, a few walls knocked through for loops.
  void Maze(MazeGrid& grid) {
    grid.SetSize(Between(1, 100), Between(1, 100));
    for (int x = 0; x < grid.width; ++x) {
      for (int y = 0; y < grid.height; ++y) grid.SetCell(x, y, 4);
    }
    std::vector<Cell> stack{{0, 0}};
    grid.SetCell(0, 0, 0);
    while (!stack.empty()) {
      const auto [x, y] = stack.back();
      const int dx[4] = {0, 2, 0, -2};
      const int dy[4] = {-2, 0, 2, 0};
      int options[4];
      int count = 0;
      for (int k = 0; k < 4; ++k) {
        const int nx = x + dx[k];
        const int ny = y + dy[k];
        if (nx >= 0 && nx < grid.width && ny >= 0 && ny < grid.height && grid.cells[nx][ny] == 4) {
          options[count++] = k;
        }
      }
      if (count == 0) {
        stack.pop_back();
        continue;
      }
      const int k = options[Between(0, count - 1)];
      grid.SetCell(x + dx[k] / 2, y + dy[k] / 2, Chance(0.05) ? 39 : 0);
      grid.SetCell(x + dx[k], y + dy[k], 0);
      stack.emplace_back(x + dx[k], y + dy[k]);
    }
    const int holes = Between(0, grid.width * grid.height / 30);
    for (int i = 0; i < holes; ++i) grid.SetCell(Between(0, grid.width - 1), Between(0, grid.height - 1), 0);
    grid.SetDoorOpen(Chance(0.5));
  }

  // Mostly inside the grid, sometimes just off any edge.
  Cell Start(const MazeGrid& grid) {
    if (Chance(0.1)) return {Between(-2, grid.width + 1), Between(-2, grid.height + 1)};
    return {Between(0, grid.width - 1), Between(0, grid.height - 1)};
  }

  Cell Goal(const MazeGrid& grid, Cell start) {
    const int pick = Between(0, 19);
    if (pick == 0) return start;
    if (pick <= 3) return {Between(-5, grid.width + 5), Between(-5, grid.height + 5)};
    if (pick == 4) return {Between(-1000, 1000), Between(-1000, 1000)};
    return {Between(0, grid.width - 1), Between(0, grid.height - 1)};
  }

 private:
  std::mt19937 random_;
};

// Invariants of any path the game's search hands out.
void ExpectWalkable(const MazeGrid& grid, const std::vector<Cell>& path, Cell start, Cell goal,
                    const std::string& where) {
  ASSERT_FALSE(path.empty()) << where;
  EXPECT_EQ(path.front(), start) << where;
  EXPECT_EQ(path.back(), goal) << where;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto [x, y] = path[i];
    ASSERT_TRUE(x >= 0 && x < grid.width && y >= 0 && y < grid.height) << where;
    if (i == 0) continue;
    EXPECT_TRUE(grid.IsPassable(x, y)) << where << " cell " << i;
    EXPECT_EQ(std::abs(x - path[i - 1].first) + std::abs(y - path[i - 1].second), 1) << where << " cell " << i;
  }
}

struct Tally {
  int grids = 0, searches = 0, found = 0, longest = 0;
};

void Compare(const MazeGrid& grid, Cell start, Cell goal, unsigned seed, int round, Tally& tally) {
  char where[160];
  std::snprintf(where, sizeof where, "seed %u round %d: %d x %d door %s, (%d, %d) to (%d, %d)", seed, round,
                grid.width, grid.height, grid.doorOpen ? "open" : "shut", start.first, start.second, goal.first,
                goal.second);
  const auto expected = test::ReferenceFindPath(grid, start.first, start.second, goal.first, goal.second);
  const auto actual = test::TakePath(grid.FindPath(start.first, start.second, goal.first, goal.second));
  ++tally.searches;
  ASSERT_EQ(actual.has_value(), expected.has_value()) << where;
  if (!actual) return;
  ++tally.found;
  tally.longest = std::max(tally.longest, static_cast<int>(actual->size()));
  ASSERT_EQ(*actual, *expected) << where;
  ExpectWalkable(grid, *actual, start, goal, where);
}

// Compares searches on rounds grids made by fill (one grid kept for all rounds when fill is null),
// and checks that enough of them found a path for the comparison to mean something.
template <typename Fill>
Tally CompareMany(unsigned seed, int rounds, int queries, Fill fill) {
  Generator generator(seed);
  Tally tally;
  MazeGrid grid;
  for (int round = 0; round < rounds && !testing::Test::HasFatalFailure(); ++round) {
    if (fill(generator, grid, round)) ++tally.grids;
    for (int query = 0; query < queries && !testing::Test::HasFatalFailure(); ++query) {
      const Cell start = generator.Start(grid);
      Compare(grid, start, generator.Goal(grid, start), seed, round, tally);
    }
  }
  std::printf("%d grids, %d searches, %d paths found, longest %d cells\n", tally.grids, tally.searches, tally.found,
              tally.longest);
  EXPECT_GT(tally.found, tally.searches / 5);
  return tally;
}

TEST(PathSearchAgainstReference, RandomNoiseGrids) {
  CompareMany(20261207u, 1500, 3, [](Generator& g, MazeGrid& grid, int) { return g.Noise(grid), true; });
}

TEST(PathSearchAgainstReference, CarvedMazes) {
  EXPECT_GT(CompareMany(7u, 1200, 3, [](Generator& g, MazeGrid& grid, int) { return g.Maze(grid), true; }).longest,
            500);
}

TEST(PathSearchAgainstReference, SmallGridsOfEveryShape) {
  // Tiny grids reach the edges and corners in nearly every search.
  CompareMany(99u, 3000, 3, [](Generator& g, MazeGrid& grid, int) {
    g.Noise(grid);
    grid.SetSize(g.Between(1, 8), g.Between(1, 8));
    return true;
  });
}

TEST(PathSearchAgainstReference, OneGridManySearches) {
  // Searches in a row on one thread share the search's scratch cells.
  CompareMany(31337u, 200, 1, [](Generator& g, MazeGrid& grid, int round) {
    if (round == 0) g.Maze(grid), grid.SetSize(100, 100);
    if (round % 50 == 0) grid.SetDoorOpen(!grid.doorOpen);
    return round == 0;
  });
}

}  // namespace
