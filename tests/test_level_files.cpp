// Reading the level file formats: numbers, doors, the door section and damaged files.
#include <gtest/gtest.h>

#include "support/level_files.h"
#include "world/level_files.h"

namespace {

using Kind = LevelItemPlacement::Kind;

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

TEST(LevelFileNumbers, AutomaticBaseOctalAndHexadecimal) {
  // 010 is octal 8, 0x1C and 0X1c are 28 (a door), 0 stays open floor.
  Parse p = ParseTexts("0x3 02\n010 0x1C 0\n0 0 0\nN\n2 0X1c\n", "3 2\n0 0 0\n0 0 01\n");
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->walls.width, 3);
  EXPECT_EQ(p.level->walls.height, 2);
  EXPECT_EQ(p.level->walls.cells[0][0], 8);
  EXPECT_EQ(p.level->walls.cells[1][0], 3000);
  EXPECT_EQ(p.level->walls.cells[2][0], 3000);
  EXPECT_EQ(p.level->objects.cells[2][1], 1000);  // "01" is octal 1: a coin
  ASSERT_EQ(p.level->doorEntries.size(), 1u);
  EXPECT_EQ(p.level->doorEntries[0].kind, LevelDoorEntry::Kind::Counter);
  EXPECT_EQ(p.level->doorEntries[0].target, 28);
}

TEST(LevelFileNumbers, SignedAndLargeValuesStayAsRead) {
  Parse p = ParseTexts("2 1 -7 2147483647", "2 1 -1 99999");
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->walls.cells[0][0], -7);
  EXPECT_EQ(p.level->walls.cells[1][0], 2147483647);
  EXPECT_EQ(p.level->objects.cells[0][0], -1);
  EXPECT_EQ(p.level->objects.cells[1][0], 99999);
  EXPECT_TRUE(p.level->items.empty());
}

TEST(LevelFileDoors, AllFourKindsClaimTheirPartnerCell) {
  // 28/32 and 29/33 pair with the cell to the east; 30/34 and 31/35 with the one below.
  for (int t = 28; t <= 35; ++t) {
    SCOPED_TRACE(t);
    test::Grid walls = {{0, 0, 0}, {0, t, 5}, {0, 7, 0}};
    Parse p = ParseGrids(walls, test::EmptyGrid(walls));
    ASSERT_NE(p.level, nullptr) << p.error.Describe();
    const bool east = t % 4 < 2;
    EXPECT_EQ(p.level->walls.cells[1][1], 3000);
    // The token at the partner cell (5 or 7) is read and dropped.
    EXPECT_EQ(p.level->walls.cells[2][1], east ? 3000 : 5);
    EXPECT_EQ(p.level->walls.cells[1][2], east ? 7 : 3000);
    ASSERT_EQ(p.level->items.size(), 1u);
    EXPECT_EQ(p.level->items[0].kind, Kind::Door);
    EXPECT_EQ(p.level->items[0].code, t);
    EXPECT_EQ(p.level->doorCount, 1);
  }
}

TEST(LevelFileDoors, DoorsNumberInReadingOrderAndAClaimedDoorTokenIsDropped) {
  // The 30 at (0,0) claims (0,1), whose own 28 is then discarded: no second door there.
  test::Grid walls = {{30, 0, 0, 0}, {28, 0, 29, 0}};
  Parse p = ParseGrids(walls, test::EmptyGrid(walls));
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->doorCount, 2);
  EXPECT_EQ(p.level->walls.cells[0][0], 3000);
  EXPECT_EQ(p.level->walls.cells[0][1], 3000);
  EXPECT_EQ(p.level->walls.cells[1][1], 0);
  EXPECT_EQ(p.level->walls.cells[2][1], 3001);
  EXPECT_EQ(p.level->walls.cells[3][1], 3001);
}

TEST(LevelFileDoors, ALaterDoorTakesOverASecondCellItShares) {
  // Door 0 (30 at (1,0)) claims (1,1); door 1 (28 at (0,1)) claims (1,1) again.
  test::Grid walls = {{0, 30}, {28, 0}};
  Parse p = ParseGrids(walls, test::EmptyGrid(walls));
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->doorCount, 2);
  EXPECT_EQ(p.level->walls.cells[1][0], 3000);
  EXPECT_EQ(p.level->walls.cells[0][1], 3001);
  EXPECT_EQ(p.level->walls.cells[1][1], 3001);
}

TEST(LevelFileObjects, CoinsAndPelletsAreNumberedAndInterleavedWithWallItems) {
  test::Grid walls = {{22, 0, 25}};
  test::Grid objects = {{1, 2, 1}};
  Parse p = ParseGrids(walls, objects);
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->objects.cells[0][0], 1000);
  EXPECT_EQ(p.level->objects.cells[1][0], 2000);
  EXPECT_EQ(p.level->objects.cells[2][0], 1001);
  // Cell by cell: the wall's item before the object's item.
  ASSERT_EQ(p.level->items.size(), 5u);
  const Kind expected[] = {Kind::FloorArrow, Kind::Coin, Kind::LargePellet, Kind::FloorArrow, Kind::Coin};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(p.level->items[i].kind, expected[i]) << i;
  EXPECT_EQ(p.level->items[3].x, 2);
}

TEST(LevelFileDoorSection, EntriesSkipLinesAndTakeTheirNumbersFromTheNextText) {
  test::Grid walls = {{28, 0, 30, 0, 28, 0}, {0, 0, 0, 0, 0, 0}};
  // The rest of the last grid line, a comment line, a line starting with a blank
  // before "S": all skipped. The numbers on an entry line itself are skipped too.
  const std::string doors =
      "  trailing words\n"
      "comment\n"
      " S 9 9\n"
      "S 77 77\n"
      "2.5 0\n"
      "N ignored\n"
      "3.9\n"
      "12\n"
      "Nothing\n"
      "1000 4\n"
      "N\n"
      "5 6\n";
  Parse p = ParseGrids(walls, test::EmptyGrid(walls), doors);
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  ASSERT_EQ(p.level->doorCount, 3);
  EXPECT_EQ(p.level->doorEntriesFound, 3);
  const auto& e = p.level->doorEntries;
  EXPECT_EQ(e[0].kind, LevelDoorEntry::Kind::Periodic);
  EXPECT_FLOAT_EQ(e[0].period, 2.5f);
  EXPECT_EQ(e[1].kind, LevelDoorEntry::Kind::Counter);
  EXPECT_EQ(e[1].coins, 3);
  EXPECT_EQ(e[1].target, 12);
  EXPECT_EQ(e[2].kind, LevelDoorEntry::Kind::Plain);  // F of 1000: neither counter nor target
}

TEST(LevelFileDoorSection, AShortSectionLeavesTheLaterDoorsWithoutEntry) {
  test::Grid walls = {{28, 0, 28, 0}};
  Parse p = ParseGrids(walls, test::EmptyGrid(walls), "N\n4 2\n\nnot an entry\n");
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->doorEntriesFound, 1);
  EXPECT_EQ(p.level->doorEntries[0].kind, LevelDoorEntry::Kind::Counter);
  EXPECT_EQ(p.level->doorEntries[1].kind, LevelDoorEntry::Kind::Missing);
}

TEST(LevelFileDoorSection, NegativeAndHugeCountsDoNotOverflow) {
  test::Grid walls = {{28, 0, 28, 0}};
  Parse p = ParseGrids(walls, test::EmptyGrid(walls), "N\n-1e30 2\nN\n-2.7 3\n");
  ASSERT_NE(p.level, nullptr) << p.error.Describe();
  EXPECT_EQ(p.level->doorEntries[0].coins, -1000000);
  EXPECT_EQ(p.level->doorEntries[1].coins, -2);  // truncated toward zero
}

void ExpectRejected(const Parse& p, const std::string& file, int line, int token, const std::string& reasonPart) {
  ASSERT_EQ(p.level, nullptr);
  EXPECT_EQ(p.error.file, file);
  EXPECT_EQ(p.error.line, line);
  EXPECT_EQ(p.error.token, token);
  EXPECT_NE(p.error.reason.find(reasonPart), std::string::npos) << p.error.reason;
  const std::string text = p.error.Describe();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_NE(text.find(file), std::string::npos);
}

TEST(LevelFileRejects, SizesOutsideOneToAHundred) {
  ExpectRejected(ParseTexts("101 2", "0 0"), "walls.txt", 1, 1, "width 101 is outside 1 to 100");
  ExpectRejected(ParseTexts("0 2", "0 0"), "walls.txt", 1, 1, "width 0");
  ExpectRejected(ParseTexts("5\n-3", "0 0"), "walls.txt", 2, 1, "height -3 is outside");
  ExpectRejected(ParseTexts("5 0x65", "0 0"), "walls.txt", 1, 2, "height 101");
  // The full size is fine.
  std::string walls = "100 100", objects = "0 0";
  for (int i = 0; i < 10000; ++i) walls += " 0", objects += " 0";
  EXPECT_NE(ParseTexts(walls, objects).level, nullptr);
}

TEST(LevelFileRejects, DoorsWhoseSecondCellLiesOutsideTheGrid) {
  // East-facing door in the last column, south-facing door in the last row.
  ExpectRejected(ParseTexts("2 2\n0 29\n0 0", "2 2 0 0 0 0"), "walls.txt", 2, 2, "second cell (2, 0)");
  ExpectRejected(ParseTexts("2 2\n0 0\n35 0", "2 2 0 0 0 0"), "walls.txt", 3, 1, "second cell (0, 2)");
  // The same at the edge of the largest grid, which would be outside the array.
  std::string walls = "100 1", objects = "0 0";
  for (int i = 0; i < 99; ++i) walls += " 0", objects += " 0";
  walls += " 28";
  objects += " 0";
  ExpectRejected(ParseTexts(walls, objects), "walls.txt", 1, 102, "second cell (100, 0)");
}

TEST(LevelFileRejects, TokensThatAreNotNumbers) {
  ExpectRejected(ParseTexts("2 1\n0 x", "2 1 0 0"), "walls.txt", 2, 2, "not a number \"x\"");
  ExpectRejected(ParseTexts("2 1\n0 08", "2 1 0 0"), "walls.txt", 2, 2, "leading 0 makes it octal");
  ExpectRejected(ParseTexts("2 1\n0 12abc", "2 1 0 0"), "walls.txt", 2, 2, "not a number");
  ExpectRejected(ParseTexts("2 1\n0 0x", "2 1 0 0"), "walls.txt", 2, 2, "not a number");
  ExpectRejected(ParseTexts("2 1\n0 4294967296", "2 1 0 0"), "walls.txt", 2, 2, "out of range");
  ExpectRejected(ParseTexts("2 1 0 0", "2 1\n\n 0 1.5"), "objects.txt", 3, 2, "not a number");
  ExpectRejected(ParseTexts("2 1 0 0", "two 1 0 0"), "objects.txt", 1, 1, "not a number");
  // Door-section numbers: decimal fractions only.
  ExpectRejected(ParseTexts("2 1 28 0\nS\n0x10 0", "2 1 0 0"), "walls.txt", 3, 1, "not a number");
  ExpectRejected(ParseTexts("2 1 28 0\nS\nnan 0", "2 1 0 0"), "walls.txt", 3, 1, "not a number");
  ExpectRejected(ParseTexts("2 1 28 0\nS\n1e39 0", "2 1 0 0"), "walls.txt", 3, 1, "out of range");
  ExpectRejected(ParseTexts("2 1 28 0\nN\n2 3.5", "2 1 0 0"), "walls.txt", 3, 2, "not a number");
}

TEST(LevelFileRejects, FilesThatEndEarly) {
  ExpectRejected(ParseTexts("", "2 1 0 0"), "walls.txt", 1, 0, "ends before its width");
  ExpectRejected(ParseTexts("3\n", "2 1 0 0"), "walls.txt", 2, 0, "ends before its height");
  ExpectRejected(ParseTexts("2 2\n0 0\n0", "2 2 0 0 0 0"), "walls.txt", 3, 0, "ends at cell (1, 1)");
  ExpectRejected(ParseTexts("2 2\n0 0\n0 0", "2 2 0 0\n"), "objects.txt", 2, 0, "ends at cell (0, 1)");
  ExpectRejected(ParseTexts("2 2 0 0 0 0", "2"), "objects.txt", 1, 0, "ends before");
  // An entry line found, but its numbers are missing.
  ExpectRejected(ParseTexts("2 1 28 0\nS\n2", "2 1 0 0"), "walls.txt", 3, 0, "inside the entry of door 0");
}

TEST(LevelFinalFile, StoresArrowsWithoutItemsAndMakesItsDoors) {
  LevelFileError error;
  auto level = ParseFinalText("3 2\n22 30 0\n1 0 2\n", "final.txt", error);
  ASSERT_NE(level, nullptr) << error.Describe();
  EXPECT_EQ(level->walls.cells[0][0], 22);
  EXPECT_EQ(level->walls.cells[1][0], 3000);
  EXPECT_EQ(level->walls.cells[1][1], 3000);
  EXPECT_EQ(level->walls.cells[2][1], 2);  // object values mean nothing here
  EXPECT_EQ(level->objects.cells[0][1], 0);
  ASSERT_EQ(level->items.size(), 1u);
  EXPECT_EQ(level->items[0].kind, Kind::Door);
  ASSERT_EQ(level->doorEntries.size(), 1u);
  EXPECT_EQ(level->doorEntries[0].kind, LevelDoorEntry::Kind::Missing);

  EXPECT_EQ(ParseFinalText("3 2\n0 0 28\n0 0 0", "final.txt", error), nullptr);
  EXPECT_NE(error.reason.find("second cell (3, 0)"), std::string::npos);
}

TEST(LevelFileReading, MissingFilesAreSilentAndOthersAreRead) {
  std::string text, reason = "stale";
  EXPECT_FALSE(ReadLevelFile("/nonexistent/paredes1.txt", text, reason));
  EXPECT_TRUE(reason.empty());
  EXPECT_FALSE(ReadLevelFile("/", text, reason));  // a folder opens but cannot be read
  EXPECT_NE(reason.find("cannot be read"), std::string::npos);
}

}  // namespace
