// Sound output through sndPlaySoundA: the whole WAV file is kept in memory and
// played asynchronously from there. The system does not say when a sound has
// ended, so the device works it out from the sound's length.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/wav_header.h"

namespace platform::backend {
namespace {

constexpr std::streamsize kMaxWavBytes = 32 << 20;

class WinmmAudioDevice final : public AudioDevice {
 public:
  ~WinmmAudioDevice() override {
    // Stop before the cached file the system may be reading is freed.
    sndPlaySoundA(nullptr, 0);
  }

  bool IsPlaying() override { return MonotonicSeconds() < endsAt_; }

  void Start(const std::vector<std::uint8_t>& samples) override {
    WavInfo info;
    std::string error;
    if (!ParseWavHeader(samples.data(), samples.size(), info, error)) return;
    const bool started = sndPlaySoundA(reinterpret_cast<LPCSTR>(samples.data()),
                                       SND_ASYNC | SND_MEMORY | SND_NODEFAULT) != FALSE;
    endsAt_ = started ? MonotonicSeconds() + info.Seconds() : 0.0;
  }

  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string& error) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      error = "cannot open the file";
      return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamsize size = in.tellg();
    if (size < 0 || size > kMaxWavBytes) {
      error = "file too large for a sound";
      return false;
    }
    in.seekg(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    if (!in) {
      error = "cannot read the file";
      return false;
    }
    WavInfo info;
    if (!ParseWavHeader(bytes.data(), bytes.size(), info, error)) return false;
    samples = std::move(bytes);
    return true;
  }

 private:
  double endsAt_ = 0.0;
};

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice() {
  if (waveOutGetNumDevs() == 0) {
    std::fprintf(stderr, "sound: no audio device; the game runs silent\n");
    return nullptr;
  }
  return std::make_unique<WinmmAudioDevice>();
}

}  // namespace platform::backend
