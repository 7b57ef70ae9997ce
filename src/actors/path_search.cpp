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
constexpr int kCellBits = 14;
constexpr std::uint32_t kCellMask = (1u << kCellBits) - 1;

// The step from a cell's parent to the cell, in the order successors are generated.
enum Step : std::uint16_t { kUp = 0, kRight = 1, kDown = 2, kLeft = 3 };
constexpr int kBackToParent[4] = {+1, -(1 << kRowBits), -1, +(1 << kRowBits)};

struct SearchScratch {
  // visit[c] holds the search that listed cell c (high 14 bits) and the step that led
  // there (low 2 bits): membership and parent in two bytes a cell, which keeps the
  // whole table in the first-level cache. Nothing needs clearing between searches.
  std::vector<std::uint16_t> visit = std::vector<std::uint16_t>(kCells, 0);
  // Open nodes as cell | g << 14. A cell is listed at most once, so neither stack
  // can hold more than every cell.
  std::vector<std::uint32_t> lowStack = std::vector<std::uint32_t>(kCells, 0);   // f = smallest open f
  std::vector<std::uint32_t> highStack = std::vector<std::uint32_t>(kCells, 0);  // f = smallest + 2
  std::uint16_t search = 0;

  std::uint16_t Begin() {
    if (++search >= (1u << 14)) {
      std::fill(visit.begin(), visit.end(), std::uint16_t{0});
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
  const std::uint16_t search = s.Begin();
  const int listed = search;  // compared with visit >> 2
  // Plain pointers: the compiler keeps them in registers through the loop.
  std::uint16_t* const visit = s.visit.data();
  std::uint32_t* low = s.lowStack.data();
  std::uint32_t* high = s.highStack.data();
  int lowCount = 0;
  int highCount = 0;
  const bool door = doorOpen;

  const int startCell = CellIndex(startX, startY);
  const int goalCell = CellIndex(goalX, goalY);
  visit[startCell] = static_cast<std::uint16_t>(search << 2);
  low[lowCount++] = static_cast<std::uint32_t>(startCell);

  bool found = false;
  int goalG = 0;
  while (true) {
    if (lowCount == 0) {
      if (highCount == 0) break;
      std::swap(low, high);
      lowCount = highCount;
      highCount = 0;
    }
    const std::uint32_t entry = low[--lowCount];
    const int current = static_cast<int>(entry & kCellMask);
    if (current == goalCell) {
      found = true;
      goalG = static_cast<int>(entry >> kCellBits);
      break;
    }
    const int cx = CellX(current);
    const int cy = CellY(current);
    const int nextG = static_cast<int>(entry >> kCellBits) + 1;
    // A step toward the goal keeps f, a step away raises it by 2.
    auto consider = [&](int nx, int ny, Step step, bool towardGoal) {
      const int cell = CellIndex(nx, ny);
      if ((visit[cell] >> 2) == listed) return;  // the first node generated for a cell stays
      if (!IsPassableCode(cells[static_cast<std::size_t>(nx)][static_cast<std::size_t>(ny)], door)) return;
      visit[cell] = static_cast<std::uint16_t>((search << 2) | step);
      const std::uint32_t next = static_cast<std::uint32_t>(cell) | (static_cast<std::uint32_t>(nextG) << kCellBits);
      if (towardGoal) {
        low[lowCount++] = next;
      } else {
        high[highCount++] = next;
      }
    };
    // Up, right, down, left: the order in which successors enter the open list.
    if (cy > 0) consider(cx, cy - 1, kUp, goalY < cy);
    if (cx < w - 1) consider(cx + 1, cy, kRight, goalX > cx);
    if (cy < h - 1) consider(cx, cy + 1, kDown, goalY > cy);
    if (cx > 0) consider(cx - 1, cy, kLeft, goalX < cx);
  }
  if (!found) return nullptr;

  // Steps cost 1, so the goal's g fixes the length; the list is filled from its end
  // while following the parents back from the goal.
  const int length = goalG + 1;
  auto* path = new NodeList();
  path->items.resize(static_cast<std::size_t>(length));
  path->count = length;
  PathNode** items = path->items.data();
  int c = goalCell;
  for (int i = length - 1; i >= 0; --i) {
    auto* node = new PathNode();
    node->x = CellX(c);
    node->y = CellY(c);
    items[i] = node;
    c += kBackToParent[visit[c] & 3];
  }
  return path;
}

NodeList* MazeGrid::FindPath(const PathNode& start, const PathNode& goal) const {
  return FindPath(start.x, start.y, goal.x, goal.y);
}
