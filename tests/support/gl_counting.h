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
#include <vector>

namespace test {

struct RecordedVertex {
  float x, y, z;     // as passed to glVertex*
  float nx, ny, nz;  // current normal when it was sent
  float s, t;        // current texture coordinate when it was sent
  int primitive;     // index into GlRecording::primitives, -1 outside glBegin/glEnd
};

struct RecordedPrimitive {
  unsigned mode;      // GL_QUADS, GL_QUAD_STRIP, ...
  std::size_t first;  // index of its first vertex in GlRecording::vertices
  std::size_t count;
  // The state the primitive was drawn in, read at its glBegin.
  bool textured, lit, blended, depthWrites, culled;
  unsigned texture;  // bound 2-D texture
  float colour[4];   // current colour
};

// One glMaterialfv call; beforeVertex is the number of vertices sent before it.
struct RecordedMaterial {
  unsigned face, pname;
  float value[4];
  std::size_t beforeVertex;
};

struct GlRecording {
  std::vector<RecordedVertex> vertices;
  std::vector<RecordedPrimitive> primitives;
  std::vector<RecordedMaterial> materials;
  // The value of pname (GL_DIFFUSE, GL_EMISSION, ...) last set before vertex
  // `vertex` was sent; false when none was set during the recording.
  bool MaterialAt(std::size_t vertex, unsigned pname, float out[4]) const;
  // Vertices of every primitive whose mode is `mode`.
  std::size_t CountInMode(unsigned mode) const;
};

// Forgets what was counted so far and starts keeping every vertex (recording
// off: only the running count is kept, which costs next to nothing).
void StartGlRecording(bool keepVertices = true);
// Stops keeping vertices; the count goes on.
void StopGlRecording();
const GlRecording& GlRecorded();

// What `draw()` sends, recorded.
template <typename Draw>
const GlRecording& Record(Draw&& draw) {
  StartGlRecording();
  draw();
  StopGlRecording();
  return GlRecorded();
}

// Vertices sent since the last reset, counted whether or not recording is on.
std::size_t GlVertexCount();
void ResetGlVertexCount();

}  // namespace test
