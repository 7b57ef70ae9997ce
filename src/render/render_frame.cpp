#include "render/render_frame.h"

#include "platform/gl.h"

void RenderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
