// The autoplayer through the whole game, from the menu's "Nuevo Juego" to the
// credits, its initials in the table of records and back to the menu, without drawing.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/replay_runs.h"
#include "support/test_support.h"

namespace {

test::CommandResult Replay(const std::string& options) {
  return test::RunCommand(std::string("SDL_AUDIODRIVER=dummy GLUMBO_MSGBOX=log ") +
                          test::ShellQuote(GLUMBO_REPLAY_TOOL) + " --data " + test::ShellQuote(GLUMBO_RUN_DIR) + " " +
                          options);
}

}  // namespace

TEST(EndToEndGame, AutoplayerFinishesTheWholeGameWithoutDrawing) {
  test::TempDir dir;
  const std::string records = dir.File("records.dat");
  test::WriteFile(records, "Glumbo 3D records 1\n100 OLD 3 2026-01-01\n");
  const test::CommandResult r =
      Replay("--bot --no-render --seed 1 --step 2 --frames 40000 --records-file " + test::ShellQuote(records));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find("bot completed"), std::string::npos) << r.output;
  const std::set<int> levels = test::SummaryNumbers(r.output, "levels");
  EXPECT_EQ(levels, (std::set<int>{1, 2, 3, 5, 6, 7, 54, 58, 100})) << r.output;
  const std::set<int> states = test::SummaryNumbers(r.output, "states");
  for (int s : {1, 8, 9, 11, 12, 13, 14, 23, 58, 100, 200, 201}) EXPECT_TRUE(states.count(s)) << "state " << s;
  EXPECT_FALSE(states.count(22)) << "the autoplayer lost the game";

  // The order of the great scenes: rescue, boss, walk-out, ending, then the menu.
  const auto lines = test::StateLines(r.output);
  std::vector<int> scenes;
  for (const auto& l : lines) {
    if (l[1] == 58 || l[1] == 100 || l[1] == 200 || l[1] == 201) scenes.push_back(l[1]);
  }
  EXPECT_EQ(scenes, (std::vector<int>{58, 100, 200, 201}));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back()[1], 1) << "the credits lead back to the menu";
  EXPECT_EQ(lines.back()[2], 9999) << "the closing scene was the last level loaded";
  // The credits lead to the record screen, where the autoplayer types its initials.
  const std::vector<std::uint8_t> bytes = test::ReadBytes(records);
  const std::string table(bytes.begin(), bytes.end());
  const std::regex expected("^Glumbo 3D records 1\n[0-9]+ BOT 9999 [-0-9]{10}\n100 OLD 3 2026-01-01\n$");
  EXPECT_TRUE(std::regex_search(table, expected)) << table;
}

