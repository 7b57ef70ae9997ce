// Turns a level source into the game's cell codes and door entries, checking
// on the way that the level can be drawn and played.
#pragma once

#include <string>
#include <vector>

#include "level_source.h"

namespace levelc {

struct CompiledLevel {
  int number = 0;
  bool finalScene = false;
  int width = 0, height = 0;
  std::vector<int> walls;     // wall-file tokens, row by row
  std::vector<int> objects;   // object-file values, row by row
  std::vector<DoorSpec> doors;  // by door index (reading order of the first cell)
  std::vector<int> monster;   // the boss's own map; empty when the level has no boss
  int coins = 0, pellets = 0;
};

bool CompileLevel(const LevelSource& src, CompiledLevel& out, std::vector<std::string>& errors);

// The texts of the game's files.
std::string WallFileText(const CompiledLevel& level);
std::string ObjectFileText(const CompiledLevel& level);
std::string MonsterFileText(const CompiledLevel& level);

}  // namespace levelc
