#include "actors/maze_grid.h"

#include <algorithm>

void NodeList::PushFront(PathNode* node) {
  items.insert(items.begin(), node);
  count = static_cast<std::int32_t>(items.size());
}

void NodeList::Append(PathNode* node) {
  items.push_back(node);
  count = static_cast<std::int32_t>(items.size());
}

void NodeList::InsertByCost(PathNode* node) {
  // Inserting before the first entry of equal cost is what lets the newest node win ties.
  auto place = std::find_if(items.begin(), items.end(),
                            [node](const PathNode* entry) { return entry->f >= node->f; });
  items.insert(place, node);
  count = static_cast<std::int32_t>(items.size());
}

PathNode* NodeList::At(int index) const {
  if (index < 0 || index >= count) return nullptr;
  return items[static_cast<std::size_t>(index)];
}

void NodeList::RemoveAt(int index) {
  if (destroying) return;
  // An index past the end would otherwise silently drop the last entry.
  if (index < 0 || index >= count) return;
  items.erase(items.begin() + index);
  if (items.empty()) items = std::vector<PathNode*>();
  count = static_cast<std::int32_t>(items.size());
}

bool NodeList::Contains(const PathNode& node) const {
  return std::any_of(items.begin(), items.end(), [&node](const PathNode* entry) {
    return entry->x == node.x && entry->y == node.y;
  });
}

void NodeList::DestroyWithNodes() {
  destroying = true;
  for (PathNode* node : items) delete node;
  delete this;
}

void MazeGrid::SetSize(int newWidth, int newHeight) {
  width = std::clamp(newWidth, 0, kMaxSize);
  height = std::clamp(newHeight, 0, kMaxSize);
}

void MazeGrid::SetCell(int x, int y, int code) {
  if (x < 0 || x >= kMaxSize || y < 0 || y >= kMaxSize) return;
  cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = code;
}

bool MazeGrid::IsPassable(int x, int y) const {
  // Cells beyond the size in use hold whatever an earlier level left there.
  if (x < 0 || x >= std::clamp(width, 0, kMaxSize) || y < 0 || y >= std::clamp(height, 0, kMaxSize)) {
    return false;
  }
  return IsPassableCode(cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)], doorOpen);
}
