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
  float normal[3] = {0.0f, 0.0f, 1.0f}, tex[2] = {0.0f, 0.0f};
  GlRecording recording;
};

State& S() {
  static State state;
  return state;
}

// The GL library's own entry point of the same name.
void* Next(const char* name) {
  void* symbol = dlsym(RTLD_NEXT, name);
  if (!symbol) {
    std::fprintf(stderr, "gl_counting: %s not found in the GL library\n", name);
    std::abort();
  }
  return symbol;
}

void NoteVertex(float x, float y, float z) {
  State& s = S();
  ++s.count;
  if (!s.keep) return;
  s.recording.vertices.push_back({x, y, z, s.normal[0], s.normal[1], s.normal[2], s.tex[0], s.tex[1], s.open});
  if (s.open >= 0) ++s.recording.primitives[static_cast<std::size_t>(s.open)].count;
}

}  // namespace

std::size_t GlRecording::CountInMode(unsigned mode) const {
  std::size_t n = 0;
  for (const RecordedPrimitive& p : primitives) n += p.mode == mode ? p.count : 0;
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
  S() = State{};
  S().keep = keepVertices;
}
void StopGlRecording() { S().keep = false; }
const GlRecording& GlRecorded() { return S().recording; }
std::size_t GlVertexCount() { return S().count; }
void ResetGlVertexCount() { S().count = 0; }

}  // namespace test

// Each wrapper looks up the library's function of its own name once and hands
// the call on after noting it.
#define GL_NEXT(name, ...) static const auto next = reinterpret_cast<void (*)(__VA_ARGS__)>(test::Next(#name))

extern "C" {

void glBegin(GLenum mode) {
  GL_NEXT(glBegin, GLenum);
  test::State& s = test::S();
  if (s.keep) {
    GLboolean mask = GL_TRUE;
    GLint bound = 0;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    auto on = [](GLenum cap) { return glIsEnabled(cap) == GL_TRUE; };
    s.recording.primitives.push_back({mode, s.recording.vertices.size(), 0, on(GL_TEXTURE_2D), on(GL_LIGHTING),
                                      on(GL_BLEND), mask == GL_TRUE, on(GL_CULL_FACE), static_cast<unsigned>(bound), {}});
    glGetFloatv(GL_CURRENT_COLOR, s.recording.primitives.back().colour);
    s.open = static_cast<int>(s.recording.primitives.size()) - 1;
  }
  next(mode);
}

void glEnd() {
  GL_NEXT(glEnd, void);
  test::S().open = -1;
  next();
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  GL_NEXT(glNormal3f, GLfloat, GLfloat, GLfloat);
  float* n = test::S().normal;
  n[0] = x, n[1] = y, n[2] = z;
  next(x, y, z);
}

void glTexCoord2f(GLfloat u, GLfloat v) {
  GL_NEXT(glTexCoord2f, GLfloat, GLfloat);
  test::S().tex[0] = u, test::S().tex[1] = v;
  next(u, v);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  GL_NEXT(glMaterialfv, GLenum, GLenum, const GLfloat*);
  test::State& s = test::S();
  if (s.keep) {
    test::RecordedMaterial m{pname, {0, 0, 0, 0}, s.recording.vertices.size()};
    for (int i = 0; i < (pname == GL_SHININESS ? 1 : 4); ++i) m.value[i] = params[i];
    s.recording.materials.push_back(m);
  }
  next(face, pname, params);
}

// The vertex calls: noted as floats, then handed on.
#define GL_VERTEX(name, params, args, x, y, z)                                   \
  void name params {                                                            \
    static const auto next = reinterpret_cast<void(*) params>(test::Next(#name)); \
    test::NoteVertex(x, y, z), next args;                                       \
  }
GL_VERTEX(glVertex2f, (GLfloat x, GLfloat y), (x, y), x, y, 0.0f)
GL_VERTEX(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), x, y, z)
GL_VERTEX(glVertex3fv, (const GLfloat* v), (v), v[0], v[1], v[2])
GL_VERTEX(glVertex3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), static_cast<float>(x), static_cast<float>(y),
          static_cast<float>(z))

}  // extern "C"
