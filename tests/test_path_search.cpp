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

// Grid drawn as text, one string per row: '#' wall (4), 'D' ghost-house door (39),
// 'x' blocking monster code (33), '.' floor.
MazeGrid GridFrom(const std::vector<const char*>& rows) {
  MazeGrid grid;
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(std::char_traits<char>::length(rows[0]));
  grid.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const char c = rows[static_cast<std::size_t>(y)][x];
      grid.SetCell(x, y, c == '#' ? 4 : c == 'D' ? 39 : c == 'x' ? 33 : 0);
    }
  }
  return grid;
}

PathNode* Node(int x, int y, int f = 0) {
  auto* node = new PathNode();
  node->x = x;
  node->y = y;
  node->f = f;
  return node;
}

std::vector<int> Costs(const NodeList& list) {
  std::vector<int> costs;
  for (int i = 0; i < list.count; ++i) costs.push_back(list.At(i)->f);
  return costs;
}

void ExpectConnected(const std::vector<Cell>& path) {
  for (std::size_t i = 1; i < path.size(); ++i) {
    const int step = std::abs(path[i].first - path[i - 1].first) + std::abs(path[i].second - path[i - 1].second);
    EXPECT_EQ(step, 1) << "between cell " << i - 1 << " and " << i;
  }
}

TEST(PathNodeList, FrontAndBackInsertionKeepOrder) {
  auto* list = new NodeList();
  PathNode* a = Node(1, 0);
  PathNode* b = Node(2, 0);
  PathNode* c = Node(3, 0);
  list->PushFront(a);  // on an empty list this is an append
  list->Append(b);
  list->PushFront(c);
  ASSERT_EQ(list->count, 3);
  EXPECT_EQ(list->items.size(), 3u);
  EXPECT_EQ(list->At(0), c);
  EXPECT_EQ(list->At(1), a);
  EXPECT_EQ(list->At(2), b);
  EXPECT_EQ(list->At(3), nullptr);
  EXPECT_EQ(list->At(-1), nullptr);
  list->DestroyWithNodes();
}

TEST(PathNodeList, InsertByCostPutsNewestFirstAmongEqualCosts) {
  auto* list = new NodeList();
  for (int f : {3, 5, 5, 7}) list->Append(Node(f, 0, f));
  PathNode* fresh = Node(99, 99, 5);
  list->InsertByCost(fresh);
  EXPECT_EQ(list->At(1), fresh);
  EXPECT_EQ(Costs(*list), (std::vector<int>{3, 5, 5, 5, 7}));

  PathNode* cheapest = Node(0, 0, 1);
  PathNode* dearest = Node(0, 1, 8);
  list->InsertByCost(dearest);
  list->InsertByCost(cheapest);
  EXPECT_EQ(list->At(0), cheapest);
  EXPECT_EQ(list->At(list->count - 1), dearest);
  list->DestroyWithNodes();

  auto* empty = new NodeList();
  PathNode* only = Node(4, 4, 4);
  empty->InsertByCost(only);
  EXPECT_EQ(empty->count, 1);
  EXPECT_EQ(empty->At(0), only);
  empty->DestroyWithNodes();
}

TEST(PathNodeList, RemoveAtShiftsAndFreesTheArrayWhenEmpty) {
  NodeList list;
  PathNode a{1, 1}, b{2, 2}, c{3, 3};
  list.Append(&a);
  list.Append(&b);
  list.Append(&c);
  list.RemoveAt(1);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.At(0), &a);
  EXPECT_EQ(list.At(1), &c);
  list.RemoveAt(0);
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(list.At(0), &c);
  list.RemoveAt(0);
  EXPECT_EQ(list.count, 0);
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.items.capacity(), 0u);
  list.RemoveAt(0);  // nothing left to take
  EXPECT_EQ(list.count, 0);
}

TEST(PathNodeList, RemoveAtIgnoresBadIndicesAndDestroyingLists) {
  NodeList list;
  PathNode a{1, 1}, b{2, 2};
  list.Append(&a);
  list.Append(&b);
  list.RemoveAt(2);
  list.RemoveAt(-1);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.At(1), &b);
  list.destroying = true;
  list.RemoveAt(0);
  EXPECT_EQ(list.count, 2);
  EXPECT_EQ(list.At(0), &a);
}

TEST(PathNodeList, ContainsComparesCellsOnly) {
  NodeList list;
  PathNode listed{4, 7};
  listed.f = 10;
  list.Append(&listed);
  PathNode sameCell{4, 7};
  sameCell.f = 2;
  sameCell.g = 1;
  EXPECT_TRUE(list.Contains(sameCell));
  EXPECT_FALSE(list.Contains(PathNode{7, 4}));
  EXPECT_FALSE(list.Contains(PathNode{4, 8}));
  EXPECT_FALSE(NodeList().Contains(sameCell));
}

TEST(PathNodeList, OwnedPathFreesNodesWithTheList) {
  OwnedPath path(new NodeList());
  path->Append(Node(1, 2));
  path->Append(Node(1, 3));
  EXPECT_EQ(path->Count(), 2);
  path.reset();  // the leak check of the sanitizer build watches the two nodes
  EXPECT_EQ(path, nullptr);
}

TEST(PathGrid, StartsEmptyWithTheDoorShut) {
  MazeGrid grid;
  EXPECT_EQ(grid.width, 0);
  EXPECT_EQ(grid.height, 0);
  EXPECT_FALSE(grid.doorOpen);
  EXPECT_FALSE(grid.IsPassable(0, 0));
  EXPECT_EQ(grid.FindPath(0, 0, 0, 0), nullptr);
}

TEST(PathGrid, PassabilityFollowsTheCellCodes) {
  MazeGrid grid;
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
  grid.SetCell(100, 0, 4);
  grid.SetCell(0, -1, 4);
  grid.SetCell(-1, 5, 4);
  grid.SetCell(1, 1, 7);
  EXPECT_EQ(grid.cells[1][1], 7);
  EXPECT_EQ(grid.cells[0][0], 0);
  EXPECT_TRUE(grid.IsPassable(0, 0));
  EXPECT_FALSE(grid.IsPassable(1, 1));
  // Beyond the size in use, even over cells that hold floor codes.
  EXPECT_FALSE(grid.IsPassable(2, 0));
  EXPECT_FALSE(grid.IsPassable(0, -1));
  EXPECT_FALSE(grid.IsPassable(100, 100));
}

TEST(PathSearch, StartOnGoalGivesOneCellEvenInsideAWall) {
  MazeGrid grid = GridFrom({"...", ".#.", "..."});
  EXPECT_EQ(TakePath(grid.FindPath(2, 1, 2, 1)), (std::vector<Cell>{{2, 1}}));
  EXPECT_EQ(TakePath(grid.FindPath(1, 1, 1, 1)), (std::vector<Cell>{{1, 1}}));
}

TEST(PathSearch, OpenGridPathRunsCellByCellToTheGoal) {
  MazeGrid grid = GridFrom({"...", "...", "..."});
  auto path = TakePath(grid.FindPath(0, 0, 2, 2));
  ASSERT_TRUE(path);
  ASSERT_EQ(path->size(), 5u);
  EXPECT_EQ(path->front(), Cell(0, 0));
  EXPECT_EQ(path->back(), Cell(2, 2));
  ExpectConnected(*path);
  // From (0, 0) right and down tie on cost; down came last and is taken first, and so on.
  EXPECT_EQ(*path, (std::vector<Cell>{{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}}));
}

TEST(PathSearch, TiesGoToTheLastNeighbourListed) {
  // From the middle going to a corner two neighbours tie each time; the later of
  // up, right, down, left wins.
  MazeGrid grid = GridFrom({".....", ".....", ".....", ".....", "....."});
  EXPECT_EQ(TakePath(grid.FindPath(2, 2, 4, 0)),
            (std::vector<Cell>{{2, 2}, {3, 2}, {4, 2}, {4, 1}, {4, 0}}));
  EXPECT_EQ(TakePath(grid.FindPath(2, 2, 0, 4)),
            (std::vector<Cell>{{2, 2}, {1, 2}, {0, 2}, {0, 3}, {0, 4}}));
}

TEST(PathSearch, KeepsTheFirstWayFoundToACellEvenWhenLonger) {
  // (0, 4) is first reached from (1, 4), before the straight way down column 0 gets
  // there; that first node stays, so the path takes seven steps instead of five.
  MazeGrid grid = GridFrom({"..", "..", "..", "#.", ".."});
  auto path = TakePath(grid.FindPath(1, 0, 0, 4));
  EXPECT_EQ(path, (std::vector<Cell>{{1, 0}, {0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 3}, {1, 4}, {0, 4}}));
  EXPECT_EQ(path, test::ReferenceFindPath(grid, 1, 0, 0, 4));
}

TEST(PathSearch, BlockedGoalsAreNeverReached) {
  MazeGrid grid = GridFrom({"..#", "..x", "..D"});
  EXPECT_EQ(grid.FindPath(0, 0, 2, 0), nullptr);
  EXPECT_EQ(grid.FindPath(0, 0, 2, 1), nullptr);
  EXPECT_EQ(grid.FindPath(0, 0, 2, 2), nullptr);
  grid.SetDoorOpen(true);
  EXPECT_EQ(TakePath(grid.FindPath(1, 2, 2, 2)), (std::vector<Cell>{{1, 2}, {2, 2}}));
  EXPECT_EQ(grid.FindPath(0, 0, 2, 0), nullptr);
}

TEST(PathSearch, OpenDoorLetsThePathThrough) {
  MazeGrid grid = GridFrom({"..#..", "..D..", "..#.."});
  EXPECT_EQ(grid.FindPath(0, 1, 4, 1), nullptr);
  grid.SetDoorOpen(true);
  auto path = TakePath(grid.FindPath(0, 1, 4, 1));
  ASSERT_TRUE(path);
  EXPECT_EQ(path->size(), 5u);
  EXPECT_NE(std::find(path->begin(), path->end(), Cell(2, 1)), path->end());
  ExpectConnected(*path);
}

TEST(PathSearch, WalledInGoalIsUnreachable) {
  MazeGrid grid = GridFrom({".....", ".###.", ".#.#.", ".###.", "....."});
  EXPECT_EQ(grid.FindPath(0, 0, 2, 2), nullptr);
  EXPECT_EQ(grid.FindPath(2, 2, 0, 0), nullptr);
}

TEST(PathSearch, StartInsideAWallIsStillLeft) {
  MazeGrid grid = GridFrom({"...", ".#.", "..."});
  auto path = TakePath(grid.FindPath(1, 1, 1, 2));
  EXPECT_EQ(path, (std::vector<Cell>{{1, 1}, {1, 2}}));
  auto longer = TakePath(grid.FindPath(1, 1, 2, 2));
  ASSERT_TRUE(longer);
  EXPECT_EQ(longer->size(), 3u);
  ExpectConnected(*longer);
}

TEST(PathSearch, StartsOrGoalsOffTheGridGiveNoPath) {
  MazeGrid grid = GridFrom({"...", "...", "..."});
  EXPECT_EQ(grid.FindPath(3, 0, 1, 1), nullptr);
  EXPECT_EQ(grid.FindPath(0, -1, 1, 1), nullptr);
  EXPECT_EQ(grid.FindPath(-1, 0, 1, 1), nullptr);
  EXPECT_EQ(grid.FindPath(0, 3, 1, 1), nullptr);
  EXPECT_EQ(grid.FindPath(0, 0, 3, 0), nullptr);
  EXPECT_EQ(grid.FindPath(0, 0, 0, -1), nullptr);
  EXPECT_EQ(grid.FindPath(0, 0, INT_MAX, INT_MIN), nullptr);
  EXPECT_EQ(grid.FindPath(INT_MIN, 0, 0, 0), nullptr);
  // The cells beyond the size in use are floor, but not part of the grid.
  EXPECT_EQ(grid.FindPath(0, 0, 5, 5), nullptr);
}

TEST(PathSearch, SizeWrittenStraightIntoTheFieldsIsBounded) {
  MazeGrid grid;
  grid.width = 5000;
  grid.height = 1;
  auto path = TakePath(grid.FindPath(0, 0, 99, 0));
  ASSERT_TRUE(path);
  EXPECT_EQ(path->size(), 100u);
  EXPECT_EQ(grid.FindPath(0, 0, 100, 0), nullptr);
  grid.width = -4;
  EXPECT_EQ(grid.FindPath(0, 0, 0, 0), nullptr);
}

TEST(PathSearch, TakesPathNodesAndLeavesThemToTheCaller) {
  MazeGrid grid = GridFrom({"....", "...."});
  PathNode start{0, 1};
  PathNode goal{3, 0};
  NodeList* path = grid.FindPath(start, goal);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->At(0)->x, 0);
  EXPECT_EQ(path->At(0)->y, 1);
  EXPECT_EQ(path->At(path->count - 1)->x, 3);
  EXPECT_EQ(path->At(path->count - 1)->y, 0);
  EXPECT_EQ(path->count, 5);
  EXPECT_EQ(static_cast<int>(path->items.size()), path->count);
  EXPECT_NE(path->At(0), &start);
  EXPECT_EQ(start.x, 0);
  EXPECT_EQ(goal.x, 3);
  path->DestroyWithNodes();
}

}  // namespace
