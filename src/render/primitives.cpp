#include "render/primitives.h"

#include <cmath>
#include <cstdlib>

#include "platform/gl.h"

namespace {

// The game's angles are written with this value of pi throughout, so the
// sectors meet the wall blocks exactly where the level geometry expects.
constexpr float kPi = 3.141592f;

constexpr float kSectorRadius = 0.15f;
constexpr float kSectorHeight = 1.5f;
constexpr int kSectorSegments = 4;

}  // namespace

void DrawPartialSphere(double radius, int detail, int stripMode, double theta1, double theta2,
                       double phi1, double phi2) {
  radius = std::fabs(radius);
  detail = std::abs(detail);
  if (detail < 4 || !(radius > 0.0)) {
    glBegin(GL_POINTS);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glEnd();
    return;
  }
  const int bands = detail / 2;
  const GLenum strip = stripMode == 0 ? GL_QUAD_STRIP : GL_TRIANGLE_STRIP;
  for (int j = 0; j < bands; ++j) {
    const double lower = phi1 + (phi2 - phi1) * j / bands;
    const double upper = phi1 + (phi2 - phi1) * (j + 1) / bands;
    glBegin(strip);
    for (int i = 0; i <= detail; ++i) {
      const double lon = theta1 + (theta2 - theta1) * i / detail;
      const double lats[2] = {lower, upper};
      for (const double lat : lats) {
        const float ex = static_cast<float>(std::cos(lat) * std::cos(lon));
        const float ey = static_cast<float>(std::sin(lat));
        const float ez = static_cast<float>(std::cos(lat) * std::sin(lon));
        glNormal3f(ex, ey, ez);
        glVertex3f(static_cast<float>(ex * radius), static_cast<float>(ey * radius),
                   static_cast<float>(ez * radius));
      }
    }
    glEnd();
  }
}

void DrawCylinderSector(float startDegrees, float sweepDegrees) {
  const float start = startDegrees * kPi / 180.0f;
  const float sweep = sweepDegrees * kPi / 180.0f;
  const float step = sweep / kSectorSegments;

  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i <= kSectorSegments; ++i) {
    const float a = start + i * step;
    const float x = kSectorRadius * std::cos(a);
    const float z = kSectorRadius * std::sin(a);
    float nx = x, ny = 0.0f, nz = z;
    NormalizeVector(&nx, &ny, &nz);
    glNormal3f(nx, ny, nz);
    const float s = static_cast<float>(i) / kSectorSegments;
    glTexCoord2f(s, 0.0f);
    glVertex3f(x, 0.0f, z);
    glTexCoord2f(s, 1.0f);
    glVertex3f(x, kSectorHeight, z);
  }
  glEnd();

  // The cap runs the rim backwards so that it faces up, the side's order
  // being counter-clockwise only when seen from outside.
  glBegin(GL_TRIANGLE_FAN);
  glNormal3f(0.0f, 1.0f, 0.0f);
  glTexCoord2f(0.5f, 0.5f);
  glVertex3f(0.0f, kSectorHeight, 0.0f);
  for (int i = kSectorSegments; i >= 0; --i) {
    const float a = start + i * step;
    glTexCoord2f(0.5f + 2.0f * kSectorRadius * std::cos(a), 0.5f + 2.0f * kSectorRadius * std::sin(a));
    glVertex3f(kSectorRadius * std::cos(a), kSectorHeight, kSectorRadius * std::sin(a));
  }
  glEnd();
}

float VectorLength(const float* v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void NormalizeVector(float* x, float* y, float* z) {
  const float v[3] = {*x, *y, *z};
  const float length = VectorLength(v);
  if (!(length > 0.0f)) return;
  *x /= length;
  *y /= length;
  *z /= length;
}
