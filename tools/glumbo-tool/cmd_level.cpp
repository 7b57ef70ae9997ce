// glumbo-tool level: loads a level as the game does, without a window, and
// prints what it holds as one JSON object.
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"
#include "world/level.h"
#include "world/level_files.h"
#include "world/world_graphics.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: glumbo-tool level DATA_DIR N\n");
  return 2;
}

std::string Number(float value) {
  // The shortest text that reads back as the same float: 0.6, not 0.600000024.
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, value);
  return std::string(text, r.ptr);
}

void PrintLayer(const char* key, const CellLayer& layer, int width, int height) {
  std::printf("  \"%s\": [", key);
  for (int y = 0; y < height; ++y) {
    std::printf(y == 0 ? "\n    [" : ",\n    [");
    for (int x = 0; x < width; ++x) std::printf(x == 0 ? "%d" : ", %d", layer.cells[x][y]);
    std::printf("]");
  }
  std::printf(height > 0 ? "\n  ],\n" : "],\n");
}

template <class T, class Print>
void PrintList(const char* key, const ItemList<T>* list, Print print, bool last = false) {
  std::printf("  \"%s\": [", key);
  const int count = list == nullptr ? 0 : list->count;
  for (int i = 0; i < count; ++i) {
    std::printf(i == 0 ? "\n    " : ",\n    ");
    print(*list->At(i));
  }
  std::printf(count > 0 ? "\n  ]%s\n" : "]%s\n", last ? "" : ",");
}

// The files are checked first so that a missing or refused file gives exit 1;
// the Level itself stays silent about missing files, as in the game.
bool CheckFiles(int n) {
  std::vector<std::string> names;
  if (n < kFinalLevelNumber) {
    names = {"./pantallas/paredes" + std::to_string(n) + ".txt", "./pantallas/objetos" + std::to_string(n) + ".txt"};
  } else {
    names = {"./pantallas/final.txt"};
  }
  std::vector<std::string> texts(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string reason;
    if (!ReadLevelFile(names[i], texts[i], reason)) {
      std::fprintf(stderr, "%s\n", reason.empty() ? ("Level file " + names[i] + ": not found").c_str() : reason.c_str());
      return false;
    }
  }
  LevelFileError error;
  const bool ok = names.size() == 2 ? ParseLevelTexts(texts[0], names[0], texts[1], names[1], error) != nullptr
                                    : ParseFinalText(texts[0], names[0], error) != nullptr;
  if (!ok) std::fprintf(stderr, "%s\n", error.Describe().c_str());
  return ok;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage();
  int n = 0;
  const std::string& number = args[1];
  const auto parsed = std::from_chars(number.data(), number.data() + number.size(), n);
  if (number.empty() || parsed.ec != std::errc() || parsed.ptr != number.data() + number.size()) return Usage();
  if (chdir(args[0].c_str()) != 0) {
    std::fprintf(stderr, "glumbo-tool level: cannot enter %s: %s\n", args[0].c_str(), std::strerror(errno));
    return 1;
  }
  if (!CheckFiles(n)) return 1;

  worldGraphicsEnabled = false;
  Level level(2);
  level.SetLevelNumber(n);
  level.Load();

  const int width = level.walls.width;
  const int height = level.walls.height;
  std::printf("{\n  \"levelNumber\": %d,\n  \"width\": %d,\n  \"height\": %d,\n", n, width, height);
  PrintLayer("walls", level.walls, width, height);
  PrintLayer("objects", level.objects, width, height);
  PrintList("coins", level.coins, [](const Coin& c) {
    std::printf("{\"x\": %s, \"y\": %s, \"z\": %s}", Number(c.x).c_str(), Number(c.y).c_str(), Number(c.z).c_str());
  });
  PrintList("largePellets", level.largePellets, [](const LargePellet& p) {
    std::printf("{\"x\": %s, \"y\": %s, \"z\": %s}", Number(p.x).c_str(), Number(p.y).c_str(), Number(p.z).c_str());
  });
  PrintList("floorArrows", level.floorArrows, [](const FloorArrow& a) {
    std::printf("{\"x\": %s, \"z\": %s, \"rotation\": %s}", Number(a.x).c_str(), Number(a.z).c_str(),
                Number(a.rotation).c_str());
  });
  PrintList("doors", level.doors, [](const Door& d) {
    std::printf("{\"x\": %s, \"y\": %s, \"z\": %s, \"rotation\": %s, \"periodic\": %s, \"period\": %s, \"target\": %d}",
                Number(d.x).c_str(), Number(d.y).c_str(), Number(d.z).c_str(), Number(d.rotation).c_str(),
                d.periodic ? "true" : "false", Number(d.periodic ? d.period : 0).c_str(), d.TargetLevel());
  });
  PrintList(
      "doorCounters", level.doorCounters,
      [](const DoorCounter& c) {
        std::printf("{\"door\": %d, \"coinsLeft\": %d, \"target\": %d}", c.doorIndex, c.coinsLeft, c.targetLevel);
      },
      true);
  std::printf("}\n");
  return 0;
}

const ToolCommand kCommand("level", "DATA_DIR N  loads level N (1000 or more: the final scene) and prints it as JSON",
                           &Run);

}  // namespace
