// Small worlds for the ghost tests: the mazes of player_maze.h with monster
// files beside them, and a sound player that only writes down what it was
// asked to play.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "support/player_maze.h"

namespace test {

// The maze as a monster file: the same cells, with the same wall codes.
inline std::string MazeTextForMonster(const std::vector<std::string>& rows) { return MazeWallText({rows}); }

class GhostMaze : public LoadedMaze {
 public:
  explicit GhostMaze(const std::vector<std::string>& rows, int levelNumber = 1) : LoadedMaze({rows}, levelNumber) {}
  // Writes pantallas/mostruoN.txt with the given text.
  void WriteMonsterFile(int levelNumber, const std::string& text) const {
    WriteFile((dir() / "pantallas" / ("mostruo" + std::to_string(levelNumber) + ".txt")).string(), text);
  }
};

// A generated maze of real size: border walls, a pillar on every even cell,
// a ghost house with a door ('H') in the middle holding the start 'G', and
// the player start 'P' below it.
std::vector<std::string> BigGhostMaze(int width, int height);

// Installs a sound player whose device keeps the names of the sounds started
// (and can pretend one is still playing); the real player comes back at
// destruction.
class SoundRecorder {
 public:
  struct Log {
    std::vector<std::string> started;
    bool busy = false;
  };
  SoundRecorder();
  ~SoundRecorder();
  const std::vector<std::string>& started() const { return log_->started; }
  int Count(const std::string& name) const { return static_cast<int>(std::count(started().begin(), started().end(), name)); }
  void SetBusy(bool busy) { log_->busy = busy; }

 private:
  std::shared_ptr<Log> log_;
};

}  // namespace test
