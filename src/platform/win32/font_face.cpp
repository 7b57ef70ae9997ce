// Fonts through GDI: the "file" of a font is its family name, and glyphs come
// from GetGlyphOutlineA, as one-bit bitmaps hinted at the pixel size or as
// unhinted TrueType outlines at the size of the em square.
#include "platform/font_face.h"
#include "platform/glyph_outline_finish.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

struct Gdi {
  HDC dc = nullptr;
  HFONT bitmapFont = nullptr;
  int bitmapHeight = 0;
  HFONT emFont = nullptr;
  int emUnits = 0;
  std::string family;
};

Gdi& G(void* p) { return *static_cast<Gdi*>(p); }

HFONT MakeFont(const std::string& family, int height) {
  return CreateFontA(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     win32::AnsiFromUtf8(family).c_str());
}

const MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

float FromFixed(FIXED f) { return static_cast<float>(f.value) + static_cast<float>(f.fract) / 65536.0f; }

struct Flattener {
  std::vector<OutlinePoint>* contour;
  float scale;
  float tolerance;
  OutlinePoint pen;

  int Segments(float bend) const {
    return std::clamp(static_cast<int>(std::ceil(std::sqrt(bend / tolerance))), 1, 64);
  }
  void Add(OutlinePoint p) {
    contour->push_back(p);
    pen = p;
  }
  void Quad(OutlinePoint p1, OutlinePoint p2) {
    const OutlinePoint p0 = pen;
    const float bend = std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y) / 4.0f;
    const int n = Segments(bend);
    for (int i = 1; i <= n; ++i) {
      const float t = static_cast<float>(i) / n, u = 1.0f - t;
      Add({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
  }
  void Cubic(OutlinePoint p1, OutlinePoint p2, OutlinePoint p3) {
    const OutlinePoint p0 = pen;
    const float bend = 0.75f * std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                        std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    const int n = Segments(bend);
    for (int i = 1; i <= n; ++i) {
      const float t = static_cast<float>(i) / n, u = 1.0f - t;
      const float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      Add({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
  }
};

}  // namespace

std::string FontInstallAdvice() {
  return "Compruebe que la fuente Courier New de Windows está instalada (carpeta Fuentes del sistema).";
}

std::string FindBoldFontFile(const std::string& family) {
  // GDI maps any family name to its closest font (substitutes included), so
  // the name itself is what FontFace::Open takes.
  return family;
}

std::unique_ptr<FontFace> FontFace::Open(const std::string& path, std::string* error) {
  auto fail = [&](const char* why) {
    if (error) *error = why;
    return std::unique_ptr<FontFace>();
  };
  if (path.empty()) return fail("no font name");
  auto gdi = std::make_unique<Gdi>();
  gdi->dc = CreateCompatibleDC(nullptr);
  if (!gdi->dc) return fail("no GDI device context");
  gdi->family = path;
  HFONT probe = MakeFont(path, 64);
  if (!probe) {
    DeleteDC(gdi->dc);
    return fail("GDI cannot make the font");
  }
  HGDIOBJ old = SelectObject(gdi->dc, probe);
  // The metrics carry the name of the font GDI really chose, substitutes included.
  const UINT metricsSize = GetOutlineTextMetricsA(gdi->dc, 0, nullptr);
  std::vector<std::uint8_t> metricsBuffer(metricsSize >= sizeof(OUTLINETEXTMETRICA) ? metricsSize : 0);
  const bool outline = !metricsBuffer.empty() &&
                       GetOutlineTextMetricsA(gdi->dc, metricsSize,
                                              reinterpret_cast<OUTLINETEXTMETRICA*>(metricsBuffer.data())) != 0;
  SelectObject(gdi->dc, old);
  DeleteObject(probe);
  OUTLINETEXTMETRICA metrics = {};
  if (outline) std::memcpy(&metrics, metricsBuffer.data(), sizeof metrics);
  if (!outline || metrics.otmEMSquare == 0) {
    DeleteDC(gdi->dc);
    return fail("not a scalable font");
  }
  // The face name is the chosen font's own ("Liberation Mono Bold" where a
  // substitute stands in; the family name repeats the one asked for): its
  // family is that name less the style.
  auto text = [&metricsBuffer](PSTR offset) {
    const std::size_t at = reinterpret_cast<std::size_t>(offset);
    if (at == 0 || at >= metricsBuffer.size()) return std::string();
    const char* p = reinterpret_cast<const char*>(metricsBuffer.data()) + at;
    return std::string(p, strnlen(p, metricsBuffer.size() - at));
  };
  std::string face = text(metrics.otmpFaceName);
  const std::string style = " " + text(metrics.otmpStyleName);
  if (face.size() > style.size() && face.compare(face.size() - style.size(), style.size(), style) == 0) {
    face.resize(face.size() - style.size());
  }
  if (!face.empty()) gdi->family = win32::Utf8FromAnsi(face);
  gdi->emUnits = static_cast<int>(metrics.otmEMSquare);
  gdi->emFont = MakeFont(path, gdi->emUnits);
  std::unique_ptr<FontFace> font(new FontFace());
  font->face_ = gdi.release();
  font->library_ = nullptr;
  return font;
}

FontFace::~FontFace() {
  if (!face_) return;
  Gdi& g = G(face_);
  if (g.bitmapFont) DeleteObject(g.bitmapFont);
  if (g.emFont) DeleteObject(g.emFont);
  if (g.dc) DeleteDC(g.dc);
  delete &g;
}

std::string FontFace::FamilyName() const { return G(face_).family; }

bool FontFace::RenderBitmap(unsigned code, int pixelHeight, GlyphBitmap& out) {
  out = GlyphBitmap();
  Gdi& g = G(face_);
  if (pixelHeight <= 0) return false;
  if (!g.bitmapFont || g.bitmapHeight != pixelHeight) {
    if (g.bitmapFont) DeleteObject(g.bitmapFont);
    g.bitmapFont = MakeFont(g.family, pixelHeight);
    g.bitmapHeight = pixelHeight;
    if (!g.bitmapFont) return false;
  }
  HGDIOBJ old = SelectObject(g.dc, g.bitmapFont);
  GLYPHMETRICS gm = {};
  const UINT ch = code & 0xFF;
  const DWORD size = GetGlyphOutlineA(g.dc, ch, GGO_BITMAP, &gm, 0, nullptr, &kIdentity);
  std::vector<std::uint8_t> buffer(size == GDI_ERROR ? 0 : size);
  if (size == GDI_ERROR ||
      (size > 0 && GetGlyphOutlineA(g.dc, ch, GGO_BITMAP, &gm, size, buffer.data(), &kIdentity) == GDI_ERROR)) {
    SelectObject(g.dc, old);
    return false;
  }
  SelectObject(g.dc, old);
  out.advance = gm.gmCellIncX;
  if (size == 0) return true;  // no ink: a space
  out.width = static_cast<int>(gm.gmBlackBoxX);
  out.rows = static_cast<int>(gm.gmBlackBoxY);
  out.left = gm.gmptGlyphOrigin.x;
  out.top = gm.gmptGlyphOrigin.y;
  // GDI's rows run top down, each padded to four bytes; the game's run bottom up, packed to the byte.
  const std::size_t sourcePitch = ((static_cast<std::size_t>(out.width) + 31) / 32) * 4;
  const std::size_t rowBytes = (static_cast<std::size_t>(out.width) + 7) / 8;
  if (sourcePitch * static_cast<std::size_t>(out.rows) > buffer.size()) return false;
  out.bits.assign(rowBytes * static_cast<std::size_t>(out.rows), 0);
  for (int r = 0; r < out.rows; ++r) {
    const std::uint8_t* src = buffer.data() + sourcePitch * static_cast<std::size_t>(r);
    std::copy(src, src + rowBytes, out.bits.begin() + static_cast<std::ptrdiff_t>(rowBytes * (out.rows - 1 - r)));
  }
  return true;
}

bool FontFace::LoadOutline(unsigned code, float tolerance, GlyphOutline& out) {
  out = GlyphOutline();
  Gdi& g = G(face_);
  if (!g.emFont) return false;
  HGDIOBJ old = SelectObject(g.dc, g.emFont);
  GLYPHMETRICS gm = {};
  const UINT ch = code & 0xFF;
  const UINT format = GGO_NATIVE | GGO_UNHINTED;
  const DWORD size = GetGlyphOutlineA(g.dc, ch, format, &gm, 0, nullptr, &kIdentity);
  std::vector<std::uint8_t> buffer(size == GDI_ERROR ? 0 : size);
  const bool ok = size != GDI_ERROR &&
                  (size == 0 || GetGlyphOutlineA(g.dc, ch, format, &gm, size, buffer.data(), &kIdentity) != GDI_ERROR);
  SelectObject(g.dc, old);
  if (!ok) return false;
  const float scale = 1.0f / static_cast<float>(g.emUnits);
  out.advance = static_cast<float>(gm.gmCellIncX) * scale;
  // TrueType outer contours run clockwise, with the ink on their right.
  out.fillOnRight = true;

  auto point = [scale](const POINTFX& p) { return OutlinePoint{FromFixed(p.x) * scale, FromFixed(p.y) * scale}; };
  std::size_t at = 0;
  while (at + sizeof(TTPOLYGONHEADER) <= buffer.size()) {
    TTPOLYGONHEADER header;
    std::memcpy(&header, buffer.data() + at, sizeof header);
    if (header.dwType != TT_POLYGON_TYPE || header.cb < sizeof header || header.cb > buffer.size() - at) break;
    out.contours.emplace_back();
    Flattener f{&out.contours.back(), scale, std::max(tolerance, 1e-5f), {}};
    f.Add(point(header.pfxStart));
    std::size_t c = at + sizeof header;
    const std::size_t end = at + header.cb;
    while (c + 4 <= end) {
      WORD type = 0, count = 0;
      std::memcpy(&type, buffer.data() + c, 2);
      std::memcpy(&count, buffer.data() + c + 2, 2);
      const std::size_t pointsAt = c + 4;
      if (count == 0 || pointsAt + count * sizeof(POINTFX) > end) break;
      std::vector<OutlinePoint> pts(count);
      for (WORD i = 0; i < count; ++i) {
        POINTFX p;
        std::memcpy(&p, buffer.data() + pointsAt + i * sizeof(POINTFX), sizeof p);
        pts[i] = point(p);
      }
      if (type == TT_PRIM_LINE) {
        for (const OutlinePoint& p : pts) f.Add(p);
      } else if (type == TT_PRIM_QSPLINE) {
        // Between two control points lies an implied on-curve point at their middle.
        for (WORD i = 0; i + 1 < count; ++i) {
          const OutlinePoint next = i + 2 < count ? OutlinePoint{(pts[i].x + pts[i + 1].x) / 2, (pts[i].y + pts[i + 1].y) / 2}
                                                  : pts[i + 1];
          f.Quad(pts[i], next);
        }
      } else if (type == TT_PRIM_CSPLINE) {
        for (WORD i = 0; i + 2 < count; i += 3) f.Cubic(pts[i], pts[i + 1], pts[i + 2]);
      }
      c = pointsAt + count * sizeof(POINTFX);
    }
    at = end;
  }

  FinishOutline(out);
  return true;
}

}  // namespace platform
