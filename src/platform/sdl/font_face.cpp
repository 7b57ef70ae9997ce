#include "platform/font_face.h"
#include "platform/glyph_outline_finish.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform {
namespace {

// The menu and the screen texts need a bold font that can be drawn both as
// bitmaps and as outlines, so only scalable fonts are taken.
bool Acceptable(FcPattern* font, bool needMonospace) {
  int weight = 0;
  FcBool scalable = FcFalse;
  if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) != FcResultMatch || weight < FC_WEIGHT_BOLD) {
    return false;
  }
  if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && !scalable) return false;
  if (needMonospace) {
    int spacing = FC_PROPORTIONAL;
    if (FcPatternGetInteger(font, FC_SPACING, 0, &spacing) != FcResultMatch || spacing < FC_MONO) {
      return false;
    }
  }
  return true;
}

std::string FileOf(FcPattern* font) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file) return "";
  return reinterpret_cast<const char*>(file);
}

std::string Match(FcConfig* config, const std::string& name, bool needMonospace) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
  if (!pattern) return "";
  FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(config, pattern, &result);
  std::string file;
  if (font && result == FcResultMatch && Acceptable(font, needMonospace)) file = FileOf(font);
  if (font) FcPatternDestroy(font);
  FcPatternDestroy(pattern);
  return file;
}

std::string AnyMonospaceBold(FcConfig* config) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
  FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_WEIGHT, FC_SCALABLE, FC_SPACING, nullptr);
  FcFontSet* set = FcFontList(config, pattern, objects);
  std::string file;
  if (set) {
    for (int i = 0; i < set->nfont && file.empty(); ++i) {
      if (Acceptable(set->fonts[i], true)) file = FileOf(set->fonts[i]);
    }
    FcFontSetDestroy(set);
  }
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return file;
}

FT_Library Lib(void* p) { return static_cast<FT_Library>(p); }
FT_Face Face(void* p) { return static_cast<FT_Face>(p); }

// Collects a glyph outline into flattened contours.
struct OutlineSink {
  std::vector<std::vector<OutlinePoint>>* contours;
  float scale;      // font units to em
  float tolerance;  // em
  OutlinePoint pen;

  OutlinePoint ToEm(const FT_Vector* v) const {
    return {static_cast<float>(v->x) * scale, static_cast<float>(v->y) * scale};
  }
  void Add(OutlinePoint p) {
    contours->back().push_back(p);
    pen = p;
  }
  // The number of segments that keeps a curve whose control polygon bends by
  // `bend` (em) within the tolerance: the error falls with the square of it.
  int Segments(float bend) const {
    const float n = std::ceil(std::sqrt(bend / tolerance));
    return std::clamp(static_cast<int>(n), 1, 64);
  }
};

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

int MoveTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  s->contours->emplace_back();
  s->Add(s->ToEm(to));
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  s->Add(s->ToEm(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  const OutlinePoint p0 = s->pen, p1 = s->ToEm(control), p2 = s->ToEm(to);
  const float bend = Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y) / 4.0f;
  const int n = s->Segments(bend);
  for (int i = 1; i <= n; ++i) {
    const float t = static_cast<float>(i) / n, u = 1.0f - t;
    s->Add({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
  return 0;
}

int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* s = static_cast<OutlineSink*>(user);
  const OutlinePoint p0 = s->pen, p1 = s->ToEm(c1), p2 = s->ToEm(c2), p3 = s->ToEm(to);
  const float bend = 0.75f * std::max(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                      Length(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
  const int n = s->Segments(bend);
  for (int i = 1; i <= n; ++i) {
    const float t = static_cast<float>(i) / n, u = 1.0f - t;
    const float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    s->Add({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return 0;
}

}  // namespace

std::string FontInstallAdvice() { return "Instale las fuentes Liberation (paquete fonts-liberation)."; }

std::string FindBoldFontFile(const std::string& family) {
  if (!FcInit()) return "";
  FcConfig* config = FcConfigGetCurrent();
  // A metric-compatible substitute for the family is what fontconfig's own
  // aliases give; it must be monospace like the family the texts were laid out for.
  std::string file = Match(config, family, true);
  if (file.empty()) file = Match(config, "monospace", true);
  if (file.empty()) file = AnyMonospaceBold(config);
  return file;
}

std::unique_ptr<FontFace> FontFace::Open(const std::string& path, std::string* error) {
  auto fail = [&](const char* why) {
    if (error) *error = why;
    return std::unique_ptr<FontFace>();
  };
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return fail("FreeType could not start");
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
    FT_Done_FreeType(library);
    return fail("not a readable font file");
  }
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return fail("not a scalable font");
  }
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  std::unique_ptr<FontFace> font(new FontFace());
  font->library_ = library;
  font->face_ = face;
  return font;
}

FontFace::~FontFace() {
  if (face_) FT_Done_Face(Face(face_));
  if (library_) FT_Done_FreeType(Lib(library_));
}

std::string FontFace::FamilyName() const {
  const char* name = Face(face_)->family_name;
  return name ? name : "";
}

bool FontFace::RenderBitmap(unsigned code, int pixelHeight, GlyphBitmap& out) {
  out = GlyphBitmap();
  FT_Face face = Face(face_);
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) return false;
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
    return false;
  }
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows > 0) return false;
  out.width = static_cast<int>(bitmap.width);
  out.rows = static_cast<int>(bitmap.rows);
  out.left = slot->bitmap_left;
  out.top = slot->bitmap_top;
  out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  const int rowBytes = (out.width + 7) / 8;
  out.bits.assign(static_cast<std::size_t>(rowBytes) * out.rows, 0);
  const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
  for (int r = 0; r < out.rows; ++r) {
    // FreeType's rows run top-down for a positive pitch, bottom-up for a negative one.
    const int sourceRow = bitmap.pitch >= 0 ? r : out.rows - 1 - r;
    const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * pitch;
    std::uint8_t* dst = out.bits.data() + static_cast<std::size_t>(out.rows - 1 - r) * rowBytes;
    std::copy(src, src + rowBytes, dst);
  }
  return true;
}

bool FontFace::LoadOutline(unsigned code, float tolerance, GlyphOutline& out) {
  out = GlyphOutline();
  FT_Face face = Face(face_);
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) {
    return false;
  }
  const FT_GlyphSlot slot = face->glyph;
  const float scale = 1.0f / static_cast<float>(face->units_per_EM);
  out.advance = static_cast<float>(slot->metrics.horiAdvance) * scale;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return true;

  OutlineSink sink{&out.contours, scale, std::max(tolerance, 1e-5f), {}};
  FT_Outline_Funcs funcs{};
  funcs.move_to = &MoveTo;
  funcs.line_to = &LineTo;
  funcs.conic_to = &ConicTo;
  funcs.cubic_to = &CubicTo;
  if (FT_Outline_Decompose(&slot->outline, &funcs, &sink) != 0) {
    out.contours.clear();
    return false;
  }
  out.fillOnRight = FT_Outline_Get_Orientation(&slot->outline) != FT_ORIENTATION_POSTSCRIPT;

  FinishOutline(out);
  return true;
}

}  // namespace platform
