#include "support/player_maze.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "world/level.h"
#include "world/world_graphics.h"

namespace test {

namespace {

int WallCode(char c) {
  switch (c) {
    case '#': return 4;
    case 'P': return 37;
    case 'Q': return 40;
    case 'G': return 36;
    case 'X': return 38;
    case 'H': return 39;
    case '^': return 22;
    case '>': return 23;
    case 'v': return 24;
    case '<': return 25;
    case 'D': case 'd': return 28;
    case 'E': return 30;
    case ' ': case '.': case 'o': case '=': return 0;
    default: throw std::invalid_argument(std::string("unknown maze character '") + c + "'");
  }
}

int ObjectCode(char c) {
  switch (c) {
    case '.': case 'd': return 1;
    case 'o': return 2;
    default: return 0;
  }
}

size_t Width(const MazeSpec& spec) {
  size_t width = 0;
  for (const std::string& row : spec.rows) width = std::max(width, row.size());
  return width;
}

// Short rows are padded with floor.
char Cell(const MazeSpec& spec, size_t x, size_t y) {
  const std::string& row = spec.rows[y];
  return x < row.size() ? row[x] : ' ';
}

template <class Code>
std::string Grid(const MazeSpec& spec, Code code) {
  std::ostringstream out;
  const size_t width = Width(spec);
  out << width << ' ' << spec.rows.size() << '\n';
  for (size_t y = 0; y < spec.rows.size(); ++y) {
    for (size_t x = 0; x < width; ++x) out << (x ? " " : "") << code(Cell(spec, x, y));
    out << '\n';
  }
  return out.str();
}

}  // namespace

std::string MazeWallText(const MazeSpec& spec) {
  std::string text = Grid(spec, WallCode);
  // An entry is its letter alone on a line; the numbers follow on the next.
  for (const std::string& entry : spec.doorEntries) {
    std::istringstream in(entry);
    std::string letter, period, target;
    in >> letter >> period >> target;
    if (target.empty()) target = "0";
    text += letter + "\n" + period + " " + target + "\n";
  }
  return text;
}

std::string MazeObjectText(const MazeSpec& spec) { return Grid(spec, ObjectCode); }

LoadedMaze::LoadedMaze(const MazeSpec& spec, int levelNumber) {
  cwd_.emplace(dir_.path());
  std::filesystem::create_directories("pantallas");
  char wallName[64], objectName[64];
  std::snprintf(wallName, sizeof wallName, "./pantallas/paredes%d.txt", levelNumber);
  std::snprintf(objectName, sizeof objectName, "./pantallas/objetos%d.txt", levelNumber);
  WriteFile(wallName, MazeWallText(spec));
  WriteFile(objectName, MazeObjectText(spec));
  worldGraphicsEnabled = false;
  level_ = std::make_unique<Level>(2);
  level_->SetLevelNumber(levelNumber);
  level_->Load();
}

LoadedMaze::~LoadedMaze() = default;

}  // namespace test
