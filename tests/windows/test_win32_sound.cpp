// The sound device behind sndPlaySoundA: it keeps whole WAV files, refuses
// damaged ones, and knows how long a sound plays, so that the no-stop rule
// drops a sound while another still plays.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend.h"
#include "platform/sound.h"
#include "support/wav_bytes.h"
#include "support/test_support.h"

namespace {

// Mono 8-bit PCM at 8000 Hz of the given length.
std::string WriteWav(const std::filesystem::path& path, double seconds) {
  test::WriteBytes(path.string(), test::Wav(1, 8, 8000, static_cast<int>(8000 * seconds)));
  return path.string();
}

TEST(Win32Sound, NoStopSoundIsDroppedWhileASoundPlays) {
  test::TempDir dir;
  const std::string longSound = WriteWav(dir.path() / "long.wav", 3.0);
  const std::string shortSound = WriteWav(dir.path() / "short.wav", 0.05);

  std::unique_ptr<platform::AudioDevice> device = platform::backend::OpenAudioDevice();
  ASSERT_NE(device, nullptr) << "the test prefix has a sound output";
  platform::AudioDevice* raw = device.get();
  platform::SoundPlayer player(std::move(device));

  EXPECT_FALSE(raw->IsPlaying());
  ASSERT_TRUE(player.Play(longSound, platform::kSoundAsync));
  EXPECT_TRUE(raw->IsPlaying());
  // The coin sound's rule: while a sound plays, a no-stop sound is dropped...
  EXPECT_FALSE(player.Play(shortSound, platform::kSoundAsync | platform::kSoundNoStop));
  // ...and any other sound cuts the one playing.
  EXPECT_TRUE(player.Play(shortSound, platform::kSoundAsync));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(raw->IsPlaying());
  EXPECT_TRUE(player.Play(shortSound, platform::kSoundAsync | platform::kSoundNoStop));
}

}  // namespace
