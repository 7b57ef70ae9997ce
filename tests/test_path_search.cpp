// The search's node lists, the grid's bounds and the exact paths it chooses, which
// the plain reference search must choose too.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

#include "actors/maze_grid.h"
#include "support/reference_path_search.h"

namespace {

using test::Cell;
using test::TakePath;
using Path = std::vector<Cell>;

TEST(PathNodeList, OutOfRangeIndicesAreIgnoredAndAnEmptiedListFreesItsArray) {
  NodeList list;
  PathNode a{1, 0}, b{2, 0}, c{3, 0};
  list.Append(&a), list.Append(&b), list.Append(&c);
  list.RemoveAt(2);  // c's pointer stays in the array's spare room, past the count
  list.RemoveAt(2), list.RemoveAt(-1);
  list.destroying = true;  // a list being destroyed keeps its entries
  list.RemoveAt(0);
  EXPECT_EQ((std::tuple{list.count, list.At(0), list.At(1), list.At(2), list.At(-1)}),
            (std::tuple{2, &a, &b, nullptr, nullptr}));
  list.destroying = false;
  for (int i = 0; i < 3; ++i) list.RemoveAt(0);
  EXPECT_TRUE(list.Empty() && list.items.capacity() == 0u);
}

TEST(PathGrid, StaysInsideItsCells) {
  MazeGrid grid;
  EXPECT_EQ(grid.FindPath(0, 0, 0, 0), nullptr);  // an empty grid
  grid.SetSize(150, -3);
  EXPECT_EQ((std::pair{grid.width, grid.height}), (std::pair{100, 0}));
  grid.SetSize(3, 3);
  for (auto [x, y] : {std::pair{100, 0}, {0, -1}, {-1, 5}}) grid.SetCell(x, y, 4);
  EXPECT_TRUE(grid.IsPassable(0, 0));
  // Beyond the size in use, even over cells that hold floor codes.
  const int ends[][4] = {{3, 0, 1, 1}, {-1, 0, 1, 1}, {0, 0, 0, -1}, {0, 0, INT_MAX, INT_MIN}, {INT_MIN, 0, 0, 0},
                         {0, 0, 5, 5}};
  for (const auto& e : ends) EXPECT_EQ(grid.FindPath(e[0], e[1], e[2], e[3]), nullptr) << e[0] << "," << e[1];
  // A size written straight into the fields is bounded too.
  grid.width = 5000, grid.height = 1;
  EXPECT_EQ(TakePath(grid.FindPath(0, 0, 99, 0)).value_or(Path{}).size(), 100u);
  EXPECT_EQ(grid.FindPath(0, 0, 100, 0), nullptr);
  grid.width = -4;
  EXPECT_EQ(grid.FindPath(0, 0, 0, 0), nullptr);
}

TEST(PathSearch, ExactPathsTheSearchChooses) {
  struct Case { std::vector<std::string> rows; Cell from, to; Path expected; };  // '#' wall (4), '.' floor
  const std::vector<std::string> open5 = {".....", ".....", ".....", ".....", "....."};
  const Case cases[] = {
      // A start inside a wall is still left, and a start on the goal gives one cell.
      {{"...", ".#.", "..."}, {1, 1}, {1, 2}, {{1, 1}, {1, 2}}},
      {{"...", ".#.", "..."}, {1, 1}, {1, 1}, {{1, 1}}},
      // Neighbours tying on cost: the later of up, right, down, left is taken first.
      {open5, {2, 2}, {4, 0}, {{2, 2}, {3, 2}, {4, 2}, {4, 1}, {4, 0}}},
      {open5, {2, 2}, {0, 4}, {{2, 2}, {1, 2}, {0, 2}, {0, 3}, {0, 4}}},
      // (0, 4) is first reached from (1, 4), before the straight way down column 0 gets there; that
      // first node stays, so the path takes seven steps instead of five.
      {{"..", "..", "..", "#.", ".."}, {1, 0}, {0, 4}, {{1, 0}, {0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 3}, {1, 4}, {0, 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const auto& [rows, from, to, expected] = c;
    MazeGrid grid;
    grid.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < grid.height; ++y)
      for (int x = 0; x < grid.width; ++x) grid.SetCell(x, y, rows[y][x] == '#' ? 4 : 0);
    EXPECT_EQ(TakePath(grid.FindPath(from.first, from.second, to.first, to.second)), expected);
    EXPECT_EQ(test::ReferenceFindPath(grid, from.first, from.second, to.first, to.second), expected);
  }
}

}  // namespace
