// The table of records: its order and ties, its file read whatever state it is
// in and replaced whole, the record screen's keys, and where a finished game goes.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>

#include "app/key_state.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/record_entry.h"
#include "game/records_file.h"
#include "game/state_handlers.h"
#include "platform/file_replace.h"
#include "render/menu.h"
#include "support/test_support.h"

namespace {

Record Make(int points, const char* initials = "ABC") {
  return Record{points, {initials[0], initials[1], initials[2]}, 3, "2026-12-07"};
}

std::string Initials(const Record& r) { return std::string(r.initials.begin(), r.initials.end()); }

TEST(RecordTable, BestFirstAnEqualScoreGoesBelowTheOlderAndAFullTableKeepsTen) {
  RecordTable t;
  // Points entered in turn, and the rank each gets (-1: it stays out).
  const std::pair<int, int> entries[] = {{50, 0}, {80, 0}, {50, 2}, {0, -1}, {60, 1}};
  for (auto [points, rank] : entries)
    EXPECT_EQ(InsertRecord(t, Make(points, points == 50 && t.size() > 1 ? "NEW" : "OLD")), rank) << points;
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(Initials(t[2]) + Initials(t[3]), "OLDNEW") << "the older 50 stays above";
  for (int i = 0; i < 6; ++i) InsertRecord(t, Make(100 + i));
  ASSERT_EQ(t.size(), 10u);
  EXPECT_FALSE(Qualifies(t, 50)) << "equal to the last of a full table";
  EXPECT_EQ(InsertRecord(t, Make(51)), 8);
  EXPECT_TRUE(t.size() == 10u && t.back().points == 50 && Initials(t.back()) == "OLD") << "the newer 50 falls off";
}

TEST(RecordTable, TheFileIsReadableTextAndDamagedFilesKeepTheirGoodLines) {
  RecordTable t = {Make(900, "\xD1 -"), Make(20, "BOT")};
  t[1].level = 9999;
  const std::string text = EncodeRecords(t);
  EXPECT_EQ(text, "Glumbo 3D records 1\n900 \xC3\x91 - 3 2026-12-07\n20 BOT 9999 2026-12-07\n");
  EXPECT_EQ(DecodeRecords(text).table, t);
  // Lines out of order are sorted; of equal scores the earlier line stays above.
  const RecordTable read = DecodeRecords("Glumbo 3D records 1\n5 AAA 1 2026-01-31\n7 BBB 1 2026-01-31\n5 CCC 1 2026-01-31\n").table;
  EXPECT_EQ(read.size() == 3 ? Initials(read[0]) + Initials(read[1]) + Initials(read[2]) : "", "BBBAAACCC");
  EXPECT_EQ(LevelText(9999) + LevelText(7), "FIN7");

  const std::string good = "7 ABC 1 2026-01-31\n";
  std::string many = "Glumbo 3D records 1\n";
  for (int i = 1; i <= 13; ++i) many += std::to_string(i) + " ABC 1 2026-01-31\n";
  struct Case {
    std::string text;
    std::size_t kept;
    int dropped;
    bool badHeader;
  } cases[] = {
      {"", 0, 0, true},
      {"Glumbo 3D records 1\r\n" + good.substr(0, good.size() - 1) + "\r\n", 1, 0, false},  // edited on Windows
      {"Glumbo 3D records 2\n" + good, 1, 1, true},
      {"Glumbo 3D records 1\n" + good.substr(0, 11), 0, 1, false},  // cut short
      {"Glumbo 3D records 1\n-7 ABC 1 2026-01-31\n0 ABC 1 2026-01-31\n7 AbC 1 2026-01-31\n9999999999 ABC 1 2026-01-31\n"
       "7 ABC 1 2026-13-01\n7 ABC 1 2026-00-10\n7 ABC 1 2026-01-32\n7  ABC 1 2026-01-31\n7 ABCD 1 2026-01-31\n7 \xD1" "AB 1 2026-01-31\n" +
           good,
       1, 10, false},
      {many, 10, 3, false},
      {std::string("\x00\xff\x13\nGlumbo\x80", 10), 0, 2, true},  // junk
  };
  for (const Case& c : cases) {
    const DecodedRecords d = DecodeRecords(c.text);
    EXPECT_EQ(std::tuple(d.table.size(), d.droppedLines, d.badHeader), std::tuple(c.kept, c.dropped, c.badHeader))
        << c.text;
  }
  EXPECT_EQ(DecodeRecords(many).table.back().points, 4) << "the best ten of too many";
}

TEST(RecordTable, AWriteThatFailsLeavesTheOldFileAndNoTemporaryOne) {
  test::TempDir dir;
  const std::filesystem::path file = dir.path() / "records.dat";
  test::WriteFile(file.string(), "old");
  std::string why;
  std::uintmax_t written = 0;
  auto failAfterWriting = [&written](const std::filesystem::path& from, const std::filesystem::path&, std::string* e) {
    written = std::filesystem::file_size(from);
    *e = "power cut";
    return false;
  };
  EXPECT_FALSE(platform::WriteFileReplacing(file, "new", &why, failAfterWriting));
  EXPECT_TRUE(why == "power cut" && written == 3) << why << ", " << written << " bytes";
  EXPECT_EQ(test::ReadBytes(file.string()), std::vector<std::uint8_t>({'o', 'l', 'd'}));
  EXPECT_TRUE(platform::WriteFileReplacing(file, "new", &why)) << why;
  EXPECT_EQ(test::ReadBytes(file.string()), std::vector<std::uint8_t>({'n', 'e', 'w'}));
  // A disk that fills as the buffered bytes reach it: only the close can tell.
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit full{2, limit.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &full);
  const bool replacedOnAFullDisk = platform::WriteFileReplacing(file, "newer", &why);
  setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_FALSE(replacedOnAFullDisk);
  EXPECT_EQ(test::ReadBytes(file.string()), std::vector<std::uint8_t>({'n', 'e', 'w'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file left";
  EXPECT_FALSE(platform::WriteFileReplacing(dir.path() / "no" / "records.dat", "x", &why));
  EXPECT_FALSE(platform::WriteFileReplacing(dir.path(), "x", &why)) << "a folder is never replaced";
}

TEST(RecordScreen, KeysSetTheThreeLetters) {
  constexpr int Bs = 8, Up = VkUp, Down = VkDown, Left = VkLeft, Right = VkRight;
  const struct {
    std::vector<int> keys;
    const char* initials;
    int place;
  } cases[] = {
      {{}, "AAA", 0},
      {{Up, Right, Down, Down}, "BZA", 1},             // a space lies between Z and A
      {{Down}, " AA", 0},
      {{Right, Right, Right, Up, Left, Left, Left}, "AAB", 0},  // the cursor stops at both ends
      {{'N', Left, Down}, "MAA", 0},                    // typing moves on; Left comes back
      {{Right, Right, Left, Up}, "ABA", 1},
      {{Up, Up, Up, Up, Up, Up, Up, Up, Up, Up, Up, Up, Up, Up}, "\xD1" "AA", 0},  // Ñ after N
      {{0xBA, 0xC0, 'O'}, "\xD1\xD1O", 2},              // the Ñ key by its place and by its Spanish code
      {{'B', 'O', 'D', Bs, 'T'}, "BOT", 2},            // after three letters Backspace goes to the last
      {{'B', 'O', Bs, Bs, Bs, 'X'}, "XOA", 1},
  };
  for (const auto& c : cases) {
    RecordEntry e;
    for (int vk : c.keys) EXPECT_FALSE(e.Press(vk));
    const auto initials = e.Initials();
    EXPECT_EQ(std::string(initials.begin(), initials.end()) + std::to_string(e.Place()),
              std::string(c.initials) + std::to_string(c.place));
  }
  RecordEntry e;
  EXPECT_TRUE(e.Press(VkSpace) && e.Press(VkReturn) && !e.Press('P') && !e.Press(VkEscape));
}

class GameEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeyState();
    recordTable = {Make(500), Make(100)};
    recordsPath = dir.File("records.dat");
    menu = &m;
  }
  void TearDown() override { menu = nullptr, recordsPath.clear(), recordTable.clear(), gamePoints = 0; }
  test::TempDir dir;
  Menu m;
};

TEST_F(GameEnd, NoPointsGoStraightToTheMenuAndAnEnteredRecordIsKeptAndShownMarked) {
  gamePoints = 0;
  EndGame();
  EXPECT_EQ(GameState, StateMenu);
  EXPECT_FALSE(std::filesystem::exists(recordsPath)) << "an unchanged table is not written";

  gamePoints = 300;
  KeyState[VkUp] = KeyPressed;  // held from play: not for the letters
  EndGame();
  ASSERT_EQ(GameState, StateRecordEntry);
  for (int vk : {int{'Z'}, VkRight, VkUp, VkReturn}) {
    KeyState[vk] = KeyPressed;
    StateRecordEntryStep(1.0);
  }
  EXPECT_TRUE(GameState == StateMenu && m.showingRecords && m.markedRecord == 1);
  ASSERT_EQ(ReadRecordsFile(recordsPath).size(), 3u);
  EXPECT_EQ(Initials(ReadRecordsFile(recordsPath)[1]), "ZAB");

  // Escape on the record screen: the game ends and keeps the record unsigned.
  gamePoints = 200;
  EndGame();
  KeepUnfinishedRecord();
  EXPECT_EQ(Initials(ReadRecordsFile(recordsPath)[2]), "---");
}

TEST_F(GameEnd, TheMenuShowsTheTableAfterFifteenQuietSecondsForEightOrUntilAKey) {
  GameState = StateMenu;
  for (int i = 0; i < 15 * 70 - 1; ++i) m.UpdateMenu(1.0);
  EXPECT_FALSE(m.showingRecords);
  m.UpdateMenu(2.0);
  ASSERT_TRUE(m.showingRecords);
  KeyState[VkDown] = KeyPressed;
  m.UpdateMenu(1.0);
  EXPECT_TRUE(!m.showingRecords && m.selected == 0 && KeyState[VkDown] == KeyHandled) << "the key does nothing else";
  m.ShowRecords(-1);
  for (int i = 0; i < 8 * 70 + 2; ++i) m.UpdateMenu(1.0);
  EXPECT_FALSE(m.showingRecords);
  KeyState[VkSpace] = KeyHandled;  // a key held down is not a quiet menu
  for (int i = 0; i < 16 * 70; ++i) m.UpdateMenu(1.0);
  EXPECT_FALSE(m.showingRecords);
}

}  // namespace
