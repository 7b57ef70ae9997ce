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

// Writes the six level textures of every detail level as tiny bitmaps under
// dataDir/texturas/, so that a Level can be made with graphics on.
void WriteLevelTextures(const std::filesystem::path& dataDir);

}  // namespace test
