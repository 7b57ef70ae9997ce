// The game's single window with its OpenGL context.
#pragma once

#include <memory>
#include <string>

#include "platform/window.h"

class GameWindow {
 public:
  GameWindow() = default;
  virtual ~GameWindow() = default;

  bool CreateGameWindow(const std::string& title, int width, int height, int bitsPerPixel, bool fullScreenRequest);
  void DestroyGameWindow();
  void ResizeView(int width, int height);
  bool InitGLState();
  // The drawing surface: swaps buffers, and is what the font builders need.
  platform::Window* GetDeviceContext() { return window_.get(); }

  bool fullScreen = false;
  // Tools and tests open the window hidden.
  static bool openHidden;

 private:
  std::unique_ptr<platform::Window> window_;
};

extern GameWindow* gameWindow;
