// Runs the real game (start-up, frames, shutdown) from a data folder with a
// fixed frame step and random seed, keys from a script, pictures of chosen
// frames and a trace of the game's state.
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "actors/ghost.h"
#include "actors/player.h"
#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "bot.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/records_file.h"
#include "platform/gl.h"
#include "platform/paths.h"
#include "platform/png_writer.h"
#include "platform/process.h"
#include "world/level.h"

namespace {

// The tool's own file names are UTF-8 like the game's, whatever the system's code page.
std::string AbsoluteUtf8(const std::string& name) {
  return platform::Utf8FromPath(std::filesystem::absolute(platform::PathFromUtf8(name)));
}

void RemoveFile(const std::string& name) {
  std::error_code ignored;
  std::filesystem::remove(platform::PathFromUtf8(name), ignored);
}

struct KeyEvent {
  bool down = true;
  int vk = 0;
};

struct Options {
  std::string data = GLUMBO_RUN_DIR;
  long frames = 1000;
  double step = 1.0;
  unsigned seed = 1;
  std::string script;
  std::map<long, std::string> shots;
  bool render = true;
  std::string trace;
  int untilState = -1;
  int untilLevel = -1;
  bool bot = false;
  int width = 640;
  int height = 480;
  bool culling = true;
  int detail = 2;
  int startLevel = -1;
  long levelFrames = -1;
  std::string recordsFile;  // "": the run starts with an empty table and keeps it to itself
};

int KeyCode(const std::string& name) {
  static const std::map<std::string, int> names = {
      {"Left", 37}, {"Right", 39}, {"Up", 38}, {"Down", 40}, {"Space", 32},
      {"Escape", 27}, {"Enter", 13}, {"Return", 13}};
  auto it = names.find(name);
  if (it != names.end()) return it->second;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return std::toupper(static_cast<unsigned char>(name[0]));
  }
  char* end = nullptr;
  long code = std::strtol(name.c_str(), &end, 10);
  if (end && *end == '\0' && code >= 0 && code < 256) return static_cast<int>(code);
  return -1;
}

bool ReadScript(const std::string& path, std::multimap<long, KeyEvent>& events) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "glumbo-replay: cannot read script %s\n", path.c_str());
    return false;
  }
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    long frame;
    std::string what, key;
    if (!(words >> frame >> what >> key) || (what != "down" && what != "up") || KeyCode(key) < 0) {
      std::fprintf(stderr, "glumbo-replay: %s:%d: expected 'FRAME down|up KEY'\n", path.c_str(), lineNo);
      return false;
    }
    events.emplace(frame, KeyEvent{what == "down", KeyCode(key)});
  }
  return true;
}

double CpuSeconds() { return platform::ProcessCpuSeconds(); }

class ReplayDriver : public WindowLoopDriver {
 public:
  explicit ReplayDriver(const Options& o, Bot* bot) : options_(o), bot_(bot) {
    if (!o.trace.empty()) trace_ = std::fopen(o.trace.c_str(), "w");
  }
  ~ReplayDriver() override {
    if (trace_) std::fclose(trace_);
  }

  std::multimap<long, KeyEvent> script;
  double clock = 1000.0;
  long frame = 0;
  bool reached = false;
  std::set<int> statesVisited;
  std::set<int> levelsReached;
  std::string startupSettings;
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  double firstFrameSeconds = 0;
  long levelFrameCount = 0;
  double levelSeconds = 0;
  double botSeconds = 0;
  double stepSeconds = 0;
  double levelCpuStart = 0, levelCpuEnd = 0;  // processor time of all threads  // the play keys and the game's step alone

  bool TakeEvent(platform::Event& event) override {
    if (!keysSent_) {
      keysSent_ = true;
      auto range = script.equal_range(frame);
      for (auto it = range.first; it != range.second; ++it) platform::PushKeyEvent(it->second.vk, it->second.down);
    }
    return WindowLoopDriver::TakeEvent(event);
  }
  bool RenderEnabled() override { return options_.render; }
  void Present() override {
    if (options_.render) {
      auto shot = options_.shots.find(frame);
      if (shot != options_.shots.end()) SaveShot(shot->second);
      WindowLoopDriver::Present();
    }
    clock += options_.step / 70.0;
    presentEnd_ = std::chrono::steady_clock::now();
  }
  bool AfterFrame() override {
    if (frame == 0 && !startupSettings.empty()) {
      // Start-up has read the chosen size and culling; what the game writes
      // back at the end goes nowhere.
      RemoveFile(startupSettings);
      settingsPath.clear();
    }
    const auto now = std::chrono::steady_clock::now();
    if (frame == 0) firstFrameSeconds = std::chrono::duration<double>(now - started).count();
    // Frames inside a level (intro, play, pause, death, exit, the rescue): what a player
    // spends the game looking at, timed from the end of one to the end of the next.
    const bool inLevel = (GameState >= StateLevelIntro && GameState <= StateDying) || GameState == StateRescueScene;
    if (inLevel && frame > 0) {
      if (levelFrameCount == 0) levelCpuStart = CpuSeconds();
      levelCpuEnd = CpuSeconds();
      ++levelFrameCount;
      levelSeconds += std::chrono::duration<double>(now - lastFrameEnd_).count();
      stepSeconds += std::chrono::duration<double>(now - presentEnd_).count();
    }
    keysSent_ = false;
    Observe();
    ++frame;
    if (options_.startLevel >= 0 && GameState == StateLevelMap && !startLevelSet_ && level) {
      // A way straight into one level, for measurements: the map loads
      // whatever number the level holds.
      level->SetLevelNumber(options_.startLevel);
      startLevelSet_ = true;
    }
    if (bot_) {
      const auto before = std::chrono::steady_clock::now();
      bot_->Act();
      botSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
      if (bot_->Completed() || bot_->LostGame()) return false;
    }
    if (options_.levelFrames >= 0 && levelFrameCount >= options_.levelFrames) reached = true;
    lastFrameEnd_ = std::chrono::steady_clock::now();
    if (options_.untilState >= 0 && GameState == options_.untilState) reached = true;
    if (options_.untilLevel >= 0 && level && level->LevelNumber() == options_.untilLevel &&
        GameState == StatePlaying) {
      reached = true;
    }
    return !reached && frame < options_.frames;
  }

 private:
  void SaveShot(const std::string& file) {
    int w = 0, h = 0;
    if (gameWindow && gameWindow->GetDeviceContext()) gameWindow->GetDeviceContext()->DrawableSize(w, h);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (!platform::WritePngBottomUp(file, w, h, rgb)) {
      std::fprintf(stderr, "glumbo-replay: cannot write %s\n", file.c_str());
    }
  }

  void Observe() {
    const int levelNumber = level ? level->LevelNumber() : 0;
    const int lives = player ? player->GetLives() : 0;
    statesVisited.insert(GameState);
    if (GameState == StatePlaying || GameState == StateRescueScene) levelsReached.insert(levelNumber);
    const bool changed = GameState != lastState_;
    if (changed) {
      std::printf("%ld %d %d %d\n", frame, GameState, levelNumber, lives);
      lastState_ = GameState;
    }
    if (trace_) {
      float x = 0, y = 0, z = 0;
      if (player) player->GetPosition(x, y, z);
      std::fprintf(trace_, "%ld %d %d %d %d,%d", frame, GameState, levelNumber, lives, static_cast<int>(x),
                   static_cast<int>(z));
      for (int i = 0; i < activeGhostCount && i < 8; ++i) {
        ghosts[i]->GetPosition(x, y, z);
        std::fprintf(trace_, " %d,%d", static_cast<int>(x), static_cast<int>(z));
      }
      if (bossActive && boss) {
        boss->GetPosition(x, y, z);
        std::fprintf(trace_, " boss %d,%d", static_cast<int>(x), static_cast<int>(z));
      }
      std::fputc('\n', trace_);
    }
  }

  const Options& options_;
  Bot* bot_;
  FILE* trace_ = nullptr;
  bool keysSent_ = false;
  bool startLevelSet_ = false;
  std::chrono::steady_clock::time_point lastFrameEnd_;
  std::chrono::steady_clock::time_point presentEnd_;
  int lastState_ = -1;
};

void Usage() {
  std::fprintf(stderr,
               "usage: glumbo-replay [--data DIR] [--frames N] [--step TICKS] [--seed N] [--script FILE]\n"
               "                     [--shot FRAME:FILE.png]... [--no-render] [--trace FILE]\n"
               "                     [--until-state N] [--until-level N] [--bot] [--size WxH]\n"
               "                     [--culling on|off] [--detail 0|1|2] [--start-level N] [--level-frames N]\n"
               "                     [--records-file FILE]\n");
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) {
        Usage();
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--data") o.data = next();
    else if (a == "--frames") o.frames = std::atol(next().c_str());
    else if (a == "--step") o.step = std::atof(next().c_str());
    else if (a == "--seed") o.seed = static_cast<unsigned>(std::strtoul(next().c_str(), nullptr, 10));
    else if (a == "--script") o.script = next();
    else if (a == "--trace") o.trace = next();
    else if (a == "--no-render") o.render = false;
    else if (a == "--until-state") o.untilState = std::atoi(next().c_str());
    else if (a == "--until-level") o.untilLevel = std::atoi(next().c_str());
    else if (a == "--bot") o.bot = true;
    else if (a == "--start-level") o.startLevel = std::atoi(next().c_str());
    else if (a == "--level-frames") o.levelFrames = std::atol(next().c_str());
    else if (a == "--records-file") o.recordsFile = AbsoluteUtf8(next());
    else if (a == "--size") {
      std::string v = next();
      if (std::sscanf(v.c_str(), "%dx%d", &o.width, &o.height) != 2 || o.width <= 0 || o.height <= 0) {
        Usage();
        return 2;
      }
    } else if (a == "--culling") {
      std::string v = next();
      if (v != "on" && v != "off") {
        Usage();
        return 2;
      }
      o.culling = v == "on";
    } else if (a == "--detail") {
      std::string v = next();
      if (v != "0" && v != "1" && v != "2") {
        Usage();
        return 2;
      }
      o.detail = v[0] - '0';
    }
    else if (a == "--shot") {
      std::string v = next();
      auto colon = v.find(':');
      if (colon == std::string::npos) {
        Usage();
        return 2;
      }
      std::string file = v.substr(colon + 1);
      o.shots[std::atol(v.substr(0, colon).c_str())] = AbsoluteUtf8(file);
    } else {
      Usage();
      return 2;
    }
  }
  if (!o.trace.empty()) o.trace = AbsoluteUtf8(o.trace);
  if (!o.script.empty()) o.script = AbsoluteUtf8(o.script);

  Bot bot;
  ReplayDriver driver(o, o.bot ? &bot : nullptr);
  if (!o.script.empty() && !ReadScript(o.script, driver.script)) return 2;
  std::error_code ec;
  std::filesystem::current_path(o.data, ec);
  if (ec) {
    std::fprintf(stderr, "glumbo-replay: cannot enter %s: %s\n", o.data.c_str(), ec.message().c_str());
    return 2;
  }
  // The run's settings stay out of the data folder's own config.dat: start-up
  // reads them from a file of their own, and the end of the run writes nowhere.
  SettingsRecord record;
  record.screenWidth = o.width;
  record.screenHeight = o.height;
  record.cullingOn = o.culling;
  record.detailSetting = o.detail;
  driver.startupSettings = platform::Utf8FromPath(
      std::filesystem::temp_directory_path() / ("glumbo-replay-" + std::to_string(platform::ProcessId()) + ".dat"));
  {
    // Through the platform, so that a temporary folder of any name works.
    const auto bytes = EncodeSettings(record);
    std::FILE* out = platform::OpenFile(platform::PathFromUtf8(driver.startupSettings), "wb");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out) std::fclose(out);
    if (!written) {
      std::fprintf(stderr, "glumbo-replay: cannot write %s\n", driver.startupSettings.c_str());
      return 2;
    }
  }
  settingsPath = driver.startupSettings;
  recordsPath = o.recordsFile;
  platform::SetEnvironmentDefault("GLUMBO_MSGBOX", "log");
  GameWindow::openHidden = true;
  SetClockSource([&driver] { return driver.clock; });
  SetStartupSeed(true, o.seed);

  auto start = std::chrono::steady_clock::now();
  driver.started = start;
  RunGame(driver);
  if (!driver.startupSettings.empty()) RemoveFile(driver.startupSettings);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::printf("frames %ld\n", driver.frame);
  std::printf("states");
  for (int s : driver.statesVisited) std::printf(" %d", s);
  std::printf("\nlevels");
  for (int l : driver.levelsReached) std::printf(" %d", l);
  std::printf("\nfps %.1f\n", seconds > 0 ? driver.frame / seconds : 0.0);
  std::printf("first frame %.3f s\n", driver.firstFrameSeconds);
  if (driver.levelFrameCount > 0) {
    // The autoplayer thinks outside the timed span, so this is the game's own time.
    const double game = driver.levelSeconds;
    std::printf("level frames %ld, %.1f fps (autoplayer %.3f s, not counted)\n", driver.levelFrameCount,
                game > 0 ? driver.levelFrameCount / game : 0.0, driver.botSeconds);
    // The autoplayer's thinking is processor time too; it is taken out.
    const double cpu = driver.levelCpuEnd - driver.levelCpuStart - driver.botSeconds;
    std::printf("level processor time %.3f s, %.1f frames per processor second\n", cpu,
                cpu > 0 ? driver.levelFrameCount / cpu : 0.0);
    std::printf("game step %.2f us a frame, %.1f steps per second\n", 1e6 * driver.stepSeconds / driver.levelFrameCount,
                driver.stepSeconds > 0 ? driver.levelFrameCount / driver.stepSeconds : 0.0);
  }
  // The points of the table as the run leaves it, best first.
  std::printf("records");
  for (const Record& r : recordTable) std::printf(" %d", r.points);
  std::printf("\n");
  if (o.bot) {
    std::printf("bot %s\n", bot.Completed() ? "completed" : bot.LostGame() ? "lost" : "unfinished");
    std::printf("deaths");
    for (auto [lvl, n] : bot.DeathsByLevel()) std::printf(" %d:%d", lvl, n);
    std::printf("\nlevel starts");
    for (auto [lvl, f] : bot.LevelStartFrames()) std::printf(" %d:%ld", lvl, f);
    std::printf("\n");
  }
  // The video system is left to the process's end: shutting it down unloads
  // the GL driver, whose still-held allocations then show up in leak checks
  // as leaks of an unknown module.
  const bool asked = o.untilState >= 0 || o.untilLevel >= 0 || o.levelFrames >= 0;
  if (!asked && o.bot) return bot.Completed() ? 0 : 1;
  return asked ? (driver.reached ? 0 : 1) : (driver.frame >= o.frames ? 0 : 1);
}
