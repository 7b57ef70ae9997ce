// Reading the level file formats: numbers, doors, the door section and damaged files.
#include <gtest/gtest.h>

#include <tuple>

#include "support/level_files.h"
#include "world/level_files.h"

using Entry = LevelDoorEntry::Kind;
using Ints = std::vector<int>;

// The level read from the two texts; a refusal fails the test, with its reason, and gives an empty level.
ParsedLevel Parsed(const std::string& walls, const std::string& objects) {
  LevelFileError error;
  const auto level = ParseLevelTexts(walls, "walls.txt", objects, "objects.txt", error);
  EXPECT_NE(level, nullptr) << error.Describe();
  return level ? *level : ParsedLevel{};
}

ParsedLevel ParsedGrid(const test::Grid& walls, const std::string& doors = "") {
  return Parsed(test::GridText(walls) + doors, test::GridText(test::EmptyGrid(walls)));
}

// The cells of a layer along row y, from x = 0.
Ints Row(const auto& layer, int y) {
  Ints out;
  for (int x = 0; x < layer.width; ++x) out.push_back(layer.cells[x][y]);
  return out;
}

TEST(LevelFileNumbers, AutomaticBaseOctalAndHexadecimalSignedAndLarge) {
  // 010 is octal 8, 0x1C and 0X1c are 28 (a door), "01" is octal 1: a coin.
  const ParsedLevel p = Parsed("0x3 02\n010 0x1C 0\n0 0 0\nN\n2 0X1c\n", "3 2\n0 0 0\n0 0 01\n");
  EXPECT_EQ((std::tuple{Row(p.walls, 0), p.objects.cells[2][1], p.doorEntries.at(0).target}),
            (std::tuple{Ints{8, 3000, 3000}, 1000, 28}));
  EXPECT_EQ(Row(Parsed("2 1 -7 2147483647", "2 1 0 0").walls, 0), (Ints{-7, 2147483647}));
}

TEST(LevelFileDoors, EveryKindClaimsItsPartnerCellAndNumbersInReadingOrder) {
  // 28/32 and 29/33 pair with the cell to the east; 30/34 and 31/35 with the one below.
  for (int t = 28; t <= 35; ++t) {
    const auto walls = ParsedGrid({{0, 0, 0}, {0, t, 5}, {0, 7, 0}}).walls;
    const bool east = t % 4 < 2;  // the token at the partner cell (5 or 7) is read and dropped
    EXPECT_EQ((Ints{walls.cells[1][1], walls.cells[2][1], walls.cells[1][2]}),
              (Ints{3000, east ? 3000 : 5, east ? 7 : 3000})) << t;
  }
  // The 30 at (0,0) claims (0,1), whose own 28 is then discarded: no second door there.
  const ParsedLevel p = ParsedGrid({{30, 0, 0, 0}, {28, 0, 29, 0}});
  EXPECT_EQ((std::tuple{p.doorCount, Row(p.walls, 1)}), (std::tuple{2, Ints{3000, 0, 3001, 3001}}));
}

TEST(LevelFileDoorSection, EntriesSkipLinesTakeTheNextNumbersAndMayRunShort) {
  // The rest of the last grid line, a comment line, a line starting with a blank
  // before "S": all skipped. The numbers on an entry line itself are skipped too.
  // F of 1000 makes the third neither counter nor target.
  const ParsedLevel p = ParsedGrid({{28, 0, 30, 0, 28, 0, 28, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
                                   "  trailing words\ncomment\n S 9 9\nS 77 77\n2.5 0\nN ignored\n3.9\n12\n"
                                   "Nothing\n1000 4\n\nno\n");
  const auto& e = p.doorEntries;
  EXPECT_EQ((std::tuple{p.doorEntriesFound, e.at(0).kind, e.at(1).kind, e.at(2).kind, e.at(3).kind, e[0].period,
                        e[1].coins, e[1].target}),
            (std::tuple{3, Entry::Periodic, Entry::Counter, Entry::Plain, Entry::Missing, 2.5f, 3, 12}));
  // Negative and huge counts do not overflow; fractions are truncated toward zero.
  const ParsedLevel q = ParsedGrid({{28, 0, 28, 0}}, "N\n-1e30 2\nN\n-2.7 3\n");
  EXPECT_EQ((Ints{q.doorEntries.at(0).coins, q.doorEntries.at(1).coins}), (Ints{-1000000, -2}));
}

TEST(LevelFileRejects, DamagedFilesNameTheFileLineTokenAndReasonButTheLargestGridIsRead) {
  // The largest width, with a door in its last column whose second cell would be outside the array.
  Ints wide(100, 0);
  wide[99] = 28;
  struct Case { std::string walls, objects, file; int line, token; const char* reason; };
  const Case cases[] = {
      {"101 2", "0 0", "walls.txt", 1, 1, "width 101 is outside 1 to 100"},
      // East-facing door in the last column, south-facing door in the last row.
      {"2 2\n0 0\n35 0", "2 2 0 0 0 0", "walls.txt", 3, 1, "second cell (0, 2)"},
      {test::GridText({wide}), test::GridText({Ints(100, 0)}), "walls.txt", 2, 100, "second cell (100, 0)"},
      {"2 1\n0 08", "2 1 0 0", "walls.txt", 2, 2, "leading 0 makes it octal"},
      // Past 64 bits: the digits must not wrap round to a small number.
      {"2 1\n0 0x100000000000000000000", "2 1 0 0", "walls.txt", 2, 2, "out of range"},
      {"2 1 0 0", "2 1\n\n 0 1.5", "objects.txt", 3, 2, "not a number"},
      // Door-section numbers: decimal fractions only.
      {"2 1 28 0\nS\n0x10 0", "2 1 0 0", "walls.txt", 3, 1, "not a number"},
      {"2 1 28 0\nS\n1e999 0", "2 1 0 0", "walls.txt", 3, 1, "out of range"},
      // Files that end early, an entry line without its numbers among them.
      {"2 2\n0 0\n0 0", "2 2 0 0\n", "objects.txt", 2, 0, "ends at cell (0, 1)"},
      {"2 1 28 0\nS\n2", "2 1 0 0", "walls.txt", 3, 0, "inside the entry of door 0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    LevelFileError e;
    EXPECT_EQ(ParseLevelTexts(c.walls, "walls.txt", c.objects, "objects.txt", e), nullptr);
    EXPECT_EQ((std::tuple{e.file, e.line, e.token}), (std::tuple{c.file, c.line, c.token}));
    EXPECT_TRUE(e.reason.find(c.reason) != std::string::npos && e.Describe().find('\n') == std::string::npos)
        << e.Describe();
  }
  EXPECT_EQ(ParsedGrid(test::Grid(100, Ints(100, 0))).walls.height, 100);
}

TEST(LevelFileReading, MissingFilesAreSilentAndOthersAreReadOrTold) {
  LevelFileError error;  // the final scene's doors are guarded as well
  EXPECT_EQ(ParseFinalText("3 2\n0 0 28\n0 0 0", "final.txt", error), nullptr);
  EXPECT_NE(error.reason.find("second cell (3, 0)"), std::string::npos);
  std::string text, reason = "stale";
  EXPECT_TRUE(!ReadLevelFile("/nonexistent/paredes1.txt", text, reason) && reason.empty());
  EXPECT_FALSE(ReadLevelFile("/", text, reason));  // a folder opens but cannot be read
  EXPECT_NE(reason.find("cannot be read"), std::string::npos);
}
