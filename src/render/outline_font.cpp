#include "render/outline_font.h"

#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <utility>
#include <vector>

#include "platform/gl.h"
#include "render/font_source.h"
#include "render/menu.h"

namespace {

using Vertex = std::array<GLdouble, 3>;

// What the tessellator hands back: a flat list of triangles.
struct Fill {
  std::vector<Vertex> points;  // the outline's points; the triangles point into them
  std::vector<const GLdouble*> triangles;
  std::deque<Vertex> joined;  // points made where contours cross
  bool failed = false;
};

#ifndef GLAPIENTRY
#define GLAPIENTRY
#endif

void GLAPIENTRY OnBegin(GLenum, void*) {}
void GLAPIENTRY OnEdgeFlag(GLboolean, void*) {}  // its presence makes the output plain triangles
void GLAPIENTRY OnVertex(void* vertex, void* user) {
  static_cast<Fill*>(user)->triangles.push_back(static_cast<const GLdouble*>(vertex));
}
void GLAPIENTRY OnEnd(void*) {}
void GLAPIENTRY OnError(GLenum, void* user) { static_cast<Fill*>(user)->failed = true; }
void GLAPIENTRY OnCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* user) {
  Fill* fill = static_cast<Fill*>(user);
  fill->joined.push_back({coords[0], coords[1], coords[2]});
  *out = fill->joined.back().data();
}

template <typename F>
GluTessFunction Callback(F* f) {
  return reinterpret_cast<GluTessFunction>(f);
}

void Tessellate(const platform::GlyphOutline& glyph, Fill& fill) {
  std::size_t total = 0;
  for (const auto& contour : glyph.contours) total += contour.size();
  std::vector<Vertex>& points = fill.points;
  points.reserve(total);  // never reallocated: the tessellator keeps pointers into it
  GLUtesselator* tess = gluNewTess();
  if (!tess) {
    fill.failed = true;
    return;
  }
  gluTessCallback(tess, GLU_TESS_BEGIN_DATA, Callback(&OnBegin));
  gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, Callback(&OnEdgeFlag));
  gluTessCallback(tess, GLU_TESS_VERTEX_DATA, Callback(&OnVertex));
  gluTessCallback(tess, GLU_TESS_END_DATA, Callback(&OnEnd));
  gluTessCallback(tess, GLU_TESS_ERROR_DATA, Callback(&OnError));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, Callback(&OnCombine));
  // Holes run against their outer contour and overlapping pieces of a glyph
  // run with each other, so the non-zero rule fills both right.
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tess, 0.0, 0.0, 1.0);
  gluTessBeginPolygon(tess, &fill);
  for (const auto& contour : glyph.contours) {
    gluTessBeginContour(tess);
    for (const platform::OutlinePoint& p : contour) {
      points.push_back({p.x, p.y, 0.0});
      gluTessVertex(tess, points.back().data(), points.back().data());
    }
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
  if (fill.triangles.size() % 3 != 0) fill.triangles.resize(fill.triangles.size() / 3 * 3);
}

}  // namespace

int DrawExtrudedGlyph(const platform::GlyphOutline& glyph, float depth) {
  if (glyph.contours.empty()) return 0;
  Fill fill;
  Tessellate(glyph, fill);
  int sent = 0;
  const GLdouble back = -static_cast<GLdouble>(depth);

  glBegin(GL_TRIANGLES);
  for (std::size_t t = 0; t + 2 < fill.triangles.size(); t += 3) {
    const GLdouble* a = fill.triangles[t];
    const GLdouble* b = fill.triangles[t + 1];
    const GLdouble* c = fill.triangles[t + 2];
    // Counter-clockwise seen from +z, whatever order the tessellator chose.
    const double area = (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]);
    if (area < 0) std::swap(b, c);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3d(a[0], a[1], 0.0);
    glVertex3d(b[0], b[1], 0.0);
    glVertex3d(c[0], c[1], 0.0);
    glNormal3f(0.0f, 0.0f, -1.0f);
    glVertex3d(a[0], a[1], back);
    glVertex3d(c[0], c[1], back);
    glVertex3d(b[0], b[1], back);
    sent += 6;
  }
  glEnd();

  glBegin(GL_QUADS);
  for (const auto& contour : glyph.contours) {
    const std::size_t n = contour.size();
    for (std::size_t i = 0; i < n; ++i) {
      const platform::OutlinePoint p = contour[i];
      const platform::OutlinePoint q = contour[(i + 1) % n];
      const float dx = q.x - p.x, dy = q.y - p.y;
      const float length = std::sqrt(dx * dx + dy * dy);
      if (length <= 0.0f) continue;
      // The wall faces away from the filled side of its edge.
      float nx = -dy / length, ny = dx / length;  // left of the direction of travel
      if (!glyph.fillOnRight) {
        nx = -nx;
        ny = -ny;
      }
      glNormal3f(nx, ny, 0.0f);
      if (glyph.fillOnRight) {
        // p, q, q', p' winds counter-clockwise seen from the left of p->q.
        glVertex3f(p.x, p.y, 0.0f);
        glVertex3f(q.x, q.y, 0.0f);
        glVertex3f(q.x, q.y, -depth);
        glVertex3f(p.x, p.y, -depth);
      } else {
        glVertex3f(q.x, q.y, 0.0f);
        glVertex3f(p.x, p.y, 0.0f);
        glVertex3f(p.x, p.y, -depth);
        glVertex3f(q.x, q.y, -depth);
      }
      sent += 4;
    }
  }
  glEnd();
  return sent;
}

void Menu::BuildOutlineFont() {
  if (outlineBase != 0) DeleteOutlineFont();
  outlineBase = glGenLists(256);
  if (outlineBase == 0) return;
  std::unique_ptr<platform::FontFace> face = OpenGameFont();
  if (!face) return;
  platform::GlyphOutline glyph;
  for (unsigned code = 0; code < 255; ++code) {
    GlyphMetrics& m = glyphMetrics[code];
    m = GlyphMetrics();
    if (!face->LoadOutline(code, kOutlineTolerance, glyph)) continue;
    m.blackBoxX = glyph.maxX - glyph.minX;
    m.blackBoxY = glyph.maxY - glyph.minY;
    m.originX = glyph.minX;
    m.originY = glyph.maxY;
    m.cellIncX = glyph.advance;
    m.cellIncY = 0.0f;
    glNewList(outlineBase + code, GL_COMPILE);
    DrawExtrudedGlyph(glyph, kOutlineDepth);
    glTranslatef(glyph.advance, 0.0f, 0.0f);
    glEndList();
  }
}

void Menu::DeleteOutlineFont() {
  if (outlineBase != 0) glDeleteLists(outlineBase, 256);
  outlineBase = 0;
}

float Menu::OutlineTextWidth(const char* text) const {
  float width = 0.0f;
  for (const char* p = text; p && *p; ++p) width += glyphMetrics[static_cast<unsigned char>(*p)].cellIncX;
  return width;
}

void Menu::PrintOutline(const char* format, ...) {
  if (!format) return;
  char text[256];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (written < 0) return;
  glTranslatef(-OutlineTextWidth(text) / 2.0f, 0.0f, 0.0f);
  if (outlineBase == 0 || text[0] == '\0') return;
  glPushAttrib(GL_LIST_BIT);
  glListBase(outlineBase);
  glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
  glPopAttrib();
}

void Menu::SetTextMaterial(int colour) {
  const GLfloat c[3] = {colour == 1 ? 0.3f : 1.0f, 0.2f, colour == 1 ? 0.8f : 0.1f};
  const GLfloat emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  const GLfloat ambient[4] = {c[0] / 2, c[1] / 2, c[2] / 2, 1.0f};
  const GLfloat diffuse[4] = {c[0], c[1], c[2], 1.0f};
  glMaterialfv(GL_FRONT, GL_EMISSION, emission);
  glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, diffuse);
}
