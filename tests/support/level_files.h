// Writes level files for tests: grids given as rows (rows[y][x]), in the
// game's own text format, into a data folder holding pantallas/.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace test {

using Grid = std::vector<std::vector<int>>;  // rows[y][x]

// "W H\n" followed by the rows, one line each, numbers separated by blanks.
std::string GridText(const Grid& rows);

// An object grid of the same size as walls, all zero.
Grid EmptyGrid(const Grid& walls);

// Writes pantallas/paredesN.txt (the wall grid followed by doorSection, which
// should start with a line end) and pantallas/objetosN.txt under dataDir.
void WriteLevelFiles(const std::filesystem::path& dataDir, int n, const Grid& walls, const Grid& objects,
                     const std::string& doorSection = "");

// Writes every texture the game loads as a tiny plain picture under
// dataDir/texturas/, with empty pantallas/ and sonidos/ folders beside it for
// the level files a test writes: a data folder the whole game runs on.
void WriteGameTextures(const std::filesystem::path& dataDir);

}  // namespace test
