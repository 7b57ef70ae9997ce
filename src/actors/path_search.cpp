// A* on the maze grid. The open list of the search is ordered by f and, among equal f,
// newest first; which of several shortest paths an actor takes depends on exactly that
// order, so it is kept, only without the list scans.
//
// With unit steps and the Manhattan estimate, a successor's f is either its parent's f
// or that plus 2. Every node still open therefore has f equal to the smallest open f or
// to that plus 2, and the open list is two stacks: the nodes of the smallest f (newest
// on top) and those of the next. A cell is listed at most once in a search, so the
// membership tests become one mark per cell.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "actors/maze_grid.h"

namespace {

// Cells are numbered x * 128 + y, so that taking a number apart is a shift and a mask.
constexpr int kRowBits = 7;
constexpr int kCells = MazeGrid::kMaxSize << kRowBits;

struct SearchScratch {
  // stamp[c] == search marks cell c as listed in the current search; nothing needs
  // clearing between searches. A cell is listed at most once, so neither stack can
  // hold more than every cell.
  std::vector<std::uint32_t> stamp = std::vector<std::uint32_t>(kCells, 0);
  std::vector<std::int32_t> parent = std::vector<std::int32_t>(kCells, -1);
  std::vector<std::int32_t> g = std::vector<std::int32_t>(kCells, 0);
  std::vector<std::int32_t> lowStack = std::vector<std::int32_t>(kCells, 0);   // open nodes of the smallest f
  std::vector<std::int32_t> highStack = std::vector<std::int32_t>(kCells, 0);  // open nodes of the smallest f + 2
  std::uint32_t search = 0;

  std::uint32_t Begin() {
    if (++search == 0) {
      std::fill(stamp.begin(), stamp.end(), 0u);
      search = 1;
    }
    return search;
  }
};

SearchScratch& Scratch() {
  thread_local SearchScratch scratch;
  return scratch;
}

constexpr int CellIndex(int x, int y) { return (x << kRowBits) | y; }
constexpr int CellX(int cell) { return cell >> kRowBits; }
constexpr int CellY(int cell) { return cell & ((1 << kRowBits) - 1); }

}  // namespace

NodeList* MazeGrid::FindPath(int startX, int startY, int goalX, int goalY) const {
  const int w = std::clamp(width, 0, kMaxSize);
  const int h = std::clamp(height, 0, kMaxSize);
  if (startX < 0 || startX >= w || startY < 0 || startY >= h) return nullptr;
  // A goal outside the grid, or a blocked goal other than the start, is never reached:
  // the full search would only confirm it.
  if (goalX < 0 || goalX >= w || goalY < 0 || goalY >= h) return nullptr;
  if ((goalX != startX || goalY != startY) && !IsPassable(goalX, goalY)) return nullptr;

  SearchScratch& s = Scratch();
  const std::uint32_t mark = s.Begin();
  // Plain pointers: the compiler keeps them in registers through the loop.
  std::uint32_t* const stamp = s.stamp.data();
  std::int32_t* const parent = s.parent.data();
  std::int32_t* const g = s.g.data();
  std::int32_t* low = s.lowStack.data();
  std::int32_t* high = s.highStack.data();
  int lowCount = 0;
  int highCount = 0;
  const bool door = doorOpen;

  const int startCell = CellIndex(startX, startY);
  const int goalCell = CellIndex(goalX, goalY);
  stamp[startCell] = mark;
  parent[startCell] = -1;
  g[startCell] = 0;
  low[lowCount++] = startCell;
  // f of the nodes on the low stack, counted from the start's f.
  int lowF = 0;
  const int startH = std::abs(goalX - startX) + std::abs(goalY - startY);

  bool found = false;
  while (true) {
    if (lowCount == 0) {
      if (highCount == 0) break;
      std::swap(low, high);
      lowCount = highCount;
      highCount = 0;
      lowF += 2;
    }
    const int current = low[--lowCount];
    if (current == goalCell) {
      found = true;
      break;
    }
    const int cx = CellX(current);
    const int cy = CellY(current);
    const int nextG = g[current] + 1;
    auto consider = [&](int nx, int ny) {
      const int cell = CellIndex(nx, ny);
      if (stamp[cell] == mark) return;  // the first node generated for a cell stays
      if (!IsPassableCode(cells[static_cast<std::size_t>(nx)][static_cast<std::size_t>(ny)], door)) return;
      stamp[cell] = mark;
      parent[cell] = current;
      g[cell] = nextG;
      const int f = nextG + std::abs(goalX - nx) + std::abs(goalY - ny) - startH;
      if (f == lowF) {
        low[lowCount++] = cell;
      } else {
        high[highCount++] = cell;
      }
    };
    // Up, right, down, left: the order in which successors enter the open list.
    if (cy > 0) consider(cx, cy - 1);
    if (cx < w - 1) consider(cx + 1, cy);
    if (cy < h - 1) consider(cx, cy + 1);
    if (cx > 0) consider(cx - 1, cy);
  }
  if (!found) return nullptr;

  // The stacks are free again; the high one takes the path from the goal back.
  std::int32_t* backwards = high;
  int length = 0;
  for (int c = goalCell; c != startCell; c = parent[c]) backwards[length++] = c;
  backwards[length++] = startCell;
  auto* path = new NodeList();
  path->items.resize(static_cast<std::size_t>(length));
  path->count = length;
  for (int i = 0; i < length; ++i) {
    const int c = backwards[length - 1 - i];
    auto* node = new PathNode();
    node->x = CellX(c);
    node->y = CellY(c);
    path->items[static_cast<std::size_t>(i)] = node;
  }
  return path;
}

NodeList* MazeGrid::FindPath(const PathNode& start, const PathNode& goal) const {
  return FindPath(start.x, start.y, goal.x, goal.y);
}
