#include "support/ghost_world.h"

#include <cstdlib>

#include "platform/sound.h"

namespace test {

std::vector<std::string> BigGhostMaze(int width, int height) {
  std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), ' '));
  auto at = [&rows](int x, int y) -> char& { return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (x == 0 || y == 0 || x == width - 1 || y == height - 1 || (x % 2 == 0 && y % 2 == 0)) at(x, y) = '#';
  // The house: a 5 x 3 walled room around a 3 x 1 hall, its door on top.
  const int cx = width / 2, cy = height / 2;
  for (int y = cy - 1; y <= cy + 1; ++y)
    for (int x = cx - 2; x <= cx + 2; ++x) at(x, y) = std::abs(x - cx) <= 1 && y == cy ? ' ' : '#';
  for (int x = cx - 1; x <= cx + 1; ++x) at(x, cy - 2) = ' ';
  for (auto [dy, c] : {std::pair{0, 'G'}, {-1, 'H'}, {2, ' '}, {3, 'P'}}) at(cx, cy + dy) = c;
  return rows;
}

namespace {

class RecordingDevice : public platform::AudioDevice {
 public:
  explicit RecordingDevice(std::shared_ptr<SoundRecorder::Log> log) : log_(std::move(log)) {}
  bool IsPlaying() override { return log_->busy; }
  void Start(const std::vector<std::uint8_t>& samples) override { log_->started.emplace_back(samples.begin(), samples.end()); }
  // The "samples" are the name, so that Start can tell which sound it is.
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string&) override {
    samples.assign(path.begin(), path.end());
    return true;
  }

 private:
  std::shared_ptr<SoundRecorder::Log> log_;
};

}  // namespace

SoundRecorder::SoundRecorder() : log_(std::make_shared<Log>()) {
  platform::SetSoundPlayer(std::make_unique<platform::SoundPlayer>(std::make_unique<RecordingDevice>(log_)));
}

SoundRecorder::~SoundRecorder() { platform::SetSoundPlayer(nullptr); }

}  // namespace test
