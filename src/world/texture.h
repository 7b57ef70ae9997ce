// One picture as an OpenGL texture, and the rule for pictures the game cannot do without.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Owns its OpenGL texture (2-D, RGB, one level, linear filters, repeat, modulate).
// Every operation needs a current OpenGL context.
class Texture {
 public:
  Texture() = default;
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Deletes the OpenGL texture, if any; name becomes 0.
  void Release();
  // Release, then a fresh OpenGL texture, bound, with linear filters. Always true.
  bool Create();
  // Binds the texture as the current 2-D texture; only for loaded textures.
  void Bind();
  // False, with nothing changed and nothing shown, when the file does not exist.
  // False after the picture loader's own "Error" box when it cannot be decoded.
  // Otherwise the picture becomes the texture's only level.
  bool LoadImageFile(const std::string& fileName);

  std::uint32_t name = 0;  // OpenGL texture name + 1; 0: no texture
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// For textures the game cannot run without: loads fileName into texture; when that
// fails, shows message in a box with the caption "FATAL ERROR" and ends the process
// with status 0 at once (the game's shutdown does not run).
// Returns true when loaded. Returns false only if an installed exit hook returned
// instead of ending the process; the caller then gives up what it was doing.
bool LoadRequiredTexture(Texture& texture, const std::string& fileName, const std::string& message);

// Replaces the process exit of LoadRequiredTexture (tests). An empty function
// restores the real exit. Returns the previous hook.
using FatalExitHook = std::function<void(int status)>;
FatalExitHook SetFatalExitHook(FatalExitHook hook);
