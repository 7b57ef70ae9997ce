#include "support/ghost_world.h"

#include <memory>

#include "platform/sound.h"

namespace test {

namespace {

class RecordingDevice : public platform::AudioDevice {
 public:
  explicit RecordingDevice(SoundRecorder& log) : log_(log) {}
  bool IsPlaying() override { return log_.busy; }
  void Start(const std::vector<std::uint8_t>& samples) override { log_.started.emplace_back(samples.begin(), samples.end()); }
  // The "samples" are the name, so that Start can tell which sound it is.
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string&) override {
    samples.assign(path.begin(), path.end());
    return true;
  }

 private:
  SoundRecorder& log_;
};

}  // namespace

SoundRecorder::SoundRecorder() {
  platform::SetSoundPlayer(std::make_unique<platform::SoundPlayer>(std::make_unique<RecordingDevice>(*this)));
}

SoundRecorder::~SoundRecorder() { platform::SetSoundPlayer(nullptr); }

}  // namespace test
