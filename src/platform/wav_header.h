// The checks a WAV file passes before the game plays it: a RIFF/WAVE file
// with a PCM format chunk (8 or 16 bit, mono or stereo) and a data chunk that
// lies inside the file. Every backend reads its sounds through ReadWavFile, so
// a file plays everywhere or nowhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct WavInfo {
  int channels = 0;
  int bitsPerSample = 0;
  int sampleRate = 0;
  std::size_t dataOffset = 0;
  std::size_t dataBytes = 0;  // whole sample frames only
  double Seconds() const;
};

// False, with the reason in error, for anything the game cannot play.
bool ParseWavHeader(const std::uint8_t* bytes, std::size_t size, WavInfo& info, std::string& error);

// A sound file that passed the checks: its format and its samples as stored
// (8 bit unsigned or 16 bit signed little-endian, channels interleaved).
struct WavSound {
  WavInfo info;  // dataOffset is 0: it refers to samples
  std::vector<std::uint8_t> samples;
};

// Reads and checks a sound file (path in UTF-8); false, with the reason in
// error, when it cannot be read or played.
bool ReadWavFile(const std::string& path, WavSound& sound, std::string& error);

}  // namespace platform
