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

constexpr int kCells = MazeGrid::kMaxSize * MazeGrid::kMaxSize;

struct SearchScratch {
  // stamp[c] == search marks cell c as listed in the current search; nothing needs
  // clearing between searches.
  std::vector<std::uint32_t> stamp = std::vector<std::uint32_t>(kCells, 0);
  std::vector<std::int32_t> parent = std::vector<std::int32_t>(kCells, -1);
  std::vector<std::int32_t> g = std::vector<std::int32_t>(kCells, 0);
  std::vector<std::int32_t> lowStack;   // open nodes of the smallest f
  std::vector<std::int32_t> highStack;  // open nodes of the smallest f + 2
  std::uint32_t search = 0;

  void Begin() {
    if (++search == 0) {
      std::fill(stamp.begin(), stamp.end(), 0u);
      search = 1;
    }
    lowStack.clear();
    highStack.clear();
  }
};

SearchScratch& Scratch() {
  thread_local SearchScratch scratch;
  return scratch;
}

int CellIndex(int x, int y) { return x * MazeGrid::kMaxSize + y; }

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
  s.Begin();
  const std::uint32_t mark = s.search;
  const int startCell = CellIndex(startX, startY);
  const int goalCell = CellIndex(goalX, goalY);
  s.stamp[startCell] = mark;
  s.parent[startCell] = -1;
  s.g[startCell] = 0;
  s.lowStack.push_back(startCell);
  // The f of the nodes on lowStack; kept relative to the start's f, which is 0.
  int lowF = 0;
  const int startH = std::abs(goalX - startX) + std::abs(goalY - startY);

  bool found = false;
  while (true) {
    if (s.lowStack.empty()) {
      if (s.highStack.empty()) break;
      std::swap(s.lowStack, s.highStack);
      lowF += 2;
    }
    const int current = s.lowStack.back();
    s.lowStack.pop_back();
    if (current == goalCell) {
      found = true;
      break;
    }
    const int cx = current / kMaxSize;
    const int cy = current % kMaxSize;
    const int nextG = s.g[current] + 1;
    // Up, right, down, left: the order in which successors enter the open list.
    const int neighbourX[4] = {cx, cx + 1, cx, cx - 1};
    const int neighbourY[4] = {cy - 1, cy, cy + 1, cy};
    const bool inside[4] = {cy > 0, cx < w - 1, cy < h - 1, cx > 0};
    for (int k = 0; k < 4; ++k) {
      if (!inside[k]) continue;
      const int nx = neighbourX[k];
      const int ny = neighbourY[k];
      const int cell = CellIndex(nx, ny);
      if (s.stamp[cell] == mark) continue;  // the first node generated for a cell stays
      if (!IsPassableCode(cells[static_cast<std::size_t>(nx)][static_cast<std::size_t>(ny)], doorOpen)) {
        continue;
      }
      s.stamp[cell] = mark;
      s.parent[cell] = current;
      s.g[cell] = nextG;
      const int f = nextG + std::abs(goalX - nx) + std::abs(goalY - ny) - startH;
      (f == lowF ? s.lowStack : s.highStack).push_back(cell);
    }
  }
  if (!found) return nullptr;

  int length = 1;
  for (int c = goalCell; c != startCell; c = s.parent[c]) ++length;
  auto* path = new NodeList();
  path->items.resize(static_cast<std::size_t>(length));
  path->count = length;
  int c = goalCell;
  for (int i = length - 1; i >= 0; --i) {
    auto* node = new PathNode();
    node->x = c / kMaxSize;
    node->y = c % kMaxSize;
    path->items[static_cast<std::size_t>(i)] = node;
    c = s.parent[c];
  }
  return path;
}

NodeList* MazeGrid::FindPath(const PathNode& start, const PathNode& goal) const {
  return FindPath(start.x, start.y, goal.x, goal.y);
}
