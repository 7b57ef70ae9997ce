// The checks a WAV file passes before the game plays it: a RIFF/WAVE file
// with a PCM format chunk (8 or 16 bit, mono or stereo) and a data chunk that
// lies inside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

}  // namespace platform
