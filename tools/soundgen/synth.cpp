#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace soundgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

double Envelope(const Note& n, double t) {
  double e = 1.0;
  if (t < n.attack) e = t / n.attack;
  const double left = n.length - t;
  if (left < n.release) e = std::min(e, std::max(0.0, left / n.release));
  return e;
}

}  // namespace

double Semitone(int fromA4) { return 440.0 * std::pow(2.0, fromA4 / 12.0); }

std::vector<std::int16_t> Render(const std::vector<Note>& notes) {
  double end = 0;
  for (const Note& n : notes) end = std::max(end, n.start + n.length);
  const std::size_t count = static_cast<std::size_t>(std::ceil(end * kSampleRate));
  std::vector<double> mix(count, 0.0);
  for (const Note& n : notes) {
    const std::size_t first = static_cast<std::size_t>(n.start * kSampleRate);
    const std::size_t len = static_cast<std::size_t>(n.length * kSampleRate);
    double phase = 0;
    std::uint32_t noise = 0x12345678u;  // fixed seed: the same bytes every build
    double held = 0;
    for (std::size_t i = 0; i < len && first + i < count; ++i) {
      const double t = static_cast<double>(i) / kSampleRate;
      const double k = n.length > 0 ? t / n.length : 0;
      double f = n.endFreq > 0 ? n.freq * std::pow(n.endFreq / n.freq, k) : n.freq;
      if (n.vibratoHz > 0) f *= 1.0 + n.vibratoDepth * std::sin(kTwoPi * n.vibratoHz * t);
      const double before = phase;
      phase += f / kSampleRate;
      phase -= std::floor(phase);
      double v = 0;
      switch (n.wave) {
        case Wave::Square: v = phase < n.duty ? 1.0 : -1.0; break;
        case Wave::Triangle: v = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; break;
        case Wave::Noise:
          if (phase < before) {  // a new random level once per period
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            held = (noise & 0xFFFF) / 32767.5 - 1.0;
          }
          v = held;
          break;
      }
      mix[first + i] += v * n.volume * Envelope(n, t);
    }
  }
  std::vector<std::int16_t> out(count);
  for (std::size_t i = 0; i < count; ++i) {
    const double v = std::clamp(mix[i], -1.0, 1.0);
    out[i] = static_cast<std::int16_t>(std::lround(v * 32767.0));
  }
  return out;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  auto tag = [&](const char* s) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(s[i]));
  };
  auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto u16 = [&](std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  tag("RIFF");
  u32(36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kSampleRate);
  u32(kSampleRate * 2);
  u16(2);
  u16(16);
  tag("data");
  u32(dataBytes);
  for (std::int16_t s : samples) u16(static_cast<std::uint16_t>(s));
  return out;
}

bool SaveWav(const std::string& path, const std::vector<std::int16_t>& samples) {
  const std::vector<std::uint8_t> bytes = EncodeWav(samples);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace soundgen
