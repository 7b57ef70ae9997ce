#include "gl_counting.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "platform/gl.h"

namespace test {
namespace {

struct State {
  bool keep = false;
  std::size_t count = 0;
  int open = -1;  // primitive being sent, -1 when outside glBegin/glEnd
  std::array<float, 3> normal = {0.0f, 0.0f, 1.0f};
  std::array<float, 2> tex = {0.0f, 0.0f};
  GlRecording recording;
};

State& S() { static State state; return state; }

// The GL library's own entry point of the same name.
void* Next(const char* name) {
  if (void* symbol = dlsym(RTLD_NEXT, name)) return symbol;
  std::fprintf(stderr, "gl_counting: %s not found in the GL library\n", name);
  std::abort();
}

void NoteVertex(float x, float y, float z) {
  State& s = S();
  if (++s.count; !s.keep) return;
  s.recording.vertices.push_back({x, y, z, s.normal[0], s.normal[1], s.normal[2], s.tex[0], s.tex[1], s.open});
  if (s.open >= 0) ++s.recording.primitives[static_cast<std::size_t>(s.open)].count;
}

// The primitive opened, with the state it is drawn in.
void NoteBegin(GLenum mode) {
  State& s = S();
  if (!s.keep) return;
  GLboolean mask = GL_TRUE;
  GLint bound = 0;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &mask), glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  auto on = [](GLenum cap) { return glIsEnabled(cap) == GL_TRUE; };
  s.recording.primitives.push_back({mode, s.recording.vertices.size(), 0, on(GL_TEXTURE_2D), on(GL_LIGHTING),
                                    on(GL_BLEND), mask == GL_TRUE, on(GL_CULL_FACE), static_cast<unsigned>(bound), {}});
  glGetFloatv(GL_CURRENT_COLOR, s.recording.primitives.back().colour);
  s.open = static_cast<int>(s.recording.primitives.size()) - 1;
}

void NoteMaterial(GLenum pname, const GLfloat* params) {
  State& s = S();
  if (!s.keep) return;
  auto& m = s.recording.materials.emplace_back(RecordedMaterial{pname, {}, s.recording.vertices.size()});
  for (int i = 0; i < (pname == GL_SHININESS ? 1 : 4); ++i) m.value[i] = params[i];
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
    if (m.pname == pname) std::copy(m.value, m.value + 4, out), found = true;
  }
  return found;
}

const GlRecording& Record(const std::function<void()>& draw) {
  S() = State{}, S().keep = true;
  draw();
  S().keep = false;
  return S().recording;
}
std::size_t GlVertexCount() { return S().count; }
void ResetGlVertexCount() { S().count = 0; }

}  // namespace test

// Each wrapper looks up the library's function of its own name once and hands
// the call on after noting it.
#define GL_WRAP(name, params, args, note)                                         \
  void name params {                                                            \
    static const auto next = reinterpret_cast<void(*) params>(test::Next(#name)); \
    note;                                                                       \
    next args;                                                                  \
  }

extern "C" {

GL_WRAP(glBegin, (GLenum mode), (mode), test::NoteBegin(mode))
GL_WRAP(glEnd, (), (), test::S().open = -1)
GL_WRAP(glNormal3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), (test::S().normal = {x, y, z}))
GL_WRAP(glTexCoord2f, (GLfloat u, GLfloat v), (u, v), (test::S().tex = {u, v}))
GL_WRAP(glMaterialfv, (GLenum face, GLenum pname, const GLfloat* params), (face, pname, params),
        test::NoteMaterial(pname, params))
GL_WRAP(glVertex2f, (GLfloat x, GLfloat y), (x, y), test::NoteVertex(x, y, 0.0f))
GL_WRAP(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), test::NoteVertex(x, y, z))
GL_WRAP(glVertex3fv, (const GLfloat* v), (v), test::NoteVertex(v[0], v[1], v[2]))
GL_WRAP(glVertex3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z),
        test::NoteVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)))

}  // extern "C"
