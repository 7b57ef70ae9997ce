// Grid text of any shape, then a search on whatever grid it gives: no crash, no read
// outside the grid, and any path handed out is walkable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "actors/maze_grid.h"
#include "actors/maze_grid_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  // The first five bytes choose the search; the rest is the grid file.
  const int sx = static_cast<std::int8_t>(data[0]);
  const int sy = static_cast<std::int8_t>(data[1]);
  const int gx = static_cast<std::int8_t>(data[2]);
  const int gy = static_cast<std::int8_t>(data[3]);
  MazeGrid grid;
  grid.SetDoorOpen((data[4] & 1) != 0);
  std::string error;
  if (!ParseMazeGridText(std::string_view(reinterpret_cast<const char*>(data + 5), size - 5), grid, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  NodeList* path = grid.FindPath(sx, sy, gx, gy);
  if (path == nullptr) return 0;
  if (path->count < 1 || path->At(0)->x != sx || path->At(0)->y != sy) std::abort();
  const PathNode* last = path->At(path->count - 1);
  if (last->x != gx || last->y != gy) std::abort();
  for (int i = 1; i < path->count; ++i) {
    const PathNode* a = path->At(i - 1);
    const PathNode* b = path->At(i);
    if (std::abs(a->x - b->x) + std::abs(a->y - b->y) != 1) std::abort();
    if (!grid.IsPassable(b->x, b->y)) std::abort();
  }
  path->DestroyWithNodes();
  return 0;
}
