// Decoding the game's pictures: a level load decodes six of them, so the decoder
// must stay far below a frame's time for the usual 256 x 256 textures.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "world/bmp_image.h"

namespace {

void Add16(std::vector<std::uint8_t>& v, std::uint32_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void Add32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  Add16(v, x & 0xFFFF);
  Add16(v, x >> 16);
}

// A "BM" file of side x side pixels; compression 1 gets run-length rows of 16-pixel runs.
std::vector<std::uint8_t> MakeFile(int side, int bits, std::uint32_t compression) {
  std::vector<std::uint8_t> palette;
  if (bits <= 8) {
    for (int i = 0; i < (1 << bits); ++i) palette.insert(palette.end(), {std::uint8_t(i), std::uint8_t(255 - i), 7, 0});
  }
  std::vector<std::uint8_t> data;
  if (compression == 1) {
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; x += 16) data.insert(data.end(), {16, std::uint8_t(x + y)});
      data.insert(data.end(), {0, 0});
    }
    data.insert(data.end(), {0, 1});
  } else {
    const int stride = ((side * bits + 31) / 32) * 4;
    for (int i = 0; i < stride * side; ++i) data.push_back(static_cast<std::uint8_t>(i * 31));
  }
  std::vector<std::uint8_t> f = {'B', 'M'};
  const std::uint32_t offset = static_cast<std::uint32_t>(54 + palette.size());
  Add32(f, static_cast<std::uint32_t>(offset + data.size()));
  Add32(f, 0);
  Add32(f, offset);
  Add32(f, 40);
  Add32(f, static_cast<std::uint32_t>(side));
  Add32(f, static_cast<std::uint32_t>(side));
  Add16(f, 1);
  Add16(f, static_cast<std::uint32_t>(bits));
  Add32(f, compression);
  Add32(f, static_cast<std::uint32_t>(data.size()));
  for (int i = 0; i < 4; ++i) Add32(f, 0);
  f.insert(f.end(), palette.begin(), palette.end());
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

void Decode(benchmark::State& state, int bits, std::uint32_t compression) {
  const int side = static_cast<int>(state.range(0));
  const std::vector<std::uint8_t> file = MakeFile(side, bits, compression);
  for (auto _ : state) {
    DibDecodeResult r = DecodeDIB(file);
    if (!r.image) state.SkipWithError("picture did not decode");
    benchmark::DoNotOptimize(r.image->pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * side * side);
}

void BM_DecodeTrueColour(benchmark::State& state) { Decode(state, 24, 0); }
void BM_DecodePalette8(benchmark::State& state) { Decode(state, 8, 0); }
void BM_DecodeRle8(benchmark::State& state) { Decode(state, 8, 1); }
void BM_Decode32(benchmark::State& state) { Decode(state, 32, 0); }

BENCHMARK(BM_DecodeTrueColour)->Arg(64)->Arg(256)->Arg(512)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodePalette8)->Arg(256)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeRle8)->Arg(256)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decode32)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
