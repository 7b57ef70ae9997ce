#include "reference_path_search.h"

#include <cstdlib>

namespace test {
namespace {

struct RefNode {
  int x, y, g, h, f;
  RefNode* parent;
};

// Array resized to exactly count entries at every change, searched by linear scans.
struct RefList {
  RefNode** items = nullptr;
  int count = 0;
  bool destroying = false;

  ~RefList() { delete[] items; }

  void Resize(int newCount) {
    RefNode** fresh = newCount > 0 ? new RefNode*[static_cast<std::size_t>(newCount)] : nullptr;
    for (int i = 0; i < newCount && i < count; ++i) fresh[i] = items[i];
    delete[] items;
    items = fresh;
    count = newCount;
  }
  void InsertAt(int index, RefNode* node) {
    RefNode** fresh = new RefNode*[static_cast<std::size_t>(count + 1)];
    for (int i = 0; i < index; ++i) fresh[i] = items[i];
    fresh[index] = node;
    for (int i = index; i < count; ++i) fresh[i + 1] = items[i];
    delete[] items;
    items = fresh;
    ++count;
  }
  void PushFront(RefNode* node) { InsertAt(0, node); }
  void InsertByCost(RefNode* node) {
    int i = 0;
    while (i < count && items[i]->f < node->f) ++i;
    InsertAt(i, node);
  }
  void RemoveAt(int index) {
    if (destroying) return;
    if (count < 2) {
      delete[] items;
      items = nullptr;
      count = 0;
      return;
    }
    for (int i = index; i < count - 1; ++i) items[i] = items[i + 1];
    Resize(count - 1);
  }
  bool Contains(const RefNode& node) const {
    for (int i = 0; i < count; ++i) {
      if (items[i]->x == node.x && items[i]->y == node.y) return true;
    }
    return false;
  }
  void DeleteNodes() {
    destroying = true;
    for (int i = 0; i < count; ++i) delete items[i];
  }
};

bool Passable(const MazeGrid& grid, int x, int y) {
  const int code = grid.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
  if (code >= 4 && code <= 21) return false;
  if (code >= 32 && code <= 35) return false;
  if (code == 39) return grid.doorOpen;
  return true;
}

}  // namespace

std::optional<std::vector<Cell>> ReferenceFindPath(const MazeGrid& grid, int startX, int startY, int goalX,
                                                   int goalY) {
  if (startX < 0 || startX >= grid.width || startY < 0 || startY >= grid.height) return std::nullopt;
  RefNode* s = new RefNode{startX, startY, 0, 0, 0, nullptr};
  RefNode* goal = new RefNode{goalX, goalY, 0, 0, 0, nullptr};
  RefList open;
  RefList closed;
  s->g = 0;
  s->h = std::abs(goal->x - s->x) + std::abs(goal->y - s->y);
  s->f = s->g + s->h;
  open.PushFront(s);
  bool found = false;
  RefNode* current = nullptr;
  while (open.count > 0 && !found) {
    current = open.items[0];
    open.RemoveAt(0);
    if (current->x == goal->x && current->y == goal->y) {
      found = true;
      continue;
    }
    RefNode* successors[4];
    int n = 0;
    const int x = current->x;
    const int y = current->y;
    if (y > 0 && Passable(grid, x, y - 1)) successors[n++] = new RefNode{x, y - 1, 0, 0, 0, current};
    if (x < grid.width - 1 && Passable(grid, x + 1, y)) successors[n++] = new RefNode{x + 1, y, 0, 0, 0, current};
    if (y < grid.height - 1 && Passable(grid, x, y + 1)) successors[n++] = new RefNode{x, y + 1, 0, 0, 0, current};
    if (x > 0 && Passable(grid, x - 1, y)) successors[n++] = new RefNode{x - 1, y, 0, 0, 0, current};
    for (int i = 0; i < n; ++i) {
      RefNode* next = successors[i];
      next->g = current->g + 1;
      next->h = std::abs(goal->x - next->x) + std::abs(goal->y - next->y);
      next->f = next->g + next->h;
      if (open.Contains(*next) || closed.Contains(*next)) {
        delete next;
      } else {
        open.InsertByCost(next);
      }
    }
    closed.PushFront(current);
  }
  std::optional<std::vector<Cell>> result;
  if (found) {
    RefList path;
    RefNode* p = current;
    path.PushFront(new RefNode{p->x, p->y, 0, 0, 0, nullptr});
    while (p->x != s->x || p->y != s->y) {
      p = p->parent;
      path.PushFront(new RefNode{p->x, p->y, 0, 0, 0, nullptr});
    }
    delete current;
    result.emplace();
    for (int i = 0; i < path.count; ++i) result->emplace_back(path.items[i]->x, path.items[i]->y);
    path.DeleteNodes();
  }
  delete goal;
  closed.DeleteNodes();
  open.DeleteNodes();
  return result;
}

std::optional<std::vector<Cell>> TakePath(NodeList* list) {
  if (list == nullptr) return std::nullopt;
  std::vector<Cell> cells;
  for (int i = 0; i < list->count; ++i) cells.emplace_back(list->At(i)->x, list->At(i)->y);
  list->DestroyWithNodes();
  return cells;
}

}  // namespace test
