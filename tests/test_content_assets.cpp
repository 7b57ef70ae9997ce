// The generated pictures and sounds: every file the game loads is there, in a
// form the game's own readers take, painted as the drawing code expects it.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <filesystem>

#include "platform/png_writer.h"
#include "sounds.h"
#include "support/frame_pixels.h"
#include "support/test_support.h"
#include "textures.h"
#include "world/bmp_image.h"

const std::filesystem::path kTextures = std::filesystem::path(GLUMBO_RUN_DIR) / "texturas";
const std::filesystem::path kSounds = std::filesystem::path(GLUMBO_RUN_DIR) / "sonidos";

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) { return test::ReadBytes(path.string()); }

// The brightest channel of a pixel, y = 0 at the top (the Image keeps the bottom row first).
int Brightness(const Image& img, int x, int yTop) {
  const std::uint8_t* p = &img.pixels[static_cast<std::size_t>(((img.height - 1 - yTop) * img.width + x) * 3)];
  return std::max({p[0], p[1], p[2]});
}

TEST(ContentTextures, EveryTextureTheGameLoadsIsThereAsAPowerOfTwoBitmap) {
  std::vector<std::pair<std::string, int>> files;  // name, side (0: any power of two)
  for (int d = 0; d < 3; ++d)
    for (const char* base : {"ladrillos", "suelo", "puertas"}) files.emplace_back(base + std::to_string(d) + ".bmp", 64 << d);
  for (const char* name : {"chispa", "speed", "moneda", "vida", "vidaFantasma", "texp0", "texp1", "texp2", "texp3",
                           "texp54", "texp5", "texp6", "texp7", "texp58", "texp100"})
    files.emplace_back(name + std::string(".bmp"), 0);
  for (const auto& [name, side] : files) {
    SCOPED_TRACE(name);
    const auto img = ReadDIBFile((kTextures / name).string()).image;
    ASSERT_NE(img, nullptr);
    const int w = img->width, h = img->height;
    // Powers of two of at least 4: packed rows then meet the 4-byte upload alignment.
    EXPECT_TRUE((side == 0 || (w == side && h == side)) && w >= 4 && h > 0 && std::has_single_bit(unsigned(w)) &&
                std::has_single_bit(unsigned(h))) << w << " x " << h;
    // Plain 24-bit files with the usual 54-byte header.
    const auto bytes = FileBytes(kTextures / name);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(std::pair(int{bytes[28]}, bytes.size()), std::pair(24, 54u + static_cast<std::size_t>(w * h * 3)));
    // Each level's picture on the level map, as PNG for people to look at.
    EXPECT_TRUE(!name.starts_with("texp") || platform::WritePngBottomUp(test::PicturePath("level_map_" +
                                             name.substr(0, name.size() - 4) + ".png"), w, h, img->pixels));
  }
}

TEST(ContentTextures, AdditivePicturesFadeToBlackAndTheFloorArrowTiles) {
  // Sparks, coins, arrows and life icons are added onto the scene: their
  // background must add nothing.
  for (const std::string name : {"chispa.bmp", "moneda.bmp", "vida.bmp", "vidaFantasma.bmp", "speed.bmp"}) {
    SCOPED_TRACE(name);
    const auto img = ReadDIBFile((kTextures / name).string()).image;
    ASSERT_NE(img, nullptr);
    const int w = img->width - 1, h = img->height - 1;
    EXPECT_EQ(Brightness(*img, 0, 0) + Brightness(*img, w, 0) + Brightness(*img, 0, h) + Brightness(*img, w, h), 0);
    EXPECT_GT(*std::max_element(img->pixels.begin(), img->pixels.end()), 200) << "empty";
    // The floor scrolls the arrow's left half from top to bottom: no chevron may be cut at the wrap.
    for (int x = 0; name == "speed.bmp" && x < img->width / 2; ++x)
      EXPECT_LT(std::max(Brightness(*img, x, 0), Brightness(*img, x, h)), 40) << x;
  }
}

TEST(ContentTextures, PaintingGivesTheSameBytesEveryRunAndEachLevelMapItsOwnPicture) {
  EXPECT_EQ(texgen::EncodeBmp(texgen::Bricks(128)), FileBytes(kTextures / "ladrillos1.bmp"));
  EXPECT_EQ(texgen::EncodeBmp(texgen::FloorTile(256)), FileBytes(kTextures / "suelo2.bmp"));
  EXPECT_EQ(texgen::EncodeBmp(texgen::Doors(64)), FileBytes(kTextures / "puertas0.bmp"));
  EXPECT_EQ(soundgen::EncodeWav(soundgen::Render(soundgen::CoinBlip())), FileBytes(kSounds / "comerBolita.wav"));
  EXPECT_EQ(soundgen::EncodeWav(soundgen::Render(soundgen::PlayerCaught())), FileBytes(kSounds / "muere.wav"));
  std::vector<std::vector<std::uint8_t>> seen = {FileBytes(kTextures / "texp0.bmp")};
  for (const char* file : {"level01.lvl", "level02.lvl", "level54.lvl", "level100.lvl"}) {
    const auto text = FileBytes(std::filesystem::path(GLUMBO_SOURCE_DIR) / "content" / "levels" / file);
    std::vector<std::string> errors;
    const auto src = levelc::ParseLevelSource(std::string(text.begin(), text.end()), file, errors);
    ASSERT_TRUE(src.has_value()) << file;
    const auto bytes = texgen::EncodeBmp(texgen::LevelPicture(*src, 128));
    EXPECT_EQ(bytes, FileBytes(kTextures / ("texp" + std::to_string(src->number) + ".bmp"))) << file;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), bytes), 0) << file;
    seen.push_back(bytes);
  }
}

TEST(ContentSounds, EverySoundIsAShortSixteenBitWaveThatFadesOut) {
  for (const auto& [name, minSeconds, maxSeconds] :
       {std::tuple{"opening.wav", 2.0, 6.0}, {"vidaextra.wav", 0.3, 1.5}, {"comerBolita.wav", 0.02, 0.1},
        {"comerBola.wav", 0.2, 1.0}, {"comerFantasma.wav", 0.2, 1.0}, {"muere.wav", 0.8, 2.5}}) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> b = FileBytes(kSounds / name);
    auto u32 = [&](std::size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24; };
    ASSERT_GE(b.size(), 46u);
    // RIFF sizes that match the file; PCM, one channel, 16 bits; the samples straight after the header.
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4) + std::string(b.begin() + 8, b.begin() + 16) +
                  std::string(b.begin() + 36, b.begin() + 40), "RIFFWAVEfmt data");
    EXPECT_EQ(std::tuple(u32(4), u32(40), u32(20), int{b[34]}), std::tuple(b.size() - 8, b.size() - 44, 1u | 1u << 16, 16));
    std::vector<int> samples;
    for (std::size_t i = 44; i + 1 < b.size(); i += 2) samples.push_back(std::abs(std::int16_t(b[i] | b[i + 1] << 8)));
    const double seconds = static_cast<double>(samples.size()) / u32(24);
    EXPECT_TRUE(seconds >= minSeconds && seconds <= maxSeconds) << seconds;
    // Audible, never clipped, and quiet at the end, so that the sound ends without a click.
    const int peak = *std::max_element(samples.begin(), samples.end());
    const int tail = *std::max_element(samples.end() - std::min<std::size_t>(samples.size(), 10), samples.end());
    EXPECT_TRUE(peak > 4000 && peak < 32000 && tail < 2500) << peak << ", at the end " << tail;
  }
}
