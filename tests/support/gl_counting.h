// Counts and records the vertices the game sends to OpenGL, for tests and the
// drawing benchmark. The counting layer sits in front of the GL library's
// immediate-mode entry points (glBegin, glEnd, glVertex*, glNormal3f,
// glTexCoord2f) and of glMaterialfv: every call is recorded and then passed
// on unchanged, so the picture is still drawn. What is counted is what the
// code sends, before any clipping or culling.
//
// The layer is linked into an executable as soon as it uses one of the
// functions below.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace test {

// Position, then the current normal and texture coordinate; the primitive's
// index in GlRecording::primitives, -1 outside glBegin/glEnd.
struct RecordedVertex { float x, y, z, nx, ny, nz, s, t; int primitive; };

// A glBegin/glEnd block and the state it was drawn in, read at its glBegin.
struct RecordedPrimitive {
  unsigned mode;
  std::size_t first, count;  // its vertices in GlRecording::vertices
  bool textured, lit, blended, depthWrites, culled;
  unsigned texture;  // bound 2-D texture
  float colour[4];
};

// One glMaterialfv call, after `beforeVertex` vertices were sent.
struct RecordedMaterial { unsigned pname; float value[4]; std::size_t beforeVertex; };

struct GlRecording {
  std::vector<RecordedVertex> vertices;
  std::vector<RecordedPrimitive> primitives;
  std::vector<RecordedMaterial> materials;
  // The value of pname last set before `vertex` was sent; false when none was.
  bool MaterialAt(std::size_t vertex, unsigned pname, float out[4]) const;
  // Vertices of every primitive drawn in `mode`.
  std::size_t CountInMode(unsigned mode) const;
};

// What `draw()` sends, recorded. Outside it only the running count is kept,
// which costs next to nothing.
const GlRecording& Record(const std::function<void()>& draw);

// Vertices sent since the last reset, counted whether or not recording is on.
std::size_t GlVertexCount();
void ResetGlVertexCount();

}  // namespace test
