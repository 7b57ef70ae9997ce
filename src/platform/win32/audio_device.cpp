// Sound output through sndPlaySoundA: each sound is kept in memory as a WAV
// file and played asynchronously from there. The system does not say when a
// sound has ended, so the device works it out from the sound's length.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/wav_header.h"

namespace platform::backend {
namespace {

// A WAV file with nothing but the format and the sound's samples.
std::vector<std::uint8_t> PlainWavFile(const WavSound& sound) {
  std::vector<std::uint8_t> file;
  const auto put = [&file](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto tag = [&file](const char* name) { file.insert(file.end(), name, name + 4); };
  const WavInfo& info = sound.info;
  const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size());
  const auto frameBytes = static_cast<std::uint32_t>(info.channels * info.bitsPerSample / 8);
  tag("RIFF"), put(36 + dataBytes, 4), tag("WAVE");
  tag("fmt "), put(16, 4), put(1, 2), put(static_cast<std::uint32_t>(info.channels), 2);
  put(static_cast<std::uint32_t>(info.sampleRate), 4), put(static_cast<std::uint32_t>(info.sampleRate) * frameBytes, 4);
  put(frameBytes, 2), put(static_cast<std::uint32_t>(info.bitsPerSample), 2);
  tag("data"), put(dataBytes, 4);
  file.insert(file.end(), sound.samples.begin(), sound.samples.end());
  return file;
}

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

  // The file passes the game's own checks; the system then gets a plain copy
  // of what passed, so that it never judges a damaged file by its own rules.
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string& error) override {
    WavSound sound;
    if (!ReadWavFile(path, sound, error)) return false;
    samples = PlainWavFile(sound);
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
