// The generated pictures and sounds: every file the game loads is there, in a
// form the game's own readers take, painted as the drawing code expects it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "canvas.h"
#include "level_source.h"
#include "sounds.h"
#include "support/test_support.h"
#include "synth.h"
#include "textures.h"
#include "world/bmp_image.h"

namespace {

const std::filesystem::path kRunDir = GLUMBO_RUN_DIR;
const std::filesystem::path kTextures = kRunDir / "texturas";
const std::filesystem::path kSounds = kRunDir / "sonidos";

std::unique_ptr<Image> Read(const std::string& name) {
  DibDecodeResult r = ReadDIBFile((kTextures / name).string());
  EXPECT_EQ(r.error, DibError::None) << name;
  return std::move(r.image);
}

bool PowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

// A pixel by picture coordinates, y = 0 at the top (the Image keeps the bottom row first).
const std::uint8_t* Pixel(const Image& img, int x, int yTop) {
  const int row = img.height - 1 - yTop;
  return &img.pixels[static_cast<std::size_t>((row * img.width + x) * 3)];
}

int Brightness(const Image& img, int x, int yTop) {
  const std::uint8_t* p = Pixel(img, x, yTop);
  return std::max({p[0], p[1], p[2]});
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) { return test::ReadBytes(path.string()); }

TEST(ContentTextures, EveryTextureTheGameLoadsIsThereAsAPowerOfTwoBitmap) {
  for (int d = 0; d < 3; ++d) {
    for (const char* base : {"ladrillos", "suelo", "puertas"}) {
      const auto img = Read(base + std::to_string(d) + ".bmp");
      ASSERT_NE(img, nullptr);
      EXPECT_EQ(img->width, 64 << d) << base << d;
      EXPECT_EQ(img->height, 64 << d) << base << d;
    }
  }
  for (const char* name : {"chispa.bmp", "speed.bmp", "moneda.bmp", "vida.bmp", "vidaFantasma.bmp", "texp0.bmp",
                           "texp3.bmp", "texp2.bmp", "texp1.bmp", "texp54.bmp", "texp100.bmp", "texp58.bmp",
                           "texp5.bmp", "texp6.bmp", "texp7.bmp"}) {
    const auto img = Read(name);
    ASSERT_NE(img, nullptr) << name;
    EXPECT_TRUE(PowerOfTwo(img->width) && PowerOfTwo(img->height)) << name;
    EXPECT_GE(img->width, 4) << name;  // packed rows then meet the 4-byte upload alignment
    // Plain 24-bit files with the usual 54-byte header.
    const auto bytes = FileBytes(kTextures / name);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[28], 24) << name;
    EXPECT_EQ(bytes.size(), 54u + static_cast<std::size_t>(img->width * img->height * 3)) << name;
  }
}

TEST(ContentTextures, AdditivePicturesFadeToBlack) {
  // Sparks, coins, arrows and life icons are added onto the scene: their
  // background must add nothing.
  for (const char* name : {"chispa.bmp", "moneda.bmp", "vida.bmp", "vidaFantasma.bmp", "speed.bmp"}) {
    const auto img = Read(name);
    ASSERT_NE(img, nullptr);
    for (int corner = 0; corner < 4; ++corner) {
      const int x = corner % 2 ? img->width - 1 : 0, y = corner / 2 ? img->height - 1 : 0;
      EXPECT_EQ(Brightness(*img, x, y), 0) << name << " corner " << corner;
    }
    int brightest = 0;
    for (int y = 0; y < img->height; ++y)
      for (int x = 0; x < img->width; ++x) brightest = std::max(brightest, Brightness(*img, x, y));
    EXPECT_GT(brightest, 200) << name << " is empty";
  }
  const auto spark = Read("chispa.bmp");
  ASSERT_NE(spark, nullptr);
  // Round and soft: bright in the middle, dimmer halfway out, the same in every direction.
  const int c = spark->width / 2, r = spark->width / 5;
  EXPECT_GT(Brightness(*spark, c, c), 200);
  EXPECT_LT(Brightness(*spark, c + r, c), Brightness(*spark, c, c));
  EXPECT_GT(Brightness(*spark, c + r, c), 10);
  EXPECT_NEAR(Brightness(*spark, c + r, c), Brightness(*spark, c, c + r), 1);
  EXPECT_NEAR(Brightness(*spark, c + r, c), Brightness(*spark, c - 1 - r, c), 1);
}

TEST(ContentTextures, TheFloorArrowIsInTheLeftHalfPointingUpAndTiles) {
  const auto img = Read("speed.bmp");
  ASSERT_NE(img, nullptr);
  const int half = img->width / 2;
  // The floor scrolls the left half from top to bottom: no chevron may be cut at the wrap.
  for (int x = 0; x < half; ++x) {
    EXPECT_LT(Brightness(*img, x, 0), 40) << x;
    EXPECT_LT(Brightness(*img, x, img->height - 1), 40) << x;
  }
  // Each chevron is narrow at its tip (toward the top) and wide at its base.
  auto litWidth = [&](int y) {
    int n = 0;
    for (int x = 0; x < half; ++x) n += Brightness(*img, x, y) > 180;
    return n;
  };
  const int h = img->height;
  for (int k = 0; k < 2; ++k) {
    const int top = static_cast<int>(h * (0.08 + 0.5 * k));
    EXPECT_LT(litWidth(top + h / 32), litWidth(top + h / 4)) << "chevron " << k;
    EXPECT_GT(litWidth(top + h / 4), 0);
  }
  // The two repetitions are alike, so the picture repeats every half height.
  int differing = 0;
  for (int y = 0; y < h / 2; ++y)
    for (int x = 0; x < half; ++x) differing += std::abs(Brightness(*img, x, y) - Brightness(*img, x, y + h / 2)) > 8;
  EXPECT_LT(differing, half * h / 2 / 50);
}

TEST(ContentTextures, TheDoubleDoorsHalvesMakeOnePicture) {
  for (int d = 0; d < 3; ++d) {
    const auto img = Read("puertas" + std::to_string(d) + ".bmp");
    ASSERT_NE(img, nullptr);
    const int half = img->width / 2, mid = img->height / 2, off = img->width / 12;
    // The emblem in the middle is split between the leaves: gold on both sides of the seam.
    for (int x : {half - off, half + off}) {
      const std::uint8_t* p = Pixel(*img, x, mid - img->height / 20);
      EXPECT_GT(p[0], 150) << "detail " << d << " x " << x;
      EXPECT_GT(p[0], p[2] + 80) << "detail " << d << " x " << x;
    }
    // The seam itself is dark, and the two leaves mirror each other around it.
    EXPECT_LT(Brightness(*img, half, img->height / 3), 60);
    int mirrored = 0, total = 0;
    for (int y = 0; y < img->height; y += 3)
      for (int x = 0; x < half; x += 3) {
        ++total;
        mirrored += std::abs(Brightness(*img, x, y) - Brightness(*img, img->width - 1 - x, y)) < 60;
      }
    EXPECT_GT(mirrored, total * 3 / 4);
  }
}

TEST(ContentTextures, TheLevelMapPicturesShowEachLevelsOwnLayout) {
  std::vector<std::vector<std::uint8_t>> seen = {FileBytes(kTextures / "texp0.bmp")};
  for (const char* file : {"level01.lvl", "level02.lvl", "level54.lvl", "level100.lvl"}) {
    std::ifstream in(std::filesystem::path(GLUMBO_SOURCE_DIR) / "content" / "levels" / file);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> errors;
    const auto src = levelc::ParseLevelSource(text.str(), file, errors);
    ASSERT_TRUE(src.has_value()) << file;
    const auto bytes = texgen::EncodeBmp(texgen::LevelPicture(*src, 128));
    // Painted from the source, and the build's file is up to date with it.
    EXPECT_EQ(bytes, FileBytes(kTextures / ("texp" + std::to_string(src->number) + ".bmp"))) << file;
    for (const auto& other : seen) EXPECT_NE(bytes, other) << file;
    seen.push_back(bytes);
    // The outer wall's corner cell is painted in the wall colour.
    DibDecodeResult img = DecodeDIB(bytes);
    ASSERT_EQ(img.error, DibError::None);
    const int cell = (128 - 16) / std::max(src->width, src->height);
    const int ox = (128 - cell * src->width) / 2, oy = (128 - cell * src->height) / 2;
    const std::uint8_t* wall = Pixel(*img.image, ox + cell / 2, oy + cell / 2);
    EXPECT_GT(wall[2], 150) << file;
    EXPECT_GT(wall[2], wall[0] + 60) << file;
  }
}

TEST(ContentTextures, PaintingIsTheSameOnEveryRun) {
  EXPECT_EQ(texgen::EncodeBmp(texgen::Bricks(128)), FileBytes(kTextures / "ladrillos1.bmp"));
  EXPECT_EQ(texgen::EncodeBmp(texgen::FloorTile(256)), FileBytes(kTextures / "suelo2.bmp"));
  EXPECT_EQ(texgen::EncodeBmp(texgen::Doors(64)), FileBytes(kTextures / "puertas0.bmp"));
}

struct Wave {
  int channels = 0, rate = 0, bits = 0, format = 0;
  std::vector<std::int16_t> samples;
};

Wave ReadWave(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> b = FileBytes(path);
  Wave w;
  auto u32 = [&](std::size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24; };
  auto u16 = [&](std::size_t at) { return b[at] | b[at + 1] << 8; };
  if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt " || u32(4) != b.size() - 8)
    return w;
  w.format = u16(20);
  w.channels = u16(22);
  w.rate = static_cast<int>(u32(24));
  w.bits = u16(34);
  if (std::string(b.begin() + 36, b.begin() + 40) != "data" || u32(40) != b.size() - 44) return w;
  for (std::size_t i = 44; i + 1 < b.size(); i += 2) w.samples.push_back(static_cast<std::int16_t>(u16(i)));
  return w;
}

TEST(ContentSounds, EverySoundIsAShortSixteenBitWave) {
  struct Expect {
    const char* name;
    double minSeconds, maxSeconds;
  } const sounds[] = {{"opening.wav", 2.0, 6.0},    {"vidaextra.wav", 0.3, 1.5}, {"comerBolita.wav", 0.02, 0.1},
                      {"comerBola.wav", 0.2, 1.0},  {"comerFantasma.wav", 0.2, 1.0}, {"muere.wav", 0.8, 2.5}};
  for (const Expect& e : sounds) {
    SCOPED_TRACE(e.name);
    const Wave w = ReadWave(kSounds / e.name);
    EXPECT_EQ(w.format, 1);  // PCM
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 16);
    ASSERT_GT(w.rate, 0);
    const double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_GE(seconds, e.minSeconds);
    EXPECT_LE(seconds, e.maxSeconds);
    int peak = 0;
    for (std::int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 4000);   // audible
    EXPECT_LT(peak, 32000);  // never clipped
    // Each sound fades out, so that it ends without a click.
    for (std::size_t i = w.samples.size() - std::min<std::size_t>(w.samples.size(), 10); i < w.samples.size(); ++i)
      EXPECT_LT(std::abs(static_cast<int>(w.samples[i])), 2500) << i;
  }
}

TEST(ContentSounds, TheSynthesiserGivesTheSameBytesEveryTime) {
  EXPECT_EQ(soundgen::EncodeWav(soundgen::Render(soundgen::CoinBlip())), FileBytes(kSounds / "comerBolita.wav"));
  EXPECT_EQ(soundgen::EncodeWav(soundgen::Render(soundgen::PlayerCaught())), FileBytes(kSounds / "muere.wav"));
  // The blip rises in pitch: more zero crossings in its second half than in its first.
  const std::vector<std::int16_t> blip = soundgen::Render(soundgen::CoinBlip());
  auto crossings = [&](std::size_t from, std::size_t to) {
    int n = 0;
    for (std::size_t i = from + 1; i < to; ++i) n += (blip[i - 1] < 0) != (blip[i] < 0) && blip[i] != 0;
    return n;
  };
  EXPECT_GT(crossings(blip.size() / 2, blip.size()), crossings(0, blip.size() / 2));
}

}  // namespace
