// The autoplayer: plays the game the way a person at the keyboard does. It
// looks only at what the screen shows (the maze, the doors and whether they
// stand open, the coins and pellets, where the ghosts are, whether they are
// eaten, whether the player glows) and acts only by pressing and releasing
// keys in KeyState. It never moves an actor itself.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

class Bot {
 public:
  // Called after every frame: looks at the game and sets the keys for the next one.
  void Act();

  // The game came back to the menu after the credits (and the table of
  // records, when the game entered it).
  bool Completed() const { return completed_; }
  // The game came back to the menu after a game over (and the table).
  bool LostGame() const { return lostGame_; }
  // Lives lost, by level number.
  const std::map<int, int>& DeathsByLevel() const { return deaths_; }
  // Frame at which each level's play first began.
  const std::map<int, long>& LevelStartFrames() const { return levelStart_; }

 private:
  struct Cell {
    int x = 0;
    int z = 0;
  };

  void Press(int vk);
  void ReleaseConsumedKeys();
  void InMenu();
  void OnLevelMap();
  void OnRecordScreen();
  void Play();

  bool PlayerMayEnter(int cx, int cz) const;
  int ArrowDirection(int cx, int cz) const;  // -1 when the cell has no arrow
  void MarkGhostDistances(bool powered);
  // Cheapest route from the player's cell to a goal cell; the first step of it.
  bool PlanFirstStep(int fromX, int fromZ, bool powered, bool fleeOnly, Cell& next);
  void Steer(int fromX, int fromZ, const Cell& next);

  std::vector<int> held_;  // keys this bot holds down
  long frame_ = 0;
  long menuFrames_ = 0;
  int lastState_ = -1;
  bool sawEnding_ = false;
  bool completed_ = false;
  bool lostGame_ = false;
  bool sawGameOver_ = false;
  std::size_t initialsTyped_ = 0;
  int lastLives_ = -100;
  std::map<int, int> deaths_;
  std::map<int, long> levelStart_;

  int width_ = 0;
  int height_ = 0;
  std::vector<int> ghostDistance_;  // steps from the nearest dangerous ghost, per cell
  std::vector<int> cost_;
  std::vector<int> parent_;
  std::vector<int> steps_;
};
