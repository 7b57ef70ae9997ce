// For the ghost and eating tests: a sound player that only writes down what
// it was asked to play. (The mazes are those of player_maze.h.)
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "support/player_maze.h"

namespace test {

// Installs a sound player whose device keeps the names of the sounds started
// (and pretends one is still playing while busy); the real player comes back
// at destruction.
struct SoundRecorder {
  SoundRecorder();
  ~SoundRecorder();
  int Count(const std::string& name) const { return static_cast<int>(std::count(started.begin(), started.end(), name)); }
  std::vector<std::string> started;
  bool busy = false;
};

}  // namespace test
