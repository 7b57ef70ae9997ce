// A plain, list-scanning A* on the maze grid, written step by step as the search is
// defined. The game's own search must give the very same paths; the tests and the
// benchmark compare the two.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "actors/maze_grid.h"

namespace test {

using Cell = std::pair<int, int>;  // x, y

// The path from start to goal (both included), or nothing when there is none.
std::optional<std::vector<Cell>> ReferenceFindPath(const MazeGrid& grid, int startX, int startY, int goalX,
                                                   int goalY);

// The same path taken from a list the game's search returned (the list is freed).
std::optional<std::vector<Cell>> TakePath(NodeList* list);

}  // namespace test
