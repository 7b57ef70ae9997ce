// Any bytes at all through the sound files' checks: they must answer with a
// playable format or a reason, never read out of bounds, and what they accept
// must be whole sample frames inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/wav_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::WavInfo info;
  std::string error;
  if (!platform::ParseWavHeader(data, size, info, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  if ((info.channels != 1 && info.channels != 2) || (info.bitsPerSample != 8 && info.bitsPerSample != 16)) std::abort();
  const std::size_t frame = static_cast<std::size_t>(info.channels) * static_cast<std::size_t>(info.bitsPerSample / 8);
  if (info.dataOffset > size || info.dataBytes > size - info.dataOffset || info.dataBytes % frame != 0) std::abort();
  return 0;
}
