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
