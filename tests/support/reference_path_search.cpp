#include "reference_path_search.h"

#include <algorithm>
#include <cstdlib>

namespace test {
namespace {

struct RefNode {
  int x, y, g, f, parent;  // parent: index into the node store, -1 for the start
};

bool Passable(const MazeGrid& grid, int x, int y) {
  const int code = grid.cells[x][y];
  if ((code >= 4 && code <= 21) || (code >= 32 && code <= 35)) return false;
  return code != 39 || grid.doorOpen;
}

}  // namespace

std::optional<std::vector<Cell>> ReferenceFindPath(const MazeGrid& grid, int startX, int startY, int goalX,
                                                   int goalY) {
  if (startX < 0 || startX >= grid.width || startY < 0 || startY >= grid.height) return std::nullopt;
  auto h = [&](int x, int y) { return std::abs(goalX - x) + std::abs(goalY - y); };
  std::vector<RefNode> store{{startX, startY, 0, h(startX, startY), -1}};
  std::vector<int> open{0}, closed;  // indices; open is kept in cost order by linear scans
  auto listed = [&](const std::vector<int>& list, int x, int y) {
    return std::any_of(list.begin(), list.end(), [&](int i) { return store[i].x == x && store[i].y == y; });
  };
  while (!open.empty()) {
    const int current = open.front();
    open.erase(open.begin());
    const RefNode c = store[static_cast<std::size_t>(current)];
    if (c.x == goalX && c.y == goalY) {
      std::vector<Cell> path;
      for (const RefNode* n = &c; n != nullptr; n = n->parent < 0 ? nullptr : &store[static_cast<std::size_t>(n->parent)])
        path.emplace(path.begin(), n->x, n->y);
      return path;
    }
    // Neighbours in the order up, right, down, left.
    const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
    for (int k = 0; k < 4; ++k) {
      const int x = c.x + dx[k], y = c.y + dy[k];
      if (x < 0 || x >= grid.width || y < 0 || y >= grid.height || !Passable(grid, x, y)) continue;
      if (listed(open, x, y) || listed(closed, x, y)) continue;
      store.push_back({x, y, c.g + 1, c.g + 1 + h(x, y), current});
      const int f = store.back().f;
      const auto at = std::find_if(open.begin(), open.end(), [&](int i) { return store[static_cast<std::size_t>(i)].f >= f; });
      open.insert(at, static_cast<int>(store.size()) - 1);
    }
    closed.push_back(current);
  }
  return std::nullopt;
}

std::optional<std::vector<Cell>> TakePath(NodeList* list) {
  if (list == nullptr) return std::nullopt;
  std::vector<Cell> cells;
  for (int i = 0; i < list->count; ++i) cells.emplace_back(list->At(i)->x, list->At(i)->y);
  list->DestroyWithNodes();
  return cells;
}

}  // namespace test
