// Grid files as text, and the glumbo-tool command that searches them.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "actors/maze_grid.h"
#include "actors/maze_grid_text.h"
#include "support/test_support.h"

namespace {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// Runs "glumbo-tool path" on the grid file name in dir (quoted) followed by args.
ToolRun RunTool(const test::TempDir& dir, const std::string& grid, const std::string& args) {
  const std::string out = dir.File("out.txt"), err = dir.File("err.txt");
  const std::string file = grid.empty() ? "" : "'" + dir.File(grid) + "' ";
  const std::string command = "'" GLUMBO_BINARY_DIR "/glumbo-tool' path " + file + args + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

TEST(PathGridText, ReadsSizeThenRowsInAnyBase) {
  MazeGrid grid;
  std::string error;
  // 0x27 and 047 are both 39, the ghost-house door; -5 and 3001 are floor.
  ASSERT_TRUE(ParseMazeGridText("3 2\n0 0x27 -5\n\t4 047 3001\n", grid, error)) << error;
  EXPECT_EQ(grid.width, 3);
  EXPECT_EQ(grid.height, 2);
  const int expected[2][3] = {{0, 39, -5}, {4, 39, 3001}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(grid.cells[x][y], expected[y][x]) << x << "," << y;
  }
}

TEST(PathGridText, RefusesDamagedGridsAndLeavesTheOldOne) {
  const char* damaged[] = {"", "3", "0 3", "101 1 0", "2 -1", "2 2 0 0 0", "2 1 0 0 0", "2 1 0 zero", "2 1 0 08",
                           "2 1 0 0x", "2 1 0 4294967296", "2 1 0 1.5", "1e1 1 0"};
  for (const char* text : damaged) {
    SCOPED_TRACE(testing::Message() << "\"" << text << "\"");
    MazeGrid grid;
    grid.SetSize(1, 1);
    grid.SetCell(0, 0, 17);
    std::string error;
    EXPECT_FALSE(ParseMazeGridText(text, grid, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(grid.width, 1);
    EXPECT_EQ(grid.cells[0][0], 17);
  }
  // The message names the cell that is wrong and what stood there.
  MazeGrid grid;
  std::string error;
  EXPECT_FALSE(ParseMazeGridText("2 2 0 0 0 oops", grid, error));
  EXPECT_NE(error.find("(1, 1)"), std::string::npos) << error;
  EXPECT_NE(error.find("oops"), std::string::npos) << error;
}

TEST(PathGridText, IntegersFitThirtyTwoBits) {
  const std::pair<const char*, int> good[] = {
      {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"+0X1f", 31}, {"036", 30}};
  for (const auto& [text, expected] : good) {
    int value = 0;
    EXPECT_TRUE(ParseGridInteger(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
  int value = 0;
  for (const std::string& text : {std::string("2147483648"), std::string("-"), std::string(), std::string(41, '0')}) {
    EXPECT_FALSE(ParseGridInteger(text, value)) << text;
  }
}

TEST(PathTool, PrintsThePathStartFirstAndOpensTheDoorOnlyWhenAsked) {
  test::TempDir dir;
  test::WriteFile(dir.File("grid.txt"), "3 3\n0 0 0\n0 4 0\n0 0 0\n");
  // A wall across the middle row with the ghost-house door (39, written in hexadecimal).
  test::WriteFile(dir.File("house.txt"), "3 3  0 0 0  4 0x27 4  0 0 0");
  const std::pair<std::string, std::string> runs[][2] = {
      {{"grid.txt", "0 0 2 2"}, {"0,0 0,1 0,2 1,2 2,2\n", ""}},
      {{"grid.txt", "1 1 1 1"}, {"1,1\n", ""}},
      {{"house.txt", "1 0 1 2"}, {"none\n", ""}},
      {{"house.txt", "1 0 1 2 --door-open"}, {"1,0 1,1 1,2\n", ""}},
      {{"house.txt", "1 0 7 7 --door-open"}, {"none\n", ""}}};
  for (const auto& run : runs) {
    const ToolRun r = RunTool(dir, run[0].first, run[0].second);
    EXPECT_EQ(r.status, 0) << run[0].second << ": " << r.err;
    EXPECT_EQ(r.out, run[1].first) << run[0].second;
    EXPECT_EQ(r.err, "") << run[0].second;
  }
}

TEST(PathTool, BadGridFilesAndArgumentsFailWithAReason) {
  test::TempDir dir;
  test::WriteFile(dir.File("short.txt"), "4 4\n0 0 0 0\n");
  test::WriteBytes(dir.File("binary.txt"), {'2', ' ', '1', ' ', 0xff, 0x00, ' ', '0'});
  test::WriteFile(dir.File("grid.txt"), "1 1 0");
  struct Case { const char* grid; const char* args; int status; const char* errPart; };
  const Case cases[] = {{"short.txt", "0 0 1 1", 1, "needs 16 cell codes, found 4"},
                        {"absent.txt", "0 0 1 1", 1, "cannot open"},
                        {"binary.txt", "0 0 1 0", 1, ""},
                        // Usage errors.
                        {"grid.txt", "0 0 0", 2, ""}, {"grid.txt", "0 0 0 x", 2, ""},
                        {"grid.txt", "0 0 0 0 --door", 2, ""}, {"", "", 2, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.grid << " " << c.args);
    const ToolRun r = RunTool(dir, c.grid, c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());
    EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
  }
}

}  // namespace
