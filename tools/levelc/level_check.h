// Play checks of a level source: where the player, the ghosts and the boss can
// go, arrows that lead somewhere, doors that can be opened.
#pragma once

#include <string>
#include <vector>

#include "level_source.h"

namespace levelc {

// Cells the player can reach from its start, with every door opened that the
// coins reachable before it can open (timed doors count as open, locked doors
// and portals as shut). reached[y * width + x].
struct PlayerReach {
  std::vector<bool> reached;
  int coins = 0;  // coins in reached cells
};
PlayerReach ReachFromStart(const LevelSource& src, int startX, int startY);

// Where a ghost can walk from (x, y): walls block, and the ghost-house door
// '=' blocks unless houseDoorOpen. Doors of any kind let ghosts through.
std::vector<bool> GhostReach(const LevelSource& src, int x, int y, bool houseDoorOpen);

// Every arrow points at a cell the player can stand on, and no chain of
// arrows runs in a circle.
bool CheckArrows(const LevelSource& src, std::vector<std::string>& errors);

// Reachability of every floor cell, coin and portal.
bool CheckReach(const LevelSource& src, std::vector<std::string>& errors);

}  // namespace levelc
