// glumbo-tool path: the path a ghost or player would take across a grid file.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "actors/maze_grid.h"
#include "actors/maze_grid_text.h"
#include "command.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: glumbo-tool path GRID SX SY GX GY [--door-open]\n");
  return 2;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() != 5 && args.size() != 6) return Usage();
  bool doorOpen = false;
  if (args.size() == 6) {
    if (args[5] != "--door-open") return Usage();
    doorOpen = true;
  }
  int coordinates[4];
  for (int i = 0; i < 4; ++i) {
    if (!ParseGridInteger(args[static_cast<std::size_t>(i) + 1], coordinates[i])) {
      std::fprintf(stderr, "glumbo-tool path: not a cell coordinate: %s\n", args[static_cast<std::size_t>(i) + 1].c_str());
      return 2;
    }
  }
  std::ifstream file(args[0], std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "glumbo-tool path: cannot open %s\n", args[0].c_str());
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) {
    std::fprintf(stderr, "glumbo-tool path: cannot read %s\n", args[0].c_str());
    return 1;
  }
  MazeGrid grid;
  std::string error;
  if (!ParseMazeGridText(text, grid, error)) {
    std::fprintf(stderr, "glumbo-tool path: %s: %s\n", args[0].c_str(), error.c_str());
    return 1;
  }
  grid.SetDoorOpen(doorOpen);
  NodeList* path = grid.FindPath(coordinates[0], coordinates[1], coordinates[2], coordinates[3]);
  if (path == nullptr) {
    std::printf("none\n");
    return 0;
  }
  std::string line;
  for (int i = 0; i < path->count; ++i) {
    if (i > 0) line += ' ';
    line += std::to_string(path->At(i)->x) + "," + std::to_string(path->At(i)->y);
  }
  path->DestroyWithNodes();
  std::printf("%s\n", line.c_str());
  return 0;
}

const ToolCommand kCommand("path", "GRID SX SY GX GY [--door-open]  prints the path a ghost would walk, or none", &Run);

}  // namespace
