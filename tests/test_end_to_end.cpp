// The game run as a user runs it: a rendered run through menu, map and maze,
// runs that repeat exactly, and the game program itself started and quit
// with Escape.
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "support/frame_pixels.h"
#include "support/replay_runs.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using test::CommandResult;
using test::RunCommand;

std::string Quote(const std::string& s) { return test::ShellQuote(s); }

CommandResult Replay(const std::string& options, const std::string& data = GLUMBO_RUN_DIR) {
  return RunCommand("SDL_AUDIODRIVER=dummy GLUMBO_MSGBOX=log " + Quote(GLUMBO_REPLAY_TOOL) + " --data " + Quote(data) + " " +
                    options);
}

// A screenshot's size, its distinct colours (quantised to 4 bits a channel), the
// share of its pixels that are not (nearly) black, and its mean red, green and blue.
struct Shot {
  int width = 0, height = 0;
  std::size_t colours = 0;
  double lit = 0, mean[3] = {};
};

bool ReadShot(const std::string& path, Shot& shot) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return false;
  shot.width = static_cast<int>(image.width), shot.height = static_cast<int>(image.height);
  std::set<int> colours;
  const double pixels = static_cast<double>(rgb.size() / 3);
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    colours.insert((rgb[i] >> 4) << 8 | (rgb[i + 1] >> 4) << 4 | (rgb[i + 2] >> 4));
    shot.lit += (rgb[i] + rgb[i + 1] + rgb[i + 2] > 48) / pixels;
    for (int c = 0; c < 3; ++c) shot.mean[c] += rgb[i + c] / pixels;
  }
  shot.colours = colours.size();
  return true;
}

// A data folder of links to the build's levels, pictures and sounds, so that
// whatever a run writes lands in a folder of the test's own.
void LinkData(const fs::path& dir) {
  for (const char* folder : {"pantallas", "texturas", "sonidos"}) fs::create_symlink(fs::path(GLUMBO_RUN_DIR) / folder, dir / folder);
}

TEST(EndToEnd, RunsAreDeterministicAndTheSeedMatters) {
  test::TempDir dir;
  for (const auto& [seed, file] : {std::pair{5, "a.txt"}, {5, "b.txt"}, {6, "c.txt"}})
    ASSERT_EQ(Replay("--seed " + std::to_string(seed) + " --bot --no-render --step 2 --frames 4000 --until-level 2 --trace " +
                     Quote(dir.File(file))).status, 0);
  const auto a = test::ReadBytes(dir.File("a.txt"));
  ASSERT_GT(a.size(), 1000u);
  EXPECT_EQ(a, test::ReadBytes(dir.File("b.txt")));
  EXPECT_NE(a, test::ReadBytes(dir.File("c.txt"))) << "the ghosts should move differently with another seed";
}

TEST(EndToEnd, RenderedRunShowsMenuMapAndMaze) {
  test::TempDir dir;
  test::WriteFile(dir.File("keys.txt"), "100 down Space\n103 up Space\n400 down Return\n404 up Return\n520 down Left\n522 up Left\n");
  const std::string shots[] = {test::PicturePath("end_to_end_menu.png"), test::PicturePath("end_to_end_map.png"),
                               test::PicturePath("end_to_end_play.png")};
  for (const auto& f : shots) fs::remove(f);
  const CommandResult r = Replay("--frames 600 --step 2 --seed 4 --script " + Quote(dir.File("keys.txt")) + " --shot 60:" +
                                 Quote(shots[0]) + " --shot 300:" + Quote(shots[1]) + " --shot 590:" + Quote(shots[2]));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(test::SummaryNumbers(r.output, "states").count(12)) << "the run should have reached play";
  Shot s[3];
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(ReadShot(shots[i], s[i])) << shots[i];
    EXPECT_EQ(std::pair(s[i].width, s[i].height), std::pair(640, 480));
    EXPECT_GT(s[i].colours, 20u) << shots[i] << " is nearly one colour";
    EXPECT_GT(s[i].lit, 0.02) << shots[i] << " is nearly black";
  }
  // Three different screens, not three copies of one.
  for (auto [i, j] : {std::pair{0, 1}, {0, 2}, {1, 2}}) {
    double d = std::abs(s[i].lit - s[j].lit) * 100;
    for (int c = 0; c < 3; ++c) d += std::abs(s[i].mean[c] - s[j].mean[c]);
    EXPECT_GT(d, 1.0) << "pictures " << i << " and " << j << " look the same";
  }
}

// Fifteen seconds without a key: the menu gives way to the table of records,
// read from the file the run is given and left as it was.
TEST(EndToEnd, TheMenuShowsTheTableOfRecordsAfterFifteenQuietSeconds) {
  test::TempDir dir;
  const std::string table = "Glumbo 3D records 1\n15535 BOT 9999 2026-12-07\n2210 \xC3\x91OE 7 2026-12-01\n";
  test::WriteFile(dir.File("records.dat"), table);
  const std::string shots[] = {test::PicturePath("end_to_end_menu_quiet.png"), test::PicturePath("end_to_end_records.png")};
  // 15 s are 525 frames of 2 ticks.
  const CommandResult r = Replay("--frames 560 --step 2 --seed 4 --records-file " + Quote(dir.File("records.dat")) +
                                 " --shot 510:" + Quote(shots[0]) + " --shot 550:" + Quote(shots[1]));
  ASSERT_EQ(r.status, 0) << r.output;
  Shot menu, records;
  ASSERT_TRUE(ReadShot(shots[0], menu) && ReadShot(shots[1], records));
  // The menu's chase has a yellow runner and coloured ghosts; the table is
  // red and blue letters alone, so green all but vanishes.
  EXPECT_GT(menu.mean[1], 2 * records.mean[1]) << menu.mean[1] << " " << records.mean[1];
  EXPECT_GT(records.mean[2], 2 * records.mean[1]) << "blue lines";
  EXPECT_GT(records.lit, 0.05);
  const auto after = test::ReadBytes(dir.File("records.dat"));
  EXPECT_EQ(std::string(after.begin(), after.end()), table) << "an unchanged table is not written";
}

// The data folder's settings ask for 800 x 600: the run takes the size it is asked for
// and leaves the file as it was.
TEST(EndToEnd, ReplayWindowTakesTheAskedSizeLeavesTheSettingsAloneAndRefusesBadOptions) {
  test::TempDir dir;
  LinkData(dir.path());
  const std::vector<std::uint8_t> mine = {0x20, 3, 0, 0, 0x58, 2, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
  test::WriteBytes(dir.File("config.dat"), mine);
  const CommandResult r = Replay("--frames 40 --step 2 --size 320x240 --culling off --shot 30:" + Quote(dir.File("s.png")),
                                 dir.path().string());
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(test::ReadBytes(dir.File("config.dat")), mine);
  Shot s;
  ASSERT_TRUE(ReadShot(dir.File("s.png"), s));
  EXPECT_EQ(std::pair(s.width, s.height), std::pair(320, 240));
  EXPECT_GT(s.lit, 0.02);
  EXPECT_NE(Replay("--frames 5 --size 320by240").status, 0);
  EXPECT_NE(Replay("--frames 5 --culling maybe").status, 0);
  EXPECT_NE(Replay("--frames 5 --detail 3").status, 0);
}

TEST(EndToEnd, GameQuitsOnEscapeAndWritesItsSettings) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
  if (RunCommand("command -v xdotool").status != 0) GTEST_SKIP() << "needs xdotool (scripts/install-deps.sh)";
  test::TempDir dir;
  LinkData(dir.path());
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(101);
    setenv("GLUMBO_MSGBOX", "log", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // The game shuts its video down before exit, which unloads the GL driver;
    // the leak checker of a sanitizer build then reports the driver's
    // allocations under an unknown module and fails the exit status.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    execl(GLUMBO_GAME, GLUMBO_GAME, static_cast<char*>(nullptr));
    _exit(102);
  }
  // The game is killed on the way out of the test unless it has ended.
  struct Child {
    pid_t pid;
    int status = 0;
    bool ended = false;
    bool Reap(int seconds) {  // waits up to the given seconds for the end, looking at least once
      const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
      while (!(ended = ended || waitpid(pid, &status, WNOHANG) == pid) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      return ended;
    }
    ~Child() { if (!ended) kill(pid, SIGKILL), waitpid(pid, nullptr, 0); }
  } game{pid};
  // The window is shown once start-up is done; then the menu runs until a key.
  const CommandResult found = RunCommand("timeout 30 xdotool search --sync --onlyvisible --name '^Glumbo 3D$' | head -1");
  ASSERT_TRUE(found.status == 0 && !found.output.empty()) << "the game window did not appear";
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_FALSE(game.Reap(0)) << "the game ended before it was asked to";
  EXPECT_FALSE(fs::exists(dir.path() / "config.dat")) << "settings are written at the end, not before";
  // Held as a person holds a key: the loop takes every waiting event before
  // it draws the next frame, so a press and release that both arrive within
  // one slow frame would cancel out.
  RunCommand("xdotool windowfocus --sync " + found.output.substr(0, found.output.find('\n')) + " keydown Escape");
  const bool ended = game.Reap(20);
  RunCommand("xdotool keyup Escape");
  ASSERT_TRUE(ended) << "the game did not end on Escape";
  EXPECT_TRUE(WIFEXITED(game.status) && WEXITSTATUS(game.status) == 0) << game.status;
  const auto settings = test::ReadBytes((dir.path() / "config.dat").string());
  ASSERT_EQ(settings.size(), 20u);
  // The default size goes back into the file.
  EXPECT_EQ(std::pair(settings[0] | settings[1] << 8, settings[4] | settings[5] << 8), std::pair(640, 480));
}
