// The level compiler: wall pieces chosen from the neighbours, shapes it must
// refuse, and the play checks that keep a level finishable.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "level_compile.h"
#include "level_source.h"
#include "support/test_support.h"
#include "wall_pieces.h"
#include "world/level_files.h"

namespace {

std::string Source(const std::string& header, const std::vector<std::string>& rows) {
  std::string text = header + "\nmap\n";
  for (const std::string& r : rows) text += r + "\n";
  return text;
}

struct Result {
  bool ok = false;
  levelc::CompiledLevel level;
  std::vector<std::string> errors;
  std::string AllErrors() const {
    std::string all;
    for (const std::string& e : errors) all += e + "\n";
    return all;
  }
};

Result Compile(const std::string& text, const std::string& name = "test.lvl") {
  Result r;
  const auto src = levelc::ParseLevelSource(text, name, r.errors);
  r.ok = src && levelc::CompileLevel(*src, r.level, r.errors);
  return r;
}

int WallAt(const Result& r, int x, int y) { return r.level.walls[static_cast<std::size_t>(y * r.level.width + x)]; }

// A bonus-level number, so that no ghost house is needed for small maps.
const char* kBonus = "level 60";

TEST(LevelCompiler, RingOfWallsGetsCornersAndStraights) {
  const Result r = Compile(Source(kBonus, {"#####", "#P..#", "#...#", "#####"}));
  ASSERT_TRUE(r.ok) << r.AllErrors();
  EXPECT_EQ(WallAt(r, 0, 0), 4);   // joins south and east
  EXPECT_EQ(WallAt(r, 4, 0), 5);   // west and south
  EXPECT_EQ(WallAt(r, 0, 3), 6);   // east and north
  EXPECT_EQ(WallAt(r, 4, 3), 7);   // north and west
  EXPECT_EQ(WallAt(r, 2, 0), 20);  // west and east
  EXPECT_EQ(WallAt(r, 0, 1), 21);  // north and south
  EXPECT_EQ(WallAt(r, 1, 1), 37);
  EXPECT_EQ(r.level.coins, 5);
}

TEST(LevelCompiler, BarsEndInRoundedEndsAndThickWallsAreHollow) {
  const Result r = Compile(Source(kBonus, {
                                              "#########",
                                              "#P......#",
                                              "#.###.#.#",
                                              "#.###.#.#",
                                              "#.###.#.#",
                                              "#.......#",
                                              "#.##....#",
                                              "#.......#",
                                              "#########",
                                          }));
  ASSERT_TRUE(r.ok) << r.AllErrors();
  EXPECT_EQ(WallAt(r, 3, 3), 9);   // buried in the 3 x 3 block: no geometry
  EXPECT_EQ(WallAt(r, 2, 3), 21);  // the block's west face
  EXPECT_EQ(WallAt(r, 6, 2), 16);  // upright bar: joins south, rounded at the north
  EXPECT_EQ(WallAt(r, 6, 4), 17);  // joins north, rounded at the south
  EXPECT_EQ(WallAt(r, 2, 6), 18);  // flat bar: joins east, rounded at the west
  EXPECT_EQ(WallAt(r, 3, 6), 19);
}

TEST(LevelCompiler, WallsBesideADoorMeetItsJambs) {
  const Result r = Compile(Source("level 60\ndoor 1 portal 2 61", {"###11###", "#P.....#", "########"}));
  ASSERT_TRUE(r.ok) << r.AllErrors();
  EXPECT_EQ(WallAt(r, 2, 0), 20);  // runs on east into the door
  EXPECT_EQ(WallAt(r, 5, 0), 20);
  EXPECT_EQ(WallAt(r, 3, 0), 28);  // the door, its leaves swinging out to the north
  EXPECT_EQ(WallAt(r, 4, 0), 0);
  ASSERT_EQ(r.level.doors.size(), 1u);
  EXPECT_EQ(levelc::WallFileText(r.level).substr(levelc::WallFileText(r.level).size() - 7), "N\n2 61\n");
}

TEST(LevelCompiler, DoorTokensFollowTheDoorsDirectionAndSwing) {
  const std::vector<std::string> room = {"##########", "#P.......#", "#.######.#", "#.#____#.#", "#.3____#.#",
                                         "#.3____#.#", "#.###44#.#", "#........#", "##########"};
  const Result shut = Compile(Source("level 60\ndoor 3 locked swing east\ndoor 4 locked swing south", room));
  ASSERT_FALSE(shut.ok);  // nothing opens the room
  EXPECT_NE(shut.AllErrors().find("cannot be reached"), std::string::npos) << shut.AllErrors();
  const Result open = Compile(Source("level 60\ndoor 3 timed 2 swing east\ndoor 4 timed 1 swing south", room));
  ASSERT_TRUE(open.ok) << open.AllErrors();
  EXPECT_EQ(WallAt(open, 2, 4), 31);  // a column pair swinging east
  EXPECT_EQ(WallAt(open, 2, 5), 0);
  EXPECT_EQ(WallAt(open, 5, 6), 29);  // a row pair swinging south
  EXPECT_EQ(WallAt(open, 2, 3), 21);  // the walls above and beside run into the doors
  EXPECT_EQ(WallAt(open, 4, 6), 20);
  const std::string text = levelc::WallFileText(open.level);
  EXPECT_NE(text.find("S\n2 0\nS\n1 0\n"), std::string::npos) << text;
  const Result wrongWay = Compile(Source("level 60\ndoor 3 timed 2 swing north\ndoor 4 timed 1", room));
  ASSERT_FALSE(wrongWay.ok);
  EXPECT_NE(wrongWay.AllErrors().find("cannot swing north or south"), std::string::npos) << wrongWay.AllErrors();
}

TEST(LevelCompiler, RefusesWallShapesThePiecesCannotDraw) {
  // A thin wall meeting another one: a junction no piece draws.
  const Result t = Compile(Source(kBonus, {"#######", "#P....#", "#.###.#", "#..#..#", "#.....#", "#######"}),
                           "level60.lvl");
  ASSERT_FALSE(t.ok);
  const std::string all = t.AllErrors();
  EXPECT_NE(all.find("level60.lvl (level 60): cell (3, 2)"), std::string::npos) << all;
  EXPECT_NE(all.find("junction"), std::string::npos) << all;
  // A wall reaching in from the outer wall makes the same junction there.
  const Result border = Compile(Source(kBonus, {"#######", "#P....#", "###...#", "#.....#", "#######"}));
  ASSERT_FALSE(border.ok);
  EXPECT_NE(border.AllErrors().find("cell (0, 2)"), std::string::npos) << border.AllErrors();
  // One wall cell standing alone.
  const Result lone = Compile(Source(kBonus, {"#####", "#P..#", "#.#.#", "#...#", "#####"}));
  ASSERT_FALSE(lone.ok);
  EXPECT_NE(lone.AllErrors().find("cell (2, 2): a lone wall"), std::string::npos) << lone.AllErrors();
}

TEST(LevelCompiler, ArrowsMustLeadOutOntoFloor) {
  const Result intoWall = Compile(Source(kBonus, {"######", "#P..>#", "######"}));
  ASSERT_FALSE(intoWall.ok);
  EXPECT_NE(intoWall.AllErrors().find("cell (4, 1): the arrow points into a wall"), std::string::npos)
      << intoWall.AllErrors();
  const Result circle = Compile(Source(kBonus, {"######", "#P...#", "#.>v.#", "#.^<.#", "#....#", "######"}));
  ASSERT_FALSE(circle.ok);
  EXPECT_NE(circle.AllErrors().find("circle"), std::string::npos) << circle.AllErrors();
  // A player on an arrow cannot turn, so a pocket beside the lane is out of reach.
  const Result pocket = Compile(Source(kBonus, {"#######", "#P>>>_#", "#_#.#_#", "#_###_#", "#_____#", "#######"}));
  ASSERT_FALSE(pocket.ok);
  EXPECT_NE(pocket.AllErrors().find("cell (3, 2): this coin cannot be reached"), std::string::npos)
      << pocket.AllErrors();
  const Result good = Compile(Source(kBonus, {"######", "#P>>.#", "######"}));
  ASSERT_TRUE(good.ok) << good.AllErrors();
  EXPECT_EQ(WallAt(good, 2, 1), 23);
}

TEST(LevelCompiler, PortalsNeedCoinsThePlayerCanEat) {
  const Result tooMany = Compile(Source("level 60\ndoor 1 portal 5 61", {"##11##", "#P...#", "######"}));
  ASSERT_FALSE(tooMany.ok);
  EXPECT_NE(tooMany.AllErrors().find("needs 5 coins but only 3"), std::string::npos) << tooMany.AllErrors();
  // Coins behind a coin door count once the door has opened.
  const std::vector<std::string> vault = {"###11####", "#P......#", "#.#22##.#", "#.#...#.#", "#.#####.#",
                                          "#.......#", "#########"};
  const Result chained = Compile(Source("level 60\ndoor 1 portal 21 61\ndoor 2 coins 2", vault));
  EXPECT_TRUE(chained.ok) << chained.AllErrors();
  const Result locked = Compile(Source("level 60\ndoor 1 portal 21 61\ndoor 2 coins 20", vault));
  ASSERT_FALSE(locked.ok);
  EXPECT_NE(locked.AllErrors().find("needs 21 coins but only 19"), std::string::npos) << locked.AllErrors();
}

TEST(LevelCompiler, GhostsMustBeAbleToLeaveTheirHouse) {
  const std::vector<std::string> house = {"#########", "#P......#", "#.##=##.#", "#.#xGx#.#", "#.#####.#",
                                          "#.......#", "#########"};
  const Result shut = Compile(Source("level 4", house));
  ASSERT_FALSE(shut.ok);
  EXPECT_NE(shut.AllErrors().find("nothing opens '='"), std::string::npos) << shut.AllErrors();
  std::vector<std::string> gate = house;
  gate[2] = "#.##x##.#";
  const Result open = Compile(Source("level 4", gate));
  ASSERT_TRUE(open.ok) << open.AllErrors();
  // The house's top wall ends in rounded ends beside the gate.
  EXPECT_EQ(WallAt(open, 3, 2), 19);
  EXPECT_EQ(WallAt(open, 5, 2), 18);
  EXPECT_EQ(WallAt(open, 4, 2), 38);
  EXPECT_EQ(WallAt(open, 4, 3), 36);
}

TEST(LevelCompiler, OneArmedWallsTurnTowardAGateBesideThem) {
  // The west wall of this house climbs to the gate and turns into it.
  EXPECT_EQ(levelc::PieceForJoins(levelc::kJoinS, levelc::kJoinE), 8);
  EXPECT_EQ(levelc::PieceForJoins(levelc::kJoinN, levelc::kJoinW), 11);
  EXPECT_EQ(levelc::PieceForJoins(levelc::kJoinS, levelc::kJoinW), 13);
  EXPECT_EQ(levelc::PieceForJoins(levelc::kJoinN, levelc::kJoinE), 14);
  const Result hook = Compile(Source("level 4", {"#######", "#P....#", "#.#x#.#", "#.#G#.#", "#.###.#",
                                                 "#.....#", "#######"}));
  ASSERT_TRUE(hook.ok) << hook.AllErrors();
  EXPECT_EQ(WallAt(hook, 2, 2), 8);   // joins south, turns east to the gate
  EXPECT_EQ(WallAt(hook, 4, 2), 13);  // joins south, turns west to the gate
  for (int code = 4; code <= 21; ++code) {
    const int joins = levelc::JoinsOfPiece(code);
    if (joins == 0) continue;
    const int turn = code == 8 || code == 14 ? levelc::kJoinE : code == 11 || code == 13 ? levelc::kJoinW : 0;
    EXPECT_EQ(levelc::PieceForJoins(joins, turn), code);
  }
}

TEST(LevelCompiler, HeaderAndMapMistakesAreNamedWithTheirLine) {
  std::vector<std::string> errors;
  EXPECT_FALSE(levelc::ParseLevelSource("level 3\nmap\n#####\n#P.#\n#####\n", "a.lvl", errors));
  ASSERT_FALSE(errors.empty());
  EXPECT_NE(errors[0].find("a.lvl:4: map row has 4 cells"), std::string::npos) << errors[0];
  errors.clear();
  EXPECT_FALSE(levelc::ParseLevelSource("level 3\ndoor 1 sometimes\nmap\n###\n#P#\n###\n", "b.lvl", errors));
  ASSERT_FALSE(errors.empty());
  EXPECT_NE(errors[0].find("b.lvl:2: unknown door kind"), std::string::npos) << errors[0];
  errors.clear();
  EXPECT_FALSE(levelc::ParseLevelSource("level 3\nmap\n###\n#P?\n###\n", "c.lvl", errors));
  ASSERT_FALSE(errors.empty());
  EXPECT_NE(errors[0].find("unknown map character '?'"), std::string::npos) << errors[0];
}

TEST(LevelCompiler, OutputReadsBackThroughTheGamesLoader) {
  const Result r = Compile(Source("level 60\ndoor 1 portal 3 61\ndoor 2 coins 2\ndoor 3 timed 2.5",
                                  {"###11#####", "#Po......#", "#.##22##.#", "#.#____#.#", "#.##33##.#", "#.....v..#",
                                   "#.....<..#", "##########"}));
  ASSERT_TRUE(r.ok) << r.AllErrors();
  LevelFileError error;
  const auto parsed = ParseLevelTexts(levelc::WallFileText(r.level), "walls", levelc::ObjectFileText(r.level),
                                      "objects", error);
  ASSERT_NE(parsed, nullptr) << error.Describe();
  EXPECT_EQ(parsed->doorCount, 3);
  ASSERT_EQ(parsed->doorEntries.size(), 3u);
  EXPECT_EQ(parsed->doorEntries[0].kind, LevelDoorEntry::Kind::Counter);
  EXPECT_EQ(parsed->doorEntries[0].coins, 3);
  EXPECT_EQ(parsed->doorEntries[0].target, 61);
  EXPECT_EQ(parsed->doorEntries[1].target, -1);  // opens by coins, leads nowhere
  EXPECT_EQ(parsed->doorEntries[2].kind, LevelDoorEntry::Kind::Periodic);
  EXPECT_FLOAT_EQ(parsed->doorEntries[2].period, 2.5f);
  int coins = 0, pellets = 0, arrows = 0;
  for (const LevelItemPlacement& item : parsed->items) {
    coins += item.kind == LevelItemPlacement::Kind::Coin;
    pellets += item.kind == LevelItemPlacement::Kind::LargePellet;
    arrows += item.kind == LevelItemPlacement::Kind::FloorArrow;
  }
  EXPECT_EQ(coins, r.level.coins);
  EXPECT_EQ(pellets, 1);
  EXPECT_EQ(arrows, 2);
}

TEST(LevelCompiler, TheToolNamesTheBadCellAndFails) {
  test::TempDir dir;
  test::WriteFile(dir.File("bad.lvl"), Source(kBonus, {"#######", "#P....#", "#.###.#", "#..#..#", "#.....#", "#######"}));
  const std::string command = std::string(GLUMBO_BINARY_DIR) + "/tools/levelc/levelc " + dir.path().string() + " " +
                              dir.File("bad.lvl") + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  EXPECT_NE(status, 0);
  EXPECT_NE(output.find("bad.lvl (level 60): cell (3, 2)"), std::string::npos) << output;
  EXPECT_FALSE(std::filesystem::exists(dir.File("paredes60.txt")));
}

TEST(LevelCompiler, DamagedSourcesAreRefusedWithAReasonOrCompileSoundly) {
  // Random damage to the real levels: every outcome is either a clean refusal
  // with a message, or a level whose every joined wall end meets a wall.
  std::mt19937 random(20261207);
  const std::string chars = "#%.o_^>v<PQGBx=123?\n ";
  int refused = 0, compiled = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(GLUMBO_SOURCE_DIR) / "content" / "levels")) {
    std::ifstream in(entry.path());
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string original = buffer.str();
    for (int round = 0; round < 60; ++round) {
      std::string text = original;
      const int edits = 1 + static_cast<int>(random() % 4);
      for (int e = 0; e < edits; ++e) {
        const std::size_t at = random() % text.size();
        switch (random() % 3) {
          case 0: text[at] = chars[random() % chars.size()]; break;
          case 1: text.erase(at, 1 + random() % 3); break;
          default: text.insert(at, 1, chars[random() % chars.size()]); break;
        }
      }
      const Result r = Compile(text, entry.path().filename().string());
      if (!r.ok) {
        EXPECT_FALSE(r.errors.empty());
        ++refused;
        continue;
      }
      ++compiled;
      const int w = r.level.width, h = r.level.height;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int joins = levelc::JoinsOfPiece(WallAt(r, x, y));
          if ((joins & levelc::kJoinE) && x + 1 < w && WallAt(r, x + 1, y) >= 4 && WallAt(r, x + 1, y) <= 21) {
            EXPECT_TRUE(levelc::JoinsOfPiece(WallAt(r, x + 1, y)) & levelc::kJoinW) << x << ", " << y;
          }
          if ((joins & levelc::kJoinS) && y + 1 < h && WallAt(r, x, y + 1) >= 4 && WallAt(r, x, y + 1) <= 21) {
            EXPECT_TRUE(levelc::JoinsOfPiece(WallAt(r, x, y + 1)) & levelc::kJoinN) << x << ", " << y;
          }
        }
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(compiled, 0);
}

}  // namespace
