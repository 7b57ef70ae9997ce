// Textures: one OpenGL texture per picture file.
#include "world/texture.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/gl.h"
#include "platform/message_box.h"
#include "world/bmp_image.h"

namespace {

FatalExitHook& ExitHook() {
  static FatalExitHook hook;
  return hook;
}

}  // namespace

Texture::~Texture() { Release(); }

void Texture::Release() {
  if (name != 0) {
    const GLuint id = name - 1;
    glDeleteTextures(1, &id);
    name = 0;
  }
}

bool Texture::Create() {
  Release();
  GLuint id = 0;
  glGenTextures(1, &id);
  name = id + 1;
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  return true;
}

void Texture::Bind() { glBindTexture(GL_TEXTURE_2D, name - 1); }

bool Texture::LoadImageFile(const std::string& fileName) {
  // Only an existence test: a missing file is the caller's to report.
  if (std::FILE* f = std::fopen(fileName.c_str(), "r")) {
    std::fclose(f);
  } else {
    return false;
  }
  Create();
  std::unique_ptr<Image> image = LoadDIBImage(fileName);
  if (!image) return false;
  width = image->width;
  height = image->height;
  // Picture rows are packed: with the default alignment of 4 every width whose
  // row is not a multiple of 4 bytes would come out skewed. The old alignment is
  // put back for whoever draws bitmaps after us.
  GLint oldAlignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, image->pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
  return true;
}

bool LoadRequiredTexture(Texture& texture, const std::string& fileName, const std::string& message) {
  if (texture.LoadImageFile(fileName)) return true;
  platform::ShowMessageBox(message, "FATAL ERROR", platform::BoxButtons::Ok, platform::BoxIcon::None);
  if (ExitHook()) {
    ExitHook()(0);
    return false;
  }
  std::exit(0);
}

FatalExitHook SetFatalExitHook(FatalExitHook hook) { return std::exchange(ExitHook(), std::move(hook)); }
