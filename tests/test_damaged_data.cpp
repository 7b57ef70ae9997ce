// Every data file the game reads, damaged one at a time in every way a player's
// copy can be damaged (missing, empty, cut short, bytes changed, replaced by
// junk), with the autoplayer playing from where the file is first used. The
// game must play on, or stop with one of its own boxes, and end with status 0:
// never a crash, a hang or a sanitizer report.
//
// The table of records is damaged the same ways: a game won from the boss
// level must keep its record and write the table clean.
//
// The level, monster and closing-scene files are text and run in both builds;
// pictures and sounds are read by decoders with tests and fuzzers of their own,
// so they run in the plain build only (label "long", see damaged_data.cmake).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>

#include "game/records.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

// Single quotes for a shell word.
std::string Quote(const std::string& word) {
  std::string q = "'";
  for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// A shell command's exit status (-1 when it did not exit normally) and standard output.
std::pair<int, std::string> RunCommand(const std::string& command) {
  std::pair<int, std::string> r{-1, ""};
  FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) r.second.append(buffer, n);
  const int raw = pclose(p);
  r.first = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

// The replay's state lines ("frame state level lives"), printed at each change of state.
std::vector<std::array<int, 4>> StateLines(const std::string& output) {
  std::vector<std::array<int, 4>> result;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::array<int, 4> v;
    if (words >> v[0] >> v[1] >> v[2] >> v[3] && words.eof()) result.push_back(v);
  }
  return result;
}

enum class Damage { Missing, Empty, CutShort, BytesChanged, Junk };
constexpr Damage kDamages[] = {Damage::Missing, Damage::Empty, Damage::CutShort, Damage::BytesChanged, Damage::Junk};

const char* Name(Damage d) { return std::array{"missing", "empty", "cut short", "bytes changed", "junk"}[static_cast<int>(d)]; }

// The damaged contents (unused for Missing). Deterministic: the same file is
// damaged the same way in every run.
std::string Damaged(const std::string& bytes, Damage d, bool text) {
  std::uint32_t seed = 2463534242u ^ static_cast<std::uint32_t>(bytes.size());
  auto next = [&seed] { return seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5; };
  switch (d) {
    case Damage::Missing:
    case Damage::Empty: return "";
    case Damage::CutShort: return bytes.substr(0, bytes.size() / 2);
    case Damage::BytesChanged: {
      // Headers and door sections are where a changed byte does most harm:
      // the first and last 64 bytes get most of the changes, the rest some.
      // In a text file only digits change, into other digits but 0, so that
      // the file still reads and the game meets the numbers themselves
      // (sizes, wall and door codes, door targets); any other change is
      // refused by the reader as a whole.
      std::string out = bytes;
      const char values[] = {0, '\xff', 0x7f, '\x80', 1, 0x10};
      for (int i = 0; i < 24 && !out.empty(); ++i) {
        const std::size_t edge = std::min<std::size_t>(64, out.size());
        std::size_t at = next() % edge;
        if (i % 3 == 1) at = out.size() - 1 - at;
        if (i % 3 == 2) at = next() % out.size();
        if (!text) {
          out[at] = values[i % 6];
        } else if (out[at] >= '0' && out[at] <= '9') {
          out[at] = static_cast<char>('1' + next() % 9);
        }
      }
      return out;
    }
    case Damage::Junk: {
      std::string out(bytes.size(), '\0');
      for (char& c : out) c = static_cast<char>(next() & 0xff);
      return out;
    }
  }
  return bytes;
}

// How one file's runs are played, and what shows that a run got as far as the
// file's first use. One run of each file must show it (the file missing,
// empty or junk always does); up to that read the runs of a file are the
// same, so all of them reached it.
struct Plan {
  std::string folder, name;
  int startLevel = 1, seed = 1, detail = 2;
  long levelFrames = 300;  // 0: play until the autoplayer finishes the game
  bool render = false;
  enum class Proof { LevelLoaded, Box, SoundMessage, RecordKept } proof = Proof::LevelLoaded;
  int provingLevel = 0;  // Proof::LevelLoaded: a state line with this level number
};

// Not a folder of the data: the table of records, kept beside the settings.
constexpr const char* kRecordsFolder = "records";
// A table of low scores, one with Ñ, that any won game enters.
constexpr const char* kRecordsTable =
    "Glumbo 3D records 1\n500 ANA 7 2026-11-02\n400 LUZ 5 2026-11-01\n300 \xC3\x91OE 3 2026-10-30\n"
    "200 PEP 2 2026-10-29\n100 --- 1 2026-10-28\n";

int NumberIn(const std::string& name) {
  std::smatch m;
  return std::regex_search(name, m, std::regex("[0-9]+")) ? std::stoi(m.str()) : -1;
}

Plan PlanFor(const std::string& folder, const std::string& name) {
  Plan p{folder, name};
  const int n = NumberIn(name);
  if (folder == kRecordsFolder) {
    // Read at start-up, written after the credits of a game won from the boss level.
    p.startLevel = 100, p.seed = 3, p.levelFrames = 0, p.proof = Plan::Proof::RecordKept;
  } else if (folder == "pantallas") {
    if (name == "final.txt") {
      // First read at the walk-out after the boss: played through to the credits.
      p.startLevel = 100, p.seed = 3, p.levelFrames = 0, p.provingLevel = 9999;
    } else {
      // Level 58's rescue scene opens its door after about 1150 frames.
      p.startLevel = n, p.levelFrames = 1500, p.provingLevel = n;
    }
  } else if (folder == "texturas") {
    p.proof = Plan::Proof::Box, p.render = true;
    if (name.rfind("texp", 0) == 0) p.startLevel = n > 0 ? n : 1;
    // The level's own set of a detail level is read at a level load with that detail.
    if (name.rfind("ladrillos", 0) == 0 || name.rfind("suelo", 0) == 0 || name.rfind("puertas", 0) == 0) p.detail = n;
  } else {
    // The level's tune, a pellet, an eaten ghost; the coins of the whole
    // level, since the coin's sound waits for silence (see Run).
    p.proof = Plan::Proof::SoundMessage, p.levelFrames = name == "comerBolita.wav" ? 2000 : 700;
    if (name == "muere.wav") p.startLevel = 20, p.levelFrames = 1500;  // a ghost catches the player
    if (name == "vidaextra.wav") p.startLevel = 54, p.seed = 3, p.levelFrames = 1800;  // 1000 points
  }
  return p;
}

struct Outcome {
  bool playedOn = false, ownBox = false;  // at most one is true
  bool gameOver = false;                  // played on, to a game over
  bool reached = false;                   // the run showed the file's first use
  std::string failure;                    // why neither holds
  std::string log;                        // the end of the run's output, error output and boxes
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A data folder of links to the run directory's files, the one file replaced.
void MakeDataFolder(const fs::path& dir, const Plan& plan, Damage damage) {
  const fs::path run = GLUMBO_RUN_DIR;
  for (const char* folder : {"pantallas", "texturas", "sonidos"}) {
    if (plan.folder != folder) {  // the records' plan links all three
      fs::create_directory_symlink(run / folder, dir / folder);
      continue;
    }
    fs::create_directory(dir / folder);
    for (const auto& entry : fs::directory_iterator(run / folder)) {
      if (entry.path().filename() != plan.name) fs::create_symlink(entry.path(), dir / folder / entry.path().filename());
    }
  }
  if (damage == Damage::Missing) return;
  if (plan.folder == kRecordsFolder) {
    test::WriteFile((dir / plan.name).string(), Damaged(kRecordsTable, damage, true));
    return;
  }
  const std::string original = ReadText(run / plan.folder / plan.name);
  test::WriteFile((dir / plan.folder / plan.name).string(), Damaged(original, damage, plan.folder == "pantallas"));
}

Outcome Run(const Plan& plan, Damage damage, const fs::path& dir) {
  MakeDataFolder(dir, plan, damage);
  const fs::path boxes = dir / "boxes.log", errors = dir / "stderr.txt";
  std::string options = " --bot --step 2 --seed " + std::to_string(plan.seed) + " --start-level " +
                        std::to_string(plan.startLevel) + " --detail " + std::to_string(plan.detail) +
                        (plan.render ? " --size 160x120" : " --no-render");
  if (plan.folder == kRecordsFolder) options += " --records-file " + Quote((dir / plan.name).string());
  // A damaged level may leave the player no way out, the ghosts on top of it:
  // a game over is playing on too, and ends the run as the level frames do.
  options += plan.levelFrames > 0 ? " --until-state 22 --level-frames " + std::to_string(plan.levelFrames) + " --frames " +
                                        std::to_string(plan.levelFrames + 2500)
                                  : " --frames 9000";
  // A sound is read when it is first played, and the coin's sound is not
  // played over another: the audio device writes to nowhere without waiting,
  // so that a sound is over within moments of wall time and the coin's is read
  // at one of the first coins (a device that plays in real time would keep the
  // level's tune going through the whole run).
  const std::string audio = plan.folder == "sonidos"
                                ? "SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0"
                                : "SDL_AUDIODRIVER=dummy";
  // The run is stopped after two minutes: a game that hangs fails here.
  const auto [status, output] = RunCommand(
      "{ " + audio + " GLUMBO_MSGBOX=log GLUMBO_MSGBOX_LOG=" + Quote(boxes.string()) +
      " timeout -k 5 120 " + Quote(GLUMBO_REPLAY_TOOL) + " --data " + Quote(dir.string()) +
      options + " 2>" + Quote(errors.string()) + "; } 2>/dev/null");
  const std::string err = ReadText(errors), box = ReadText(boxes);

  Outcome o;
  switch (plan.proof) {
    case Plan::Proof::LevelLoaded:
      for (const auto& line : StateLines(output)) o.reached = o.reached || line[2] == plan.provingLevel;
      break;
    case Plan::Proof::Box: o.reached = !box.empty(); break;
    case Plan::Proof::SoundMessage: o.reached = err.find("sonidos/" + plan.name) != std::string::npos; break;
    case Plan::Proof::RecordKept: {
      // The game's record is in, and the table was written back clean.
      const DecodedRecords table = DecodeRecords(ReadText(dir / plan.name));
      o.reached = !table.badHeader && table.droppedLines == 0 &&
                  std::any_of(table.table.begin(), table.table.end(), [](const Record& r) { return r.level == 9999; });
      break;
    }
  }
  if (err.find("Sanitizer") != std::string::npos || err.find("runtime error") != std::string::npos) {
    o.failure = "sanitizer report";
  } else if (status == 124 || status == 137) {
    o.failure = "hang (stopped after 120 s)";
  } else if (status != 0) {
    // The shell gives a process ended by a signal as 128 + the signal.
    o.failure = status > 128 ? "crash (signal " + std::to_string(status - 128) + ")"
                               : "exit status " + std::to_string(status);
  } else if (box.rfind("FATAL ERROR|") != std::string::npos) {
    o.ownBox = true;
  } else {
    o.playedOn = true;
    for (const auto& line : StateLines(output)) o.gameOver = o.gameOver || line[1] == 22;
  }
  o.log = output.substr(output.size() > 600 ? output.size() - 600 : 0) +
          "\nstderr: " + err.substr(err.size() > 1500 ? err.size() - 1500 : 0) + "\nboxes: " + box;
  return o;
}

// Every kind of damage to every file of the folders, two runs at a time.
void RunAll(const std::vector<std::string>& folders) {
  const fs::path run = GLUMBO_RUN_DIR;
  if (!fs::exists(run / "pantallas" / "paredes1.txt")) GTEST_SKIP() << "no game data in " << run;
  struct Case {
    Plan plan;
    Damage damage;
    Outcome outcome;
  };
  std::vector<Case> cases;
  for (const std::string& folder : folders) {
    std::vector<fs::path> files;
    if (folder == kRecordsFolder) {
      files.push_back("records.dat");
    } else {
      for (const auto& entry : fs::directory_iterator(run / folder)) files.push_back(entry.path().filename());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      for (Damage d : kDamages) cases.push_back({PlanFor(folder, file.string()), d, {}});
    }
  }
  ASSERT_FALSE(cases.empty());

  const auto start = std::chrono::steady_clock::now();
  test::TempDir dir;
  std::atomic<std::size_t> nextCase{0};
  auto worker = [&] {
    for (std::size_t i; (i = nextCase++) < cases.size();) {
      const fs::path caseDir = dir.path() / std::to_string(i);
      fs::create_directory(caseDir);
      cases[i].outcome = Run(cases[i].plan, cases[i].damage, caseDir);
      fs::remove_all(caseDir);
    }
  };
  std::thread second(worker);
  worker();
  second.join();

  int playedOn = 0, gameOver = 0, ownBox = 0;
  std::map<std::string, bool> reached;
  for (const Case& c : cases) {
    const std::string file = c.plan.folder + "/" + c.plan.name;
    EXPECT_TRUE(c.outcome.failure.empty()) << file << " " << Name(c.damage) << ": " << c.outcome.failure << "\n"
                                           << c.outcome.log;
    reached[file] = reached[file] || c.outcome.reached;
    // Whatever the table's damage, the won game's record goes into a clean file.
    EXPECT_TRUE(c.plan.proof != Plan::Proof::RecordKept || c.outcome.reached) << file << " " << Name(c.damage);
    playedOn += c.outcome.playedOn, gameOver += c.outcome.gameOver, ownBox += c.outcome.ownBox;
  }
  for (const auto& [file, read] : reached) EXPECT_TRUE(read) << file << ": every run ended before the game read it";
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("damaged data: %zu runs: %d played on (%d of them to a game over), %d stopped with the game's own box; "
              "%.1f s\n", cases.size(), playedOn, gameOver, ownBox, seconds);
}

}  // namespace

TEST(DamagedData, LevelMonsterAndClosingSceneFiles) { RunAll({"pantallas"}); }

TEST(DamagedData, PicturesAndSounds) { RunAll({"texturas", "sonidos"}); }

TEST(DamagedData, TableOfRecords) { RunAll({kRecordsFolder}); }
