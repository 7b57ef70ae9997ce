// Views and pixel probes shared by the drawing tests: an orthographic box, the
// whole framebuffer read back, and world points followed onto the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gl.h"
#include "support/test_support.h"

namespace test {

// An orthographic projection onto the given box, with the modelview reset.
inline void Ortho(double left, double right, double bottom, double top, double nearZ = -10, double farZ = 10) {
  glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(left, right, bottom, top, nearZ, farZ);
  glMatrixMode(GL_MODELVIEW), glLoadIdentity();
}

// The matrices current when it is made, for following world points onto the
// 640 x 480 screen.
struct Projection {
  Projection() {
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview), glGetDoublev(GL_PROJECTION_MATRIX, projection);
  }
  // The colour of the pixel the point lands on; false when it lands off screen.
  bool ColourAt(double x, double y, double z, std::uint8_t rgb[3]) const {
    double sx, sy, sz;
    if (gluProject(x, y, z, modelview, projection, viewport, &sx, &sy, &sz) != GL_TRUE || sx < 0 || sy < 0 ||
        sx >= viewport[2] || sy >= viewport[3])
      return false;
    ReadPixel(static_cast<int>(sx), static_cast<int>(sy), rgb);
    return true;
  }
  GLdouble modelview[16], projection[16];
  GLint viewport[4] = {0, 0, 640, 480};
};

}  // namespace test
