// Reading the level file formats: numbers, doors, the door section and damaged files.
#include <gtest/gtest.h>

#include "support/level_files.h"
#include "world/level_files.h"

using Kind = LevelItemPlacement::Kind;
using Entry = LevelDoorEntry::Kind;
using Ints = std::vector<int>;

struct Parse {
  std::unique_ptr<ParsedLevel> level;
  LevelFileError error;
};

Parse ParseTexts(const std::string& walls, const std::string& objects) {
  Parse p;
  p.level = ParseLevelTexts(walls, "walls.txt", objects, "objects.txt", p.error);
  return p;
}

Parse ParseGrids(const test::Grid& walls, const test::Grid& objects, const std::string& doors = "") {
  return ParseTexts(test::GridText(walls) + doors, test::GridText(objects));
}

// The cells of a layer along row y, from x = 0.
Ints Row(const auto& layer, int y) {
  Ints out;
  for (int x = 0; x < layer.width; ++x) out.push_back(layer.cells[x][y]);
  return out;
}

TEST(LevelFileNumbers, AutomaticBaseOctalAndHexadecimalSignedAndLarge) {
  // 010 is octal 8, 0x1C and 0X1c are 28 (a door), "01" is octal 1: a coin.
  Parse p = ParseTexts("0x3 02\n010 0x1C 0\n0 0 0\nN\n2 0X1c\n", "3 2\n0 0 0\n0 0 01\n");
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(Row(p.level->walls, 0), (Ints{8, 3000, 3000}));
  EXPECT_EQ(p.level->objects.cells[2][1], 1000);
  EXPECT_EQ(p.level->doorEntries.at(0).target, 28);
  EXPECT_EQ(Row(ParseTexts("2 1 -7 2147483647", "2 1 0 0").level->walls, 0), (Ints{-7, 2147483647}));
}

TEST(LevelFileDoors, EveryKindClaimsItsPartnerCellAndNumbersInReadingOrder) {
  // 28/32 and 29/33 pair with the cell to the east; 30/34 and 31/35 with the one below.
  for (int t = 28; t <= 35; ++t) {
    test::Grid walls = {{0, 0, 0}, {0, t, 5}, {0, 7, 0}};
    Parse p = ParseGrids(walls, test::EmptyGrid(walls));
    ASSERT_NE(p.level, nullptr) << p.error.Describe();
    const bool east = t % 4 < 2;  // the token at the partner cell (5 or 7) is read and dropped
    EXPECT_EQ((Ints{p.level->walls.cells[1][1], p.level->walls.cells[2][1], p.level->walls.cells[1][2]}),
              (Ints{3000, east ? 3000 : 5, east ? 7 : 3000})) << t;
  }
  // The 30 at (0,0) claims (0,1), whose own 28 is then discarded: no second door there.
  test::Grid walls = {{30, 0, 0, 0}, {28, 0, 29, 0}};
  Parse p = ParseGrids(walls, test::EmptyGrid(walls));
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->doorCount, 2);
  EXPECT_EQ(Row(p.level->walls, 1), (Ints{3000, 0, 3001, 3001}));
}

TEST(LevelFileDoorSection, EntriesSkipLinesTakeTheNextNumbersAndMayRunShort) {
  test::Grid walls = {{28, 0, 30, 0, 28, 0, 28, 0}, {0, 0, 0, 0, 0, 0, 0, 0}};
  // The rest of the last grid line, a comment line, a line starting with a blank
  // before "S": all skipped. The numbers on an entry line itself are skipped too.
  Parse p = ParseGrids(walls, test::EmptyGrid(walls),
                       "  trailing words\ncomment\n S 9 9\nS 77 77\n2.5 0\nN ignored\n3.9\n12\nNothing\n1000 4\n\nno\n");
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->doorEntriesFound, 3);
  const auto& e = p.level->doorEntries;
  // F of 1000 makes the third neither counter nor target.
  EXPECT_EQ((std::vector{e[0].kind, e[1].kind, e[2].kind, e[3].kind}),
            (std::vector{Entry::Periodic, Entry::Counter, Entry::Plain, Entry::Missing}));
  EXPECT_FLOAT_EQ(e[0].period, 2.5f);
  EXPECT_EQ((Ints{e[1].coins, e[1].target}), (Ints{3, 12}));
  // Negative and huge counts do not overflow; fractions are truncated toward zero.
  Parse q = ParseGrids({{28, 0, 28, 0}}, {{0, 0, 0, 0}}, "N\n-1e30 2\nN\n-2.7 3\n");
  ASSERT_NE(q.level, nullptr) << q.error.Describe();
  EXPECT_EQ((Ints{q.level->doorEntries[0].coins, q.level->doorEntries[1].coins}), (Ints{-1000000, -2}));
}

TEST(LevelFileRejects, DamagedFilesNameTheFileLineTokenAndReason) {
  // The largest grid, with a door in its last column whose second cell would be outside the array.
  std::string wide = "100 1", wideObjects = "0 0", walls = "100 100", objects = "0 0";
  for (int i = 0; i < 99; ++i) wide += " 0", wideObjects += " 0";
  for (int i = 0; i < 10000; ++i) walls += " 0", objects += " 0";
  struct Case { std::string walls, objects, file; int line, token; const char* reason; };
  const Case cases[] = {
      {"101 2", "0 0", "walls.txt", 1, 1, "width 101 is outside 1 to 100"},
      // East-facing door in the last column, south-facing door in the last row.
      {"2 2\n0 0\n35 0", "2 2 0 0 0 0", "walls.txt", 3, 1, "second cell (0, 2)"},
      {wide + " 28", wideObjects + " 0", "walls.txt", 1, 102, "second cell (100, 0)"},
      {"2 1\n0 08", "2 1 0 0", "walls.txt", 2, 2, "leading 0 makes it octal"},
      {"2 1 0 0", "2 1\n\n 0 1.5", "objects.txt", 3, 2, "not a number"},
      // Door-section numbers: decimal fractions only.
      {"2 1 28 0\nS\n0x10 0", "2 1 0 0", "walls.txt", 3, 1, "not a number"},
      // Files that end early, an entry line without its numbers among them.
      {"2 2\n0 0\n0 0", "2 2 0 0\n", "objects.txt", 2, 0, "ends at cell (0, 1)"},
      {"2 1 28 0\nS\n2", "2 1 0 0", "walls.txt", 3, 0, "inside the entry of door 0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    const Parse p = ParseTexts(c.walls, c.objects);
    ASSERT_EQ(p.level, nullptr);
    EXPECT_EQ(p.error.file + ":" + std::to_string(p.error.line) + ":" + std::to_string(p.error.token),
              c.file + ":" + std::to_string(c.line) + ":" + std::to_string(c.token));
    EXPECT_NE(p.error.reason.find(c.reason), std::string::npos) << p.error.reason;
    EXPECT_EQ(p.error.Describe().find('\n'), std::string::npos);
  }
  EXPECT_NE(ParseTexts(walls, objects).level, nullptr);  // the full size itself is fine
}

TEST(LevelFileReading, MissingFilesAreSilentAndOthersAreReadOrTold) {
  LevelFileError error;  // the final scene's doors are guarded as well
  EXPECT_EQ(ParseFinalText("3 2\n0 0 28\n0 0 0", "final.txt", error), nullptr);
  EXPECT_NE(error.reason.find("second cell (3, 0)"), std::string::npos);
  std::string text, reason = "stale";
  EXPECT_FALSE(ReadLevelFile("/nonexistent/paredes1.txt", text, reason));
  EXPECT_TRUE(reason.empty());
  EXPECT_FALSE(ReadLevelFile("/", text, reason));  // a folder opens but cannot be read
  EXPECT_NE(reason.find("cannot be read"), std::string::npos);
}

