// Small mazes for the tests of the actors and the level's items, drawn as
// text and loaded through the game's own level files.
//
// One character per cell, rows from the top (row 0, smallest z):
//   '#' wall            ' ' floor          '.' floor with a coin   'o' floor with a large pellet
//   'P' player start    'Q' partner start  'G' ghost start         'X' players-only block
//   'H' ghost-house door
//   '^' '>' 'v' '<'  floor arrows pushing toward -z, +x, +z, -x
//   'D' door across a corridor along x (its second cell is the next column, written '=')
//   'd' the same door with a coin on its first cell
//   'E' door across a corridor along z (its second cell is the next row, written '=')
// Door entries follow the level file's door section, one per door in reading
// order: "N 2 -1" opens after two coins and leads nowhere, "N 1 7" opens after
// one coin and leads to level 7, "S 1.5" swings by itself every 150 ticks,
// "N 1000 0" never opens by itself.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/test_support.h"

class Level;

namespace test {

using Rows = std::vector<std::string>;

// The wall file of the maze (also the form of a boss's monster file).
std::string MazeWallText(const Rows& rows, const Rows& doorEntries = {});

// A maze written as level files into a fresh folder and loaded from there
// (the folder stays the working directory while the object lives). The world
// is loaded without OpenGL textures, so no picture files are needed.
class LoadedMaze {
 public:
  explicit LoadedMaze(const Rows& rows, int levelNumber = 1, const Rows& doorEntries = {});
  ~LoadedMaze();
  Level& level() { return *level_; }
  // Writes the boss's monster file of this level.
  void WriteMonsterFile(const std::string& text) const {
    WriteFile((dir_.path() / "pantallas" / ("mostruo" + std::to_string(levelNumber_) + ".txt")).string(), text);
  }

 private:
  TempDir dir_;
  ScopedCwd cwd_{dir_.path()};
  int levelNumber_;
  std::unique_ptr<Level> level_;
};

}  // namespace test
