#include "support/ghost_world.h"

#include <algorithm>
#include <stdexcept>

#include "platform/sound.h"
#include "support/level_files.h"
#include "world/level.h"
#include "world/world_graphics.h"

namespace test {

int GhostMazeWallCode(char c) {
  switch (c) {
    case '#': return 4;
    case 'G': return 36;
    case 'P': return 37;
    case 'H': return 39;
    case ' ': case '.': case 'o': return 0;
    default: throw std::invalid_argument(std::string("unknown maze character '") + c + "'");
  }
}

namespace {

int ObjectCode(char c) {
  if (c == '.') return 1;
  if (c == 'o') return 2;
  return 0;
}

}  // namespace

void WriteGhostMaze(const std::filesystem::path& dataDir, int n, const std::vector<std::string>& rows) {
  Grid walls;
  Grid objects;
  for (const std::string& row : rows) {
    walls.emplace_back();
    objects.emplace_back();
    for (char c : row) {
      walls.back().push_back(GhostMazeWallCode(c));
      objects.back().push_back(ObjectCode(c));
    }
  }
  WriteLevelFiles(dataDir, n, walls, objects);
}

std::string MazeTextForMonster(const std::vector<std::string>& rows) {
  std::string text = std::to_string(rows.empty() ? 0 : rows[0].size()) + " " + std::to_string(rows.size()) + "\n";
  for (const std::string& row : rows) {
    for (char c : row) text += std::to_string(GhostMazeWallCode(c)) + " ";
    text += "\n";
  }
  return text;
}

GhostMaze::GhostMaze(const std::vector<std::string>& rows, int levelNumber) {
  WriteGhostMaze(dir_.path(), levelNumber, rows);
  cwd_.emplace(dir_.path());
  worldGraphicsEnabled = false;
  level_ = std::make_unique<Level>(2);
  level_->SetLevelNumber(levelNumber);
  level_->Load();
}

GhostMaze::~GhostMaze() {
  level_.reset();
  cwd_.reset();
}

void GhostMaze::WriteMonsterFile(int levelNumber, const std::string& text) const {
  std::filesystem::create_directories(dir_.path() / "pantallas");
  WriteFile((dir_.path() / "pantallas" / ("mostruo" + std::to_string(levelNumber) + ".txt")).string(), text);
}

std::vector<std::string> BigGhostMaze(int width, int height) {
  std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), ' '));
  auto at = [&rows](int x, int y) -> char& { return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      if (border || (x % 2 == 0 && y % 2 == 0)) at(x, y) = '#';
    }
  }
  // The house: a 5 x 3 walled room around a 3 x 1 hall, its door on top.
  const int cx = width / 2;
  const int cy = height / 2;
  for (int y = cy - 1; y <= cy + 1; ++y) {
    for (int x = cx - 2; x <= cx + 2; ++x) at(x, y) = '#';
  }
  for (int x = cx - 1; x <= cx + 1; ++x) at(x, cy) = ' ';
  at(cx, cy) = 'G';
  at(cx, cy - 1) = 'H';
  at(cx, cy - 2) = ' ';
  at(cx - 1, cy - 2) = ' ';
  at(cx + 1, cy - 2) = ' ';
  at(cx, cy + 3) = 'P';
  at(cx, cy + 2) = ' ';
  return rows;
}

namespace {

class RecordingDevice : public platform::AudioDevice {
 public:
  explicit RecordingDevice(std::shared_ptr<std::vector<std::string>> started) : started_(std::move(started)) {}
  bool IsPlaying() override { return false; }
  void Start(const std::vector<std::uint8_t>& samples) override { started_->emplace_back(samples.begin(), samples.end()); }
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string&) override {
    // The "samples" are the name, so that Start can tell which sound it is.
    samples.assign(path.begin(), path.end());
    return true;
  }

 private:
  std::shared_ptr<std::vector<std::string>> started_;
};

}  // namespace

SoundRecorder::SoundRecorder() : started_(std::make_shared<std::vector<std::string>>()) {
  platform::SetSoundPlayer(std::make_unique<platform::SoundPlayer>(std::make_unique<RecordingDevice>(started_)));
}

SoundRecorder::~SoundRecorder() { platform::SetSoundPlayer(nullptr); }

int SoundRecorder::Count(const std::string& name) const {
  return static_cast<int>(std::count(started_->begin(), started_->end(), name));
}

}  // namespace test
