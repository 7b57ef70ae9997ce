// Small worlds for the ghost tests: mazes drawn as text and loaded through the
// game's own level files, monster files beside them, and a sound player that
// only writes down what it was asked to play.
//
// One character per cell, rows from the top (row 0, smallest z):
//   '#' wall   ' ' floor   'G' ghost start   'P' player start   'H' ghost-house door
//   '.' floor with a coin   'o' floor with a large pellet
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/test_support.h"

class Level;

namespace test {

// Level-file codes of the characters above.
int GhostMazeWallCode(char c);

// The level files of the maze under dataDir/pantallas/ as level number n.
void WriteGhostMaze(const std::filesystem::path& dataDir, int n, const std::vector<std::string>& rows);

// The maze as a monster file: the same cells, with the wall codes above.
std::string MazeTextForMonster(const std::vector<std::string>& rows);

// A maze loaded as level n from a fresh folder, which stays the working
// directory while the object lives. No OpenGL is needed to load it.
class GhostMaze {
 public:
  explicit GhostMaze(const std::vector<std::string>& rows, int levelNumber = 1);
  ~GhostMaze();
  Level& level() { return *level_; }
  const std::filesystem::path& dir() const { return dir_.path(); }
  // Writes pantallas/mostruoN.txt with the given text.
  void WriteMonsterFile(int levelNumber, const std::string& text) const;

 private:
  TempDir dir_;
  std::optional<ScopedCwd> cwd_;
  std::unique_ptr<Level> level_;
};

// A generated maze of real size: border walls, a pillar on every even cell,
// a ghost house with a door ('H') in the middle holding the start 'G', and
// the player start 'P' below it.
std::vector<std::string> BigGhostMaze(int width, int height);

// Installs a sound player whose device keeps the names of the sounds started;
// the real player comes back at destruction.
class SoundRecorder {
 public:
  SoundRecorder();
  ~SoundRecorder();
  const std::vector<std::string>& started() const { return *started_; }
  int Count(const std::string& name) const;

 private:
  std::shared_ptr<std::vector<std::string>> started_;
};

}  // namespace test
