#include "gl_counting.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "platform/gl.h"

namespace test {
namespace {

struct State {
  bool keep = false;
  std::size_t count = 0;
  int open = -1;  // primitive being sent, -1 when outside glBegin/glEnd
  float normal[3] = {0.0f, 0.0f, 1.0f};
  float tex[2] = {0.0f, 0.0f};
  GlRecording recording;
};

State& S() {
  static State state;
  return state;
}

// The GL library's own entry point of the same name, found once.
template <typename Fn>
Fn Next(const char* name) {
  void* symbol = dlsym(RTLD_NEXT, name);
  if (!symbol) {
    std::fprintf(stderr, "gl_counting: %s not found in the GL library\n", name);
    std::abort();
  }
  return reinterpret_cast<Fn>(symbol);
}

void Record(float x, float y, float z) {
  State& s = S();
  ++s.count;
  if (!s.keep) return;
  s.recording.vertices.push_back(
      {x, y, z, s.normal[0], s.normal[1], s.normal[2], s.tex[0], s.tex[1], s.open});
  if (s.open >= 0) ++s.recording.primitives[static_cast<std::size_t>(s.open)].count;
}

}  // namespace

std::size_t GlRecording::CountInMode(unsigned mode) const {
  std::size_t n = 0;
  for (const RecordedPrimitive& p : primitives)
    if (p.mode == mode) n += p.count;
  return n;
}

bool GlRecording::MaterialAt(std::size_t vertex, unsigned pname, float out[4]) const {
  bool found = false;
  for (const RecordedMaterial& m : materials) {
    if (m.beforeVertex > vertex) break;
    if (m.pname != pname) continue;
    for (int i = 0; i < 4; ++i) out[i] = m.value[i];
    found = true;
  }
  return found;
}

void StartGlRecording(bool keepVertices) {
  State& s = S();
  s.recording = GlRecording{};
  s.count = 0;
  s.open = -1;
  s.keep = keepVertices;
}

void StopGlRecording() { S().keep = false; }
const GlRecording& GlRecorded() { return S().recording; }
std::size_t GlVertexCount() { return S().count; }
void ResetGlVertexCount() { S().count = 0; }

}  // namespace test

extern "C" {

void glBegin(GLenum mode) {
  using test::RecordedPrimitive;
  static const auto next = test::Next<void (*)(GLenum)>("glBegin");
  test::State& s = test::S();
  if (s.keep) {
    RecordedPrimitive p{};
    p.mode = mode;
    p.first = s.recording.vertices.size();
    p.textured = glIsEnabled(GL_TEXTURE_2D);
    p.lit = glIsEnabled(GL_LIGHTING);
    p.blended = glIsEnabled(GL_BLEND);
    p.culled = glIsEnabled(GL_CULL_FACE);
    GLboolean mask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    p.depthWrites = mask == GL_TRUE;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    p.texture = static_cast<unsigned>(bound);
    glGetFloatv(GL_CURRENT_COLOR, p.colour);
    s.recording.primitives.push_back(p);
    s.open = static_cast<int>(s.recording.primitives.size()) - 1;
  }
  next(mode);
}

void glEnd() {
  static const auto next = test::Next<void (*)()>("glEnd");
  test::S().open = -1;
  next();
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  static const auto next = test::Next<void (*)(GLfloat, GLfloat, GLfloat)>("glNormal3f");
  test::State& s = test::S();
  s.normal[0] = x;
  s.normal[1] = y;
  s.normal[2] = z;
  next(x, y, z);
}

void glTexCoord2f(GLfloat u, GLfloat v) {
  static const auto next = test::Next<void (*)(GLfloat, GLfloat)>("glTexCoord2f");
  test::State& s = test::S();
  s.tex[0] = u;
  s.tex[1] = v;
  next(u, v);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  static const auto next = test::Next<void (*)(GLenum, GLenum, const GLfloat*)>("glMaterialfv");
  test::State& s = test::S();
  if (s.keep) {
    test::RecordedMaterial m{face, pname, {0, 0, 0, 0}, s.recording.vertices.size()};
    const int n = pname == GL_SHININESS ? 1 : 4;
    for (int i = 0; i < n; ++i) m.value[i] = params[i];
    s.recording.materials.push_back(m);
  }
  next(face, pname, params);
}

void glVertex2f(GLfloat x, GLfloat y) {
  static const auto next = test::Next<void (*)(GLfloat, GLfloat)>("glVertex2f");
  test::Record(x, y, 0.0f);
  next(x, y);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  static const auto next = test::Next<void (*)(GLfloat, GLfloat, GLfloat)>("glVertex3f");
  test::Record(x, y, z);
  next(x, y, z);
}

void glVertex3fv(const GLfloat* v) {
  static const auto next = test::Next<void (*)(const GLfloat*)>("glVertex3fv");
  test::Record(v[0], v[1], v[2]);
  next(v);
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  static const auto next = test::Next<void (*)(GLdouble, GLdouble, GLdouble)>("glVertex3d");
  test::Record(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  next(x, y, z);
}

}  // extern "C"
