// Start-up cost of the two fonts, and the cost of drawing one menu page's letters.
#include <benchmark/benchmark.h>

#include "platform/font_face.h"
#include "platform/gl.h"
#include "platform/window.h"
#include "render/bitmap_font.h"
#include "render/menu.h"
#include "render/outline_font.h"

namespace {

platform::Window& Context() {
  static platform::Window window;
  if (!window.IsOpen()) {
    platform::WindowRequest request;
    request.title = "bench";
    request.hidden = true;
    window.Open(request);
  }
  return window;
}

void BM_BuildOutlineFont(benchmark::State& state) {
  if (!Context().IsOpen()) {
    state.SkipWithError("no GL context");
    return;
  }
  Menu menu;
  for (auto _ : state) {
    menu.BuildOutlineFont();
    glFinish();
    menu.DeleteOutlineFont();
  }
}
BENCHMARK(BM_BuildOutlineFont)->Unit(benchmark::kMillisecond);

void BM_BuildBitmapFont(benchmark::State& state) {
  if (!Context().IsOpen()) {
    state.SkipWithError("no GL context");
    return;
  }
  for (auto _ : state) {
    BuildBitmapFont();
    glFinish();
    DeleteBitmapFont();
  }
}
BENCHMARK(BM_BuildBitmapFont)->Unit(benchmark::kMillisecond);

// The geometry side alone: outlines read and flattened, faces tessellated and
// walls sent, into a list that is thrown away.
void BM_TessellateAllGlyphs(benchmark::State& state) {
  if (!Context().IsOpen()) {
    state.SkipWithError("no GL context");
    return;
  }
  auto face = platform::FontFace::Open(platform::FindBoldFontFile("Courier New"));
  std::vector<platform::GlyphOutline> glyphs(255);
  for (unsigned c = 0; c < 255; ++c) face->LoadOutline(c, kOutlineTolerance, glyphs[c]);
  const GLuint list = glGenLists(1);
  long vertices = 0;
  for (auto _ : state) {
    vertices = 0;
    glNewList(list, GL_COMPILE);
    for (const auto& g : glyphs) vertices += DrawExtrudedGlyph(g, kOutlineDepth);
    glEndList();
  }
  glDeleteLists(list, 1);
  state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK(BM_TessellateAllGlyphs)->Unit(benchmark::kMillisecond);

void BM_DrawOptionsPageText(benchmark::State& state) {
  if (!Context().IsOpen()) {
    state.SkipWithError("no GL context");
    return;
  }
  Menu menu;
  menu.BuildOutlineFont();
  menu.page = 1;
  glViewport(0, 0, 640, 480);
  for (auto _ : state) {
    menu.DrawMenuScene();
    glFinish();
  }
}
BENCHMARK(BM_DrawOptionsPageText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
