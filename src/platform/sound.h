// Sound effects: one sound at a time, always asynchronous.
//
// A new sound cuts the one playing, except with kSoundNoStop while a sound is
// still playing: then the new sound is dropped. WAV files (PCM, 8 or 16 bit,
// mono or stereo, any rate) are converted to the device's format and kept
// decoded, by file name. A missing or bad file, or no audio device at all, is
// silent: one line on stderr the first time, and the game goes on.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

constexpr unsigned kSoundAsync = 0x0001;
constexpr unsigned kSoundNoStop = 0x0010;

// What the player needs of an audio output. The real one is the backend's; tests use a fake.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  virtual bool IsPlaying() = 0;
  // Starts playing samples already in the device's format, cutting what plays.
  virtual void Start(const std::vector<std::uint8_t>& samples) = 0;
  // Reads a WAV file through ReadWavFile and converts it to the device's
  // format; false (and a reason) on failure.
  virtual bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string& error) = 0;
};

class SoundPlayer {
 public:
  explicit SoundPlayer(std::unique_ptr<AudioDevice> device);
  // Returns true when the sound started.
  bool Play(const std::string& path, unsigned flags);

 private:
  std::map<std::string, std::vector<std::uint8_t>> cache_;
  std::map<std::string, bool> failed_;
  // Last, so that it is closed before the buffers it may be playing are freed.
  std::unique_ptr<AudioDevice> device_;
};

// The game's sound call. Opens the system's audio on first use.
bool PlaySoundFile(const char* path, unsigned flags);

// Closes the audio device (end of the program).
void ShutdownSound();

// Replaces the player behind PlaySoundFile (tests); null restores the real one.
void SetSoundPlayer(std::unique_ptr<SoundPlayer> player);

}  // namespace platform
