// A PCM WAV file as the game's sound files are written, for the sound tests of
// both backends (header-only: the Windows tests do not link the test library).
#pragma once

#include <cstdint>
#include <vector>

namespace test {

inline std::vector<std::uint8_t> Wav(int channels, int bits, int rate, int frames) {
  std::vector<std::uint8_t> out = {'R', 'I', 'F', 'F'};
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  const auto dataBytes = static_cast<std::uint32_t>(frames * channels * bits / 8);
  put(36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(16, 4), put(1, 2), put(channels, 2), put(rate, 4), put(rate * channels * bits / 8, 4);
  put(channels * bits / 8, 2), put(bits, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  put(dataBytes, 4);
  // A quiet square wave, so that 8-bit samples stay near their middle.
  for (std::uint32_t i = 0; i < dataBytes; ++i) out.push_back((i / 20) % 2 ? 140 : 116);
  return out;
}

}  // namespace test
