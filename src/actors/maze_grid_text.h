// Maze grids written as text: the width and the height, then width x height cell codes
// row by row (y from 0, and x from 0 within a row), all whitespace-separated integers
// in decimal, octal (leading 0) or hexadecimal (leading 0x).
#pragma once

#include <string>
#include <string_view>

#include "actors/maze_grid.h"

// Fills grid from text. On a damaged text returns false with the reason in error and
// leaves grid unchanged.
bool ParseMazeGridText(std::string_view text, MazeGrid& grid, std::string& error);

// Reads one such integer; false unless the whole of token is a number that fits 32 bits.
bool ParseGridInteger(std::string_view token, int& value);
