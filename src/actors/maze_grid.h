// Walkability map of the maze and the shortest-path search the actors walk by.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// One cell of a search, or one cell of a path handed back to a caller. Nodes of a
// returned path carry only x and y; the other fields are left at zero.
struct PathNode {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t g = 0;  // steps from the start cell
  std::int32_t h = 0;  // Manhattan distance to the goal
  std::int32_t f = 0;  // g + h
  PathNode* parent = nullptr;

  // Searches hand out and take back nodes by the thousand; they come from a pool.
  static void* operator new(std::size_t size);
  static void operator delete(void* node, std::size_t size) noexcept;
};

// A growable array of node pointers. It does not own its nodes: deleting the list
// frees only the array; DestroyWithNodes frees the nodes as well.
class NodeList {
 public:
  NodeList() = default;
  NodeList(const NodeList&) = delete;
  NodeList& operator=(const NodeList&) = delete;
  ~NodeList() = default;

  void PushFront(PathNode* node);
  void Append(PathNode* node);
  // Keeps the list in ascending f; among equal f the newest node comes first.
  void InsertByCost(PathNode* node);
  // The entry at index, or null for an index outside 0..count-1.
  PathNode* At(int index) const;
  // Takes the entry out without deleting it. Ignored while destroying is set and for
  // an index outside 0..count-1.
  void RemoveAt(int index);
  // True if an entry has the same x and y (costs are not compared).
  bool Contains(const PathNode& node) const;
  // Deletes every node, then the list itself: only for lists made with new.
  void DestroyWithNodes();

  int Count() const { return count; }
  bool Empty() const { return count == 0; }

  bool destroying = false;
  std::vector<PathNode*> items;  // exactly count entries
  std::int32_t count = 0;
};

// For owners that prefer a smart pointer: std::unique_ptr<NodeList, NodeListDestroyer>
// frees the path together with its nodes.
struct NodeListDestroyer {
  void operator()(NodeList* list) const {
    if (list != nullptr) list->DestroyWithNodes();
  }
};
using OwnedPath = std::unique_ptr<NodeList, NodeListDestroyer>;

class MazeGrid {
 public:
  static constexpr int kMaxSize = 100;

  MazeGrid() = default;
  virtual ~MazeGrid() = default;

  // Sizes are kept within 0..100 so that no search can leave the cell array.
  void SetSize(int newWidth, int newHeight);
  // Writes outside the 100 x 100 array are ignored.
  void SetCell(int x, int y, int code);
  void SetDoorOpen(bool open) { doorOpen = open; }

  // Walls (4..21, 32..35) block; the ghost-house door (39) blocks while shut; every
  // other code is floor. A cell outside the grid is not passable.
  bool IsPassable(int x, int y) const;
  static constexpr bool IsPassableCode(int code, bool doorIsOpen) {
    if (code >= 4 && code <= 21) return false;   // wall pieces
    if (code >= 32 && code <= 35) return false;  // blocking codes of the monster maps
    if (code == 39) return doorIsOpen;           // ghost-house door
    return true;
  }

  // Shortest four-connected path from start to goal (only x and y of both are read).
  // Returns a new list running from the start cell to the goal cell, both included,
  // which the caller owns (free it with DestroyWithNodes), or null when the start is
  // outside the grid or the goal cannot be reached. The start cell is expanded even
  // when it is blocked; the goal is reached only through a passable cell, or when it
  // is the start itself.
  NodeList* FindPath(const PathNode& start, const PathNode& goal) const;
  NodeList* FindPath(int startX, int startY, int goalX, int goalY) const;

  std::array<std::array<std::int32_t, kMaxSize>, kMaxSize> cells{};  // [x][y]
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool doorOpen = false;
};
