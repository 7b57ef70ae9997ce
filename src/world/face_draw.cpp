#include "world/face_draw.h"

#include "platform/gl.h"
#include "world/texture.h"

namespace maze_draw {

namespace {

void Send(const Corner& c) {
  glTexCoord2f(c.s, c.t);
  glVertex3f(c.x, c.y, c.z);
}

}  // namespace

void Face(float nx, float ny, float nz, const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
  // (b - a) x (c - b) points along the normal when a, b, c turn counter-clockwise.
  const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
  const float vx = c.x - b.x, vy = c.y - b.y, vz = c.z - b.z;
  const float cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
  glNormal3f(nx, ny, nz);
  Send(a);
  if (cx * nx + cy * ny + cz * nz >= 0.0f) {
    Send(b);
    Send(c);
    Send(d);
  } else {
    Send(d);
    Send(c);
    Send(b);
  }
}

void FaceX(float px, int normalSign, float z0, float z1, float s0, float s1, float y0, float y1, float t0,
           float t1) {
  Face(normalSign > 0 ? 1.0f : -1.0f, 0.0f, 0.0f, {px, y0, z0, s0, t0}, {px, y0, z1, s1, t0},
       {px, y1, z1, s1, t1}, {px, y1, z0, s0, t1});
}

void FaceZ(float pz, int normalSign, float x0, float x1, float s0, float s1, float y0, float y1, float t0,
           float t1) {
  Face(0.0f, 0.0f, normalSign > 0 ? 1.0f : -1.0f, {x0, y0, pz, s0, t0}, {x1, y0, pz, s1, t0},
       {x1, y1, pz, s1, t1}, {x0, y1, pz, s0, t1});
}

void FaceY(float py, int normalSign, float x0, float x1, float z0, float z1, TexCoord at00, TexCoord at10,
           TexCoord at11, TexCoord at01) {
  Face(0.0f, normalSign > 0 ? 1.0f : -1.0f, 0.0f, {x0, py, z0, at00.s, at00.t}, {x1, py, z0, at10.s, at10.t},
       {x1, py, z1, at11.s, at11.t}, {x0, py, z1, at01.s, at01.t});
}

void SetMaterial(Material material) {
  float r = 0, g = 0, b = 0;
  switch (material) {
    case Material::Blue: r = 0.2f, g = 0.2f, b = 1.0f; break;
    case Material::Green: r = 0.2f, g = 0.8f, b = 0.2f; break;
    case Material::Red: r = 1.0f, g = 0.0f, b = 0.0f; break;
    case Material::Orange: r = 0.9f, g = 0.6f, b = 0.0f; break;
  }
  const float colour[4] = {r, g, b, 1.0f};
  const float ambient[4] = {r / 7.0f, g / 7.0f, b / 7.0f, 1.0f};
  glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
  glMaterialfv(GL_FRONT, GL_SPECULAR, colour);
}

void BindTexture(Texture* texture) {
  if (texture && texture->name != 0)
    texture->Bind();
  else
    glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace maze_draw
