// The WAV checks every sound passes before it is played.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/wav_header.h"

namespace {

void Put(std::vector<std::uint8_t>& v, std::uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

// 16-bit stereo PCM at 22050 Hz, with an odd-sized chunk before the format chunk.
std::vector<std::uint8_t> Wav(std::uint32_t dataBytes, std::uint32_t declaredData, std::uint16_t format = 1) {
  std::vector<std::uint8_t> v = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'L', 'I', 'S', 'T'};
  Put(v, 3, 4);
  v.insert(v.end(), {'a', 'b', 'c', 0});  // padded to even
  v.insert(v.end(), {'f', 'm', 't', ' '});
  Put(v, 16, 4);
  Put(v, format, 2);
  Put(v, 2, 2);
  Put(v, 22050, 4);
  Put(v, 22050 * 4, 4);
  Put(v, 4, 2);
  Put(v, 16, 2);
  v.insert(v.end(), {'d', 'a', 't', 'a'});
  Put(v, declaredData, 4);
  v.resize(v.size() + dataBytes, 0);
  return v;
}

TEST(WavHeader, ReadsTheFormatAndLength) {
  const auto file = Wav(22050 * 4 + 3, 22050 * 4 + 3);  // a second and a split frame
  platform::WavInfo info;
  std::string error;
  ASSERT_TRUE(platform::ParseWavHeader(file.data(), file.size(), info, error)) << error;
  EXPECT_EQ(info.channels, 2);
  EXPECT_EQ(info.bitsPerSample, 16);
  EXPECT_EQ(info.sampleRate, 22050);
  EXPECT_EQ(info.dataBytes, 22050u * 4);  // whole frames only
  EXPECT_EQ(info.dataOffset, file.size() - (22050 * 4 + 3));
  EXPECT_DOUBLE_EQ(info.Seconds(), 1.0);
}

TEST(WavHeader, RefusesWhatCannotBePlayed) {
  struct Case {
    std::vector<std::uint8_t> file;
    const char* why;
  };
  std::vector<std::uint8_t> notRiff = Wav(8, 8);
  notRiff[0] = 'X';
  const std::vector<std::uint8_t> whole = Wav(8, 8);
  const std::vector<std::uint8_t> cutInFormat(whole.begin(), whole.begin() + 40);
  // The format chunk, then an odd-length last chunk that ends the file: the
  // next chunk would start a byte past the end.
  std::vector<std::uint8_t> oddLast(whole.begin(), whole.begin() + 48);
  oddLast.insert(oddLast.end(), {'j', 'u', 'n', 'k', 1, 0, 0, 0, 'x'});
  const std::vector<Case> cases = {
      {Wav(100, 5000), "past the end"},
      {Wav(8, 8, 3), "not PCM"},
      {notRiff, "not a WAV"},
      {cutInFormat, "format chunk"},
      {{}, "not a WAV"},
      {oddLast, "no data chunk"},
  };
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> exact(c.file.begin(), c.file.end());  // no spare capacity to read into
    platform::WavInfo info;
    std::string error;
    EXPECT_FALSE(platform::ParseWavHeader(exact.data(), exact.size(), info, error)) << c.why;
    EXPECT_NE(error.find(c.why), std::string::npos) << error;
  }
}

}  // namespace
