// The ghost's model: a dome on a short skirt whose hem ends in eight teeth,
// with two half-sphere eyes looking along +x. Compiled once per ghost into a
// display list; the body material is set at each draw so that an eaten ghost
// can go dark without a rebuild.
#include <cmath>

#include "actors/ghost.h"
#include "platform/gl.h"
#include "render/primitives.h"

namespace {

constexpr float kSegment = 6.283184f / 32.0f;  // one of the skirt's 32 columns

float ModelScale(int id) { return id >= kLargeModelId ? 1.5f : 0.5f; }

void SetFrontMaterial(const float ambient[4], const float diffuse[4], const float specular[4]) {
  const float noEmission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT, GL_EMISSION, noEmission);
  glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
}

void DrawDome() { DrawPartialSphere(1.0, 32, 0, 0.0, 6.283184, 0.0, 1.570796); }

void DrawSkirt() {
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i <= 32; ++i) {
    const float a = i * kSegment;
    const float c = std::cos(a), s = std::sin(a);
    glNormal3f(c, 0.0f, s);
    glVertex3f(c, -1.3f, s);
    glVertex3f(c, 0.0f, s);
  }
  glEnd();
}

// Teeth two columns wide with their tips in the middle, and gaps of two
// columns between them. The angle runs clockwise seen from above.
void DrawHem() {
  auto point = [](int j, float h) {
    const float x = std::cos(-j * kSegment), z = std::sin(-j * kSegment);
    glNormal3f(x, h, z);
    glVertex3f(x, h, z);
  };
  glBegin(GL_TRIANGLES);
  for (int k = 0; k < 8; ++k) {
    const int i = 4 * k;
    point(i, -1.3f);
    point(i + 1, -1.7f);
    point(i + 1, -1.3f);
    point(i + 1, -1.3f);
    point(i + 1, -1.7f);
    point(i + 2, -1.3f);
  }
  glEnd();
}

void DrawEyes() {
  const float ambient[4] = {0.45f, 0.45f, 0.45f, 1.0f};
  const float white[4] = {0.9f, 0.9f, 0.9f, 1.0f};
  SetFrontMaterial(ambient, white, white);
  const float angles[2] = {2.0f * kSegment, 30.0f * kSegment};  // 22.5 and 337.5 degrees
  for (const float angle : angles) {
    glPushMatrix();
    glTranslatef(0.95f * std::cos(angle), 0.0f, 0.95f * std::sin(angle));
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    // The half sphere on the -x side, which the turn brings round to face out.
    DrawPartialSphere(0.15, 16, 0, 1.570796, 6.283184 - 1.570796, -1.570796, 1.570796);
    glPopMatrix();
  }
}

void DrawModel(int id) {
  glPushMatrix();
  const float scale = ModelScale(id);
  glScalef(scale, scale, scale);
  DrawDome();
  DrawSkirt();
  DrawHem();
  DrawEyes();
  glPopMatrix();
}

}  // namespace

void Ghost::BuildDisplayList() {
  const GLuint name = glGenLists(1);
  // Without a list name the ghost is simply drawn in immediate mode.
  if (name == 0) return;
  if (displayList != 0) glDeleteLists(displayList, 1);
  glNewList(name, GL_COMPILE);
  DrawModel(id);
  glEndList();
  displayList = name;
}

void Ghost::Draw() {
  if (eaten) {
    const float ambient[4] = {0.035f, 0.035f, 0.035f, 1.0f};
    const float grey[4] = {0.07f, 0.07f, 0.07f, 1.0f};
    SetFrontMaterial(ambient, grey, grey);
  } else {
    const float ambient[4] = {red / 2.0f, green / 2.0f, blue / 2.0f, 1.0f};
    const float colour[4] = {red, green, blue, 1.0f};
    SetFrontMaterial(ambient, colour, colour);
  }
  glPushMatrix();
  glTranslatef(x, y, z);
  glRotatef(heading, 0.0f, 1.0f, 0.0f);
  if (displayList != 0)
    glCallList(displayList);
  else
    DrawModel(id);
  glPopMatrix();
}
