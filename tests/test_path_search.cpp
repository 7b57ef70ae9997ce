#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "actors/maze_grid.h"
#include "support/reference_path_search.h"

namespace {

using test::Cell;
using test::TakePath;
using Path = std::vector<Cell>;

// Grid drawn as text, one string per row: '#' wall (4), 'D' ghost-house door (39),
// 'x' blocking monster code (33), '.' floor.
MazeGrid GridFrom(const std::vector<std::string>& rows) {
  MazeGrid grid;
  grid.SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x) {
      const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      grid.SetCell(x, y, c == '#' ? 4 : c == 'D' ? 39 : c == 'x' ? 33 : 0);
    }
  }
  return grid;
}

PathNode* Node(int x, int y, int f = 0) {
  auto* node = new PathNode();
  node->x = x, node->y = y, node->f = f;
  return node;
}

std::vector<PathNode*> Items(const NodeList& list) {
  std::vector<PathNode*> out;
  for (int i = 0; i < list.count; ++i) out.push_back(list.At(i));
  return out;
}

void ExpectConnected(const Path& path) {
  for (std::size_t i = 1; i < path.size(); ++i) {
    EXPECT_EQ(std::abs(path[i].first - path[i - 1].first) + std::abs(path[i].second - path[i - 1].second), 1)
        << "between cell " << i - 1 << " and " << i;
  }
}

TEST(PathNodeList, InsertionKeepsOrderAndCostOrderPutsNewestFirstAmongEquals) {
  auto* list = new NodeList();
  PathNode *a = Node(1, 0), *b = Node(2, 0), *c = Node(3, 0);
  list->PushFront(a);  // on an empty list this is an append
  list->Append(b);
  list->PushFront(c);
  EXPECT_EQ(Items(*list), (std::vector<PathNode*>{c, a, b}));
  EXPECT_EQ(list->items.size(), 3u);
  EXPECT_EQ(list->At(3), nullptr);
  EXPECT_EQ(list->At(-1), nullptr);
  list->DestroyWithNodes();

  auto* costed = new NodeList();
  PathNode* only = Node(4, 4, 5);
  costed->InsertByCost(only);
  std::vector<PathNode*> more;
  for (int f : {3, 7}) more.push_back(Node(f, 0, f));
  for (PathNode* n : more) costed->InsertByCost(n);
  PathNode *fresh = Node(99, 99, 5), *cheapest = Node(0, 0, 1), *dearest = Node(0, 1, 8);
  for (PathNode* n : {fresh, dearest, cheapest}) costed->InsertByCost(n);
  EXPECT_EQ(Items(*costed), (std::vector<PathNode*>{cheapest, more[0], fresh, only, more[1], dearest}));
  costed->DestroyWithNodes();
}

TEST(PathNodeList, RemoveAtShiftsIgnoresBadIndicesAndFreesTheArrayWhenEmpty) {
  NodeList list;
  PathNode a{1, 1}, b{2, 2}, c{3, 3};
  for (PathNode* n : {&a, &b, &c}) list.Append(n);
  list.RemoveAt(3);
  list.RemoveAt(-1);
  list.RemoveAt(1);
  EXPECT_EQ(Items(list), (std::vector<PathNode*>{&a, &c}));
  list.destroying = true;  // a list being destroyed keeps its entries
  list.RemoveAt(0);
  EXPECT_EQ(list.count, 2);
  list.destroying = false;
  list.RemoveAt(0);
  EXPECT_EQ(Items(list), (std::vector<PathNode*>{&c}));
  list.RemoveAt(0);
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.items.capacity(), 0u);
  list.RemoveAt(0);  // nothing left to take
  EXPECT_EQ(list.count, 0);
}

TEST(PathNodeList, ContainsComparesCellsOnlyAndOwnedPathsFreeTheirNodes) {
  NodeList list;
  PathNode listed{4, 7};
  listed.f = 10;
  list.Append(&listed);
  PathNode sameCell{4, 7};
  sameCell.f = 2, sameCell.g = 1;
  EXPECT_TRUE(list.Contains(sameCell));
  EXPECT_FALSE(list.Contains(PathNode{7, 4}));
  EXPECT_FALSE(list.Contains(PathNode{4, 8}));
  EXPECT_FALSE(NodeList().Contains(sameCell));

  OwnedPath path(new NodeList());
  path->Append(Node(1, 2));
  path->Append(Node(1, 3));
  EXPECT_EQ(path->Count(), 2);
  path.reset();  // the leak check of the sanitizer build watches the two nodes
}

TEST(PathGrid, PassabilityFollowsTheCellCodes) {
  MazeGrid grid;
  EXPECT_FALSE(grid.IsPassable(0, 0));  // an empty grid with the door shut
  EXPECT_EQ(grid.FindPath(0, 0, 0, 0), nullptr);
  grid.SetSize(1, 1);
  auto passable = [&grid](int code) {
    grid.SetCell(0, 0, code);
    return grid.IsPassable(0, 0);
  };
  for (int code : {-1, 0, 1, 3, 22, 25, 28, 31, 36, 37, 38, 40, 1000, 2999, 3000, 3007, INT_MIN, INT_MAX}) {
    EXPECT_TRUE(passable(code)) << code;
  }
  for (int code : {4, 5, 12, 20, 21, 32, 33, 35, 39}) EXPECT_FALSE(passable(code)) << code;
  grid.SetDoorOpen(true);
  EXPECT_TRUE(passable(39));
  EXPECT_FALSE(passable(21));
  EXPECT_FALSE(passable(32));
}

TEST(PathGrid, StaysInsideItsCells) {
  MazeGrid grid;
  grid.SetSize(150, -3);
  EXPECT_EQ(grid.width, 100);
  EXPECT_EQ(grid.height, 0);
  grid.SetSize(2, 2);
  for (auto [x, y] : {std::pair{100, 0}, {0, -1}, {-1, 5}}) grid.SetCell(x, y, 4);
  grid.SetCell(1, 1, 7);
  EXPECT_EQ(grid.cells[1][1], 7);
  EXPECT_TRUE(grid.IsPassable(0, 0));
  EXPECT_FALSE(grid.IsPassable(1, 1));
  // Beyond the size in use, even over cells that hold floor codes.
  for (auto [x, y] : {std::pair{2, 0}, {0, -1}, {100, 100}}) EXPECT_FALSE(grid.IsPassable(x, y)) << x << "," << y;
}

TEST(PathSearch, ExactPathsTheSearchChooses) {
  struct Case {
    std::vector<std::string> rows;
    Cell from, to;
    Path expected;
  };
  const Case cases[] = {
      // Start on the goal gives one cell, even inside a wall.
      {{"...", ".#.", "..."}, {2, 1}, {2, 1}, {{2, 1}}},
      {{"...", ".#.", "..."}, {1, 1}, {1, 1}, {{1, 1}}},
      // A start inside a wall is still left.
      {{"...", ".#.", "..."}, {1, 1}, {1, 2}, {{1, 1}, {1, 2}}},
      // Right and down tie on cost; down came last and is taken first, and so on.
      {{"...", "...", "..."}, {0, 0}, {2, 2}, {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}}},
      // From the middle to a corner two neighbours tie each time; the later of up, right, down, left wins.
      {{".....", ".....", ".....", ".....", "....."}, {2, 2}, {4, 0}, {{2, 2}, {3, 2}, {4, 2}, {4, 1}, {4, 0}}},
      {{".....", ".....", ".....", ".....", "....."}, {2, 2}, {0, 4}, {{2, 2}, {1, 2}, {0, 2}, {0, 3}, {0, 4}}},
      // (0, 4) is first reached from (1, 4), before the straight way down column 0 gets there; that
      // first node stays, so the path takes seven steps instead of five.
      {{"..", "..", "..", "#.", ".."}, {1, 0}, {0, 4}, {{1, 0}, {0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 3}, {1, 4}, {0, 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows.size() << " rows, (" << c.from.first << "," << c.from.second << ") to ("
                                    << c.to.first << "," << c.to.second << ")");
    const MazeGrid grid = GridFrom(c.rows);
    EXPECT_EQ(TakePath(grid.FindPath(c.from.first, c.from.second, c.to.first, c.to.second)), c.expected);
    EXPECT_EQ(test::ReferenceFindPath(grid, c.from.first, c.from.second, c.to.first, c.to.second), c.expected);
  }
}

TEST(PathSearch, BlockedGoalsWallsAndTheShutDoor) {
  MazeGrid grid = GridFrom({"..#", "..x", "..D"});
  for (int y = 0; y < 3; ++y) EXPECT_EQ(grid.FindPath(0, 0, 2, y), nullptr) << y;
  grid.SetDoorOpen(true);
  EXPECT_EQ(TakePath(grid.FindPath(1, 2, 2, 2)), (Path{{1, 2}, {2, 2}}));
  EXPECT_EQ(grid.FindPath(0, 0, 2, 0), nullptr);

  MazeGrid house = GridFrom({"..#..", "..D..", "..#.."});
  EXPECT_EQ(house.FindPath(0, 1, 4, 1), nullptr);
  house.SetDoorOpen(true);
  const auto through = TakePath(house.FindPath(0, 1, 4, 1));
  ASSERT_TRUE(through);
  EXPECT_EQ(through->size(), 5u);
  EXPECT_NE(std::find(through->begin(), through->end(), Cell(2, 1)), through->end());
  ExpectConnected(*through);

  const MazeGrid walledIn = GridFrom({".....", ".###.", ".#.#.", ".###.", "....."});
  EXPECT_EQ(walledIn.FindPath(0, 0, 2, 2), nullptr);
  EXPECT_EQ(walledIn.FindPath(2, 2, 0, 0), nullptr);
}

TEST(PathSearch, StartsOrGoalsOffTheGridGiveNoPath) {
  const MazeGrid grid = GridFrom({"...", "...", "..."});
  // (5, 5) lies on cells beyond the size in use: floor, but not part of the grid.
  const int ends[][4] = {{3, 0, 1, 1},  {0, -1, 1, 1},  {-1, 0, 1, 1},           {0, 3, 1, 1}, {0, 0, 3, 0},
                         {0, 0, 0, -1}, {0, 0, INT_MAX, INT_MIN}, {INT_MIN, 0, 0, 0}, {0, 0, 5, 5}};
  for (const auto& e : ends) {
    EXPECT_EQ(grid.FindPath(e[0], e[1], e[2], e[3]), nullptr) << e[0] << "," << e[1] << " to " << e[2] << "," << e[3];
  }
}

TEST(PathSearch, SizeWrittenStraightIntoTheFieldsIsBounded) {
  MazeGrid grid;
  grid.width = 5000;
  grid.height = 1;
  const auto path = TakePath(grid.FindPath(0, 0, 99, 0));
  ASSERT_TRUE(path);
  EXPECT_EQ(path->size(), 100u);
  EXPECT_EQ(grid.FindPath(0, 0, 100, 0), nullptr);
  grid.width = -4;
  EXPECT_EQ(grid.FindPath(0, 0, 0, 0), nullptr);
}

TEST(PathSearch, TakesPathNodesAndLeavesThemToTheCaller) {
  const MazeGrid grid = GridFrom({"....", "...."});
  PathNode start{0, 1};
  PathNode goal{3, 0};
  NodeList* path = grid.FindPath(start, goal);
  ASSERT_NE(path, nullptr);
  EXPECT_NE(path->At(0), &start);
  EXPECT_EQ(static_cast<int>(path->items.size()), path->count);
  const auto cells = TakePath(path);
  ASSERT_EQ(cells->size(), 5u);
  EXPECT_EQ(cells->front(), Cell(0, 1));
  EXPECT_EQ(cells->back(), Cell(3, 0));
  ExpectConnected(*cells);
}

}  // namespace
