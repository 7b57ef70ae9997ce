// Grid files as text, and the glumbo-tool command that searches them.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <tuple>

#include <sys/wait.h>

#include "actors/maze_grid.h"
#include "actors/maze_grid_text.h"
#include "support/test_support.h"

namespace {

TEST(PathGridText, ReadsSizeThenRowsInAnyBaseWithinThirtyTwoBits) {
  MazeGrid grid;
  std::string error;
  // 0x27 and 047 are both 39, the ghost-house door.
  ASSERT_TRUE(ParseMazeGridText("3 2\n0 0x27 -5\n\t4 047 -2147483648\n", grid, error)) << error;
  const auto& c = grid.cells;
  EXPECT_EQ((std::vector{grid.width, grid.height, c[0][0], c[1][0], c[2][0], c[0][1], c[1][1], c[2][1]}),
            (std::vector{3, 2, 0, 39, -5, 4, 39, INT_MIN}));
  int value = 0;
  EXPECT_TRUE(ParseGridInteger("+0X7fffffff", value) && value == 2147483647) << value;
  for (const std::string& text : {std::string("2147483648"), std::string("-"), std::string(), std::string(41, '0')})
    EXPECT_FALSE(ParseGridInteger(text, value)) << text;
}

TEST(PathGridText, RefusesDamagedGridsNamingTheCellAndLeavesTheOldOne) {
  MazeGrid grid;
  std::string error;
  for (const char* text : {"", "3", "0 3", "101 1 0", "2 -1", "2 2 0 0 0", "2 1 0 0 0", "2 1 0 08", "2 1 0 1.5",
                           "1e1 1 0", "2 2 0 0 0 oops"}) {
    grid.SetSize(1, 1);
    grid.SetCell(0, 0, 17);
    error.clear();
    EXPECT_FALSE(ParseMazeGridText(text, grid, error)) << text;
    EXPECT_TRUE(!error.empty() && grid.width == 1 && grid.cells[0][0] == 17) << text;
  }
  // The message names the cell that is wrong and what stood there.
  EXPECT_TRUE(error.find("cell (1, 1) is not an integer: ") != std::string::npos && error.find("oops") != std::string::npos)
      << error;
}

TEST(PathTool, PrintsThePathOrFailsWithAReason) {
  test::TempDir dir;
  // A wall across the middle row with the ghost-house door (39, in hexadecimal).
  test::WriteFile(dir.File("house.txt"), "3 3  0 0 0  4 0x27 4  0 0 0");
  test::WriteFile(dir.File("short.txt"), "4 4\n0 0 0 0\n");
  const auto slurp = [](const std::string& path) { const auto b = test::ReadBytes(path); return std::string(b.begin(), b.end()); };
  struct Case { const char *grid, *args; int status; const char *out, *errPart; };  // errPart null: stderr empty
  const Case cases[] = {{"house.txt", "1 0 1 2", 0, "none\n", nullptr},
                        {"house.txt", "1 0 1 2 --door-open", 0, "1,0 1,1 1,2\n", nullptr},
                        {"house.txt", "0 0 2 2 --door-open", 0, "0,0 1,0 1,1 1,2 2,2\n", nullptr},
                        {"short.txt", "0 0 1 1", 1, "", "needs 16 cell codes, found 4"},
                        {"absent.txt", "0 0 1 1", 1, "", "cannot open"},
                        {"house.txt", "0 0 0 x", 2, "", ""},
                        {nullptr, "", 2, "", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.grid ? c.grid : "-") << " " << c.args);
    const std::string out = dir.File("out.txt"), err = dir.File("err.txt");
    const std::string file = c.grid ? "'" + dir.File(c.grid) + "' " : "";
    const int raw = std::system(("'" GLUMBO_BINARY_DIR "/glumbo-tool' path " + file + c.args + " >'" + out + "' 2>'" +
                                 err + "'").c_str());
    EXPECT_EQ((std::tuple{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out)}), (std::tuple{c.status, std::string(c.out)}));
    const std::string said = slurp(err);
    EXPECT_TRUE(c.errPart ? !said.empty() && said.find(c.errPart) != std::string::npos : said.empty()) << said;
  }
}

}  // namespace
