#include <gtest/gtest.h>

#include <cstring>

#include "platform/sound.h"
#include "support/test_support.h"

namespace {

using platform::AudioDevice;
using platform::kSoundAsync;
using platform::kSoundNoStop;
using platform::SoundPlayer;

struct FakeState {
  bool playing = false;
  std::vector<std::string> started;
  int decodes = 0;
};

class FakeDevice : public AudioDevice {
 public:
  explicit FakeDevice(FakeState& s) : s_(s) {}
  bool IsPlaying() override { return s_.playing; }
  void Start(const std::vector<std::uint8_t>& samples) override {
    s_.started.emplace_back(samples.begin(), samples.end());
    s_.playing = true;
  }
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string& error) override {
    ++s_.decodes;
    if (path.find("missing") != std::string::npos) {
      error = "no such file";
      return false;
    }
    samples.assign(path.begin(), path.end());
    return true;
  }

 private:
  FakeState& s_;
};

TEST(SoundPlayer, NewSoundCutsThePlayingOneUnlessNoStopIsAsked) {
  FakeState s;
  SoundPlayer player(std::make_unique<FakeDevice>(s));
  EXPECT_TRUE(player.Play("muere.wav", kSoundAsync));
  EXPECT_TRUE(player.Play("comerBola.wav", kSoundAsync));  // cuts
  EXPECT_FALSE(player.Play("comerBolita.wav", kSoundAsync | kSoundNoStop));  // dropped while playing
  ASSERT_EQ(s.started.size(), 2u);
  EXPECT_EQ(s.started[1], "comerBola.wav");

  s.playing = false;
  EXPECT_TRUE(player.Play("comerBolita.wav", kSoundAsync | kSoundNoStop));
  EXPECT_EQ(s.started.back(), "comerBolita.wav");
}

TEST(SoundPlayer, DecodesEachFileOnceAndAMissingFileStaysSilent) {
  FakeState s;
  SoundPlayer player(std::make_unique<FakeDevice>(s));
  for (int i = 0; i < 5; ++i) player.Play("a.wav", kSoundAsync);
  EXPECT_EQ(s.decodes, 1);
  EXPECT_FALSE(player.Play("missing.wav", kSoundAsync));
  EXPECT_FALSE(player.Play("missing.wav", kSoundAsync));
  EXPECT_EQ(s.decodes, 2);  // a failed file is not tried again
  EXPECT_EQ(s.started.size(), 5u);
}

// A PCM WAV file as the game's sound files are written.
std::vector<std::uint8_t> Wav(int channels, int bits, int rate, int frames) {
  std::vector<std::uint8_t> out;
  auto put32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i))); };
  auto put16 = [&](std::uint16_t v) { out.push_back(v & 0xff); out.push_back(v >> 8); };
  std::uint32_t dataBytes = static_cast<std::uint32_t>(frames * channels * bits / 8);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  put32(36 + dataBytes);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(16);
  put16(1);
  put16(static_cast<std::uint16_t>(channels));
  put32(static_cast<std::uint32_t>(rate));
  put32(static_cast<std::uint32_t>(rate * channels * bits / 8));
  put16(static_cast<std::uint16_t>(channels * bits / 8));
  put16(static_cast<std::uint16_t>(bits));
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  put32(dataBytes);
  for (std::uint32_t i = 0; i < dataBytes; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
  return out;
}

TEST(SoundFiles, UsualFormatsPlayAndDamagedFilesAreSilentOnTheRealDevice) {
  // The dummy audio driver stands in for a sound card.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  test::TempDir dir;
  const int formats[][3] = {{1, 8, 11025}, {2, 8, 22050}, {1, 16, 44100}, {2, 16, 48000}, {1, 16, 8000}};
  int n = 0;
  for (auto& f : formats) {
    std::string path = dir.File("s" + std::to_string(n++) + ".wav");
    test::WriteBytes(path, Wav(f[0], f[1], f[2], 2000));
    EXPECT_TRUE(platform::PlaySoundFile(path.c_str(), kSoundAsync)) << path;
  }
  EXPECT_FALSE(platform::PlaySoundFile(dir.File("none.wav").c_str(), kSoundAsync));
  auto damaged = Wav(1, 16, 44100, 100);
  damaged.resize(30);
  test::WriteBytes(dir.File("cut.wav"), damaged);
  EXPECT_FALSE(platform::PlaySoundFile(dir.File("cut.wav").c_str(), kSoundAsync));
  test::WriteFile(dir.File("text.wav"), "this is not a sound");
  EXPECT_FALSE(platform::PlaySoundFile(dir.File("text.wav").c_str(), kSoundAsync));
  platform::ShutdownSound();
}

}  // namespace
