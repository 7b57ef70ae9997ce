#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/sound.h"
#include "support/test_support.h"
#include "support/wav_bytes.h"

namespace {

using platform::kSoundAsync;
using platform::kSoundNoStop;

// Decodes a file to its own name, so the test can see which sound started.
struct FakeDevice : platform::AudioDevice {
  bool playing = false;
  std::vector<std::string> started;
  int decodes = 0;
  bool IsPlaying() override { return playing; }
  void Start(const std::vector<std::uint8_t>& samples) override {
    started.emplace_back(samples.begin(), samples.end()), playing = true;
  }
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string& error) override {
    ++decodes;
    if (path.find("missing") != std::string::npos) return error = "no such file", false;
    return samples.assign(path.begin(), path.end()), true;
  }
};

TEST(SoundPlayer, NewSoundCutsThePlayingOneUnlessNoStopAndEachFileDecodesOnce) {
  auto owned = std::make_unique<FakeDevice>();
  FakeDevice& d = *owned;
  platform::SoundPlayer player(std::move(owned));
  EXPECT_TRUE(player.Play("muere.wav", kSoundAsync));
  EXPECT_TRUE(player.Play("comerBola.wav", kSoundAsync));                     // cuts
  EXPECT_FALSE(player.Play("comerBolita.wav", kSoundAsync | kSoundNoStop));  // dropped while playing
  d.playing = false;
  EXPECT_TRUE(player.Play("comerBolita.wav", kSoundAsync | kSoundNoStop));
  EXPECT_TRUE(player.Play("muere.wav", kSoundAsync));
  EXPECT_EQ(d.started, (std::vector<std::string>{"muere.wav", "comerBola.wav", "comerBolita.wav", "muere.wav"}));
  EXPECT_FALSE(player.Play("missing.wav", kSoundAsync));
  EXPECT_FALSE(player.Play("missing.wav", kSoundAsync));
  EXPECT_EQ(d.decodes, 4) << "a file, good or failed, is decoded only once";
}

TEST(SoundFiles, UsualFormatsPlayAndDamagedFilesAreSilentOnTheRealDevice) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // stands in for a sound card
  test::TempDir dir;
  const int formats[][3] = {{1, 8, 11025}, {2, 8, 22050}, {1, 16, 44100}, {2, 16, 48000}, {1, 16, 8000}};
  // Converted to the device's format, every file lasts as long as its frames do.
  std::vector<double> bytesPerSecond;
  for (auto device = platform::backend::OpenAudioDevice(); const auto& f : formats) {
    const std::string path = dir.File("s" + std::to_string(f[2]) + ".wav");
    test::WriteBytes(path, test::Wav(f[0], f[1], f[2], 2000));
    std::vector<std::uint8_t> samples;
    std::string error;
    ASSERT_TRUE(device && device->Decode(path, samples, error)) << path << ": " << error;
    bytesPerSecond.push_back(static_cast<double>(samples.size()) * f[2] / 2000.0);
    EXPECT_NEAR(bytesPerSecond.back(), bytesPerSecond.front(), bytesPerSecond.front() / 100) << path;
  }
  for (const auto& f : formats)
    EXPECT_TRUE(platform::PlaySoundFile(dir.File("s" + std::to_string(f[2]) + ".wav").c_str(), kSoundAsync));
  auto cut = test::Wav(1, 16, 44100, 100);
  cut.resize(30);
  test::WriteBytes(dir.File("cut.wav"), cut);
  // Cut inside its samples: SDL's own reader would play what is left, and the
  // other systems refuse it, so the game's checks refuse it everywhere.
  cut = test::Wav(1, 16, 44100, 100);
  cut.resize(120);
  test::WriteBytes(dir.File("short.wav"), cut);
  test::WriteFile(dir.File("text.wav"), "this is not a sound");
  for (const char* bad : {"none.wav", "cut.wav", "short.wav", "text.wav"})
    EXPECT_FALSE(platform::PlaySoundFile(dir.File(bad).c_str(), kSoundAsync)) << bad;
  platform::ShutdownSound();
}

}  // namespace
