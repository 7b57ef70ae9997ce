#include "platform/wav_header.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

}  // namespace

double WavInfo::Seconds() const {
  const double bytesPerSecond = static_cast<double>(sampleRate) * channels * (bitsPerSample / 8);
  return bytesPerSecond > 0 ? static_cast<double>(dataBytes) / bytesPerSecond : 0.0;
}

bool ParseWavHeader(const std::uint8_t* bytes, std::size_t size, WavInfo& info, std::string& error) {
  info = WavInfo();
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    error = "not a WAV file";
    return false;
  }
  bool haveFormat = false;
  std::size_t at = 12;
  // A last chunk of odd length that ends the file puts the next one a byte
  // past the end, so the test must not subtract first.
  while (at <= size && size - at >= 8) {
    const std::uint8_t* chunk = bytes + at;
    const std::size_t length = U32(chunk + 4);
    const std::size_t body = at + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16 || length > size - body) {
        error = "damaged format chunk";
        return false;
      }
      if (U16(chunk + 8) != 1) {
        error = "not PCM";
        return false;
      }
      info.channels = U16(chunk + 10);
      info.sampleRate = static_cast<int>(U32(chunk + 12));
      info.bitsPerSample = U16(chunk + 22);
      if ((info.channels != 1 && info.channels != 2) || (info.bitsPerSample != 8 && info.bitsPerSample != 16) ||
          info.sampleRate <= 0 || info.sampleRate > 192000) {
        error = "unsupported sample format";
        return false;
      }
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) {
        error = "data before the format chunk";
        return false;
      }
      if (length > size - body) {
        error = "data chunk runs past the end of the file";
        return false;
      }
      const std::size_t frame = static_cast<std::size_t>(info.channels) * (info.bitsPerSample / 8);
      info.dataOffset = body;
      info.dataBytes = length - length % frame;
      return true;
    }
    if (length > size - body) break;
    at = body + length + (length & 1);  // chunks are padded to an even length
  }
  error = haveFormat ? "no data chunk" : "no format chunk";
  return false;
}

namespace {
// Larger than any sound the game has by far; a bigger file is damaged.
constexpr std::uintmax_t kMaxWavBytes = 32u << 20;
}  // namespace

bool ReadWavFile(const std::string& path, WavSound& sound, std::string& error) {
  sound = WavSound();
  const std::filesystem::path file(std::u8string(path.begin(), path.end()));
  std::error_code failed;
  const std::uintmax_t size = std::filesystem::file_size(file, failed);
  if (failed) {
    error = "cannot open the file";
    return false;
  }
  if (size > kMaxWavBytes) {
    error = "file too large for a sound";
    return false;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::ifstream in(file, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    error = "cannot read the file";
    return false;
  }
  if (!ParseWavHeader(bytes.data(), bytes.size(), sound.info, error)) return false;
  const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(sound.info.dataOffset);
  sound.samples.assign(first, first + static_cast<std::ptrdiff_t>(sound.info.dataBytes));
  sound.info.dataOffset = 0;
  return true;
}

}  // namespace platform
