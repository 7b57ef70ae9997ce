// Reading level files: the wall and object files of an ordinary level and the
// closing scene's file. The reader checks everything and touches nothing but
// its result, so that a damaged file is rejected whole; the Level then builds
// its items from a result that is known to be sound.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "world/cell_layer.h"

// What one item of the level is and where it lies, in the order in which the
// files create them (the order of the random draws of coins and pellets).
struct LevelItemPlacement {
  enum class Kind { Coin, LargePellet, FloorArrow, Door };
  Kind kind;
  int x, y;   // the cell
  int code;   // wall token (arrows: 22 to 25, doors: 28 to 35) or object value
};

// What a door's entry in the door section asks for.
struct LevelDoorEntry {
  enum class Kind { Missing, Periodic, Counter, Plain };
  Kind kind = Kind::Missing;
  float period = 0;       // Periodic
  std::int32_t coins = 0; // Counter: coins to eat
  std::int32_t target = 0;  // Counter: target level
};

struct LevelFileError {
  std::string file;
  int line = 0;   // 1-based; 0 when the whole file is meant
  int token = 0;  // 1-based within the line; 0 when not at a token
  std::string reason;
  std::string Describe() const;  // "file: line L, token T: reason"
};

struct ParsedLevel {
  CellLayer walls;
  CellLayer objects;
  std::vector<LevelItemPlacement> items;
  std::vector<LevelDoorEntry> doorEntries;  // one per door, by door index
  int doorCount = 0;
  int doorEntriesFound = 0;  // entries present in the door section
};

// Reads an ordinary level from the texts of its wall and object files. On
// failure returns none and fills error; nothing else is touched.
std::unique_ptr<ParsedLevel> ParseLevelTexts(std::string_view wallText, const std::string& wallName,
                                             std::string_view objectText, const std::string& objectName,
                                             LevelFileError& error);

// Reads the closing scene's file (no object file, no door section, no arrows).
std::unique_ptr<ParsedLevel> ParseFinalText(std::string_view text, const std::string& name,
                                            LevelFileError& error);

// Reads a whole file into text; false when it cannot be opened or read.
// Files above the size limit are refused with a reason.
bool ReadLevelFile(const std::string& path, std::string& text, std::string& reason);
