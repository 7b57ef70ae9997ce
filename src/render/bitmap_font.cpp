#include "render/bitmap_font.h"

#include <cstdarg>
#include <cstdio>

#include "platform/gl.h"
#include "render/font_source.h"

unsigned int bitmapFontBase = 0;

namespace {
constexpr int kFirstCode = 32;
constexpr int kCodeCount = 96;
}  // namespace

void BuildBitmapFont() {
  if (bitmapFontBase != 0) DeleteBitmapFont();
  bitmapFontBase = glGenLists(kCodeCount);
  if (bitmapFontBase == 0) return;
  std::unique_ptr<platform::FontFace> face = OpenGameFont();
  if (!face) return;

  // Glyph rows are packed to the byte; the unpack state is read when each
  // list is compiled, so it only has to hold while building.
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  platform::GlyphBitmap glyph;
  static const GLubyte kNoBits[1] = {0};
  for (int i = 0; i < kCodeCount; ++i) {
    if (!face->RenderBitmap(static_cast<unsigned>(kFirstCode + i), kGameFontPixels, glyph)) continue;
    glNewList(bitmapFontBase + static_cast<GLuint>(i), GL_COMPILE);
    glBitmap(glyph.width, glyph.rows, static_cast<GLfloat>(-glyph.left),
             static_cast<GLfloat>(glyph.rows - glyph.top), static_cast<GLfloat>(glyph.advance), 0.0f,
             glyph.bits.empty() ? kNoBits : glyph.bits.data());
    glEndList();
  }
  glPopClientAttrib();
}

void DeleteBitmapFont() {
  if (bitmapFontBase != 0) glDeleteLists(bitmapFontBase, kCodeCount);
  bitmapFontBase = 0;
}

void PrintBitmap(const char* format, ...) {
  if (!format || bitmapFontBase == 0) return;
  char text[256];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (written <= 0) return;

  // Only codes 32 to 127 have lists of this font; any other byte would call a
  // list that belongs to something else, so it is left out.
  GLubyte codes[256];
  GLsizei count = 0;
  for (const char* p = text; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c >= kFirstCode && c < kFirstCode + kCodeCount) codes[count++] = c;
  }
  glPushAttrib(GL_LIST_BIT);
  glListBase(bitmapFontBase - kFirstCode);
  glCallLists(count, GL_UNSIGNED_BYTE, codes);
  glPopAttrib();
}
