// The boss's monster file: its own walkability map of a level, so that it may
// pass where the level has walls. Whitespace-separated integers in decimal,
// octal (leading 0) or hexadecimal (leading 0x): two that are read and not
// used (the level's own size counts), then one cell code per cell of the
// level, row by row. The code 36 marks the boss's home cell.
#pragma once

#include <string>
#include <string_view>

class MazeGrid;

struct MonsterFileResult {
  bool homeFound = false;  // a cell held 36; the last one in reading order wins
  int homeX = 0, homeY = 0;
  int cellsRead = 0;       // cells filled from the text
  std::string error;       // empty when the text held every cell
};

// Fills cells (x, y), x < width, y < height, of grid from the text. A text
// that ends early or holds something other than an integer keeps the cells
// read so far and leaves the rest free (0), and says why in error.
MonsterFileResult ReadMonsterText(std::string_view text, int width, int height, MazeGrid& grid);

// The file's name for a level number ("./pantallas/mostruo100.txt").
std::string MonsterFileName(int levelNumber);
