// The game's window and its OpenGL context, and the events it delivers.
//
// Keys arrive as Windows virtual-key codes (arrows 37 to 40, Space 32, Enter 13,
// Escape 27, letters and digits as their upper-case ASCII codes, the
// punctuation keys as the OEM codes of a US layout, by key position), because
// the game's key table is indexed by them. Alt combinations and F10 are system
// keys and are not delivered as key events.
//
// Two keys belong to the window, never to the game: Alt+Enter switches between
// the window and a borderless full screen at the desktop's size (the size
// change arrives as a Resized event), and F12 arrives as SaveScreenshot.
#pragma once

#include <string>

namespace platform {

enum class EventType { KeyDown, KeyUp, Minimized, Restored, Resized, CloseRequested, SaveScreenshot };

struct Event {
  EventType type = EventType::KeyDown;
  int vk = 0;          // KeyDown, KeyUp
  bool repeat = false; // KeyDown: produced by the keyboard's auto-repeat
  int width = 0;       // Resized
  int height = 0;      // Resized
};

// Which step of opening the window failed, so that the caller can word it.
enum class OpenResult { Ok, VideoUnavailable, WindowFailed, ContextFailed, MakeCurrentFailed };

struct WindowRequest {
  std::string title;
  int width = 640;
  int height = 480;
  bool fullScreen = false;
  bool hidden = false;  // tools and tests: draw without showing a window
};

// True when the display can switch to exactly width x height in full screen.
// GLUMBO_REFUSE_FULLSCREEN=1 in the environment makes every mode refused.
bool FullScreenModeAvailable(int width, int height);

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();

  OpenResult Open(const WindowRequest& request);
  void Close();
  bool IsOpen() const { return window_ != nullptr; }

  void SwapBuffers();
  // Takes one waiting event without blocking; false when none is waiting.
  bool PollEvent(Event& event);
  void DrawableSize(int& width, int& height) const;
  bool IsFullScreen() const { return fullScreen_; }
  // What Alt+Enter does: a borderless full screen at the desktop's size, or
  // back to the window as it was. The settings are not touched.
  void ToggleFullScreen();
  // True while the mouse cursor is hidden, as it is in full screen.
  bool CursorHidden() const;

 private:
  void* window_ = nullptr;   // SDL_Window*
  void* context_ = nullptr;  // SDL_GLContext
  bool fullScreen_ = false;
};

// Puts a key event into the window system's queue, to be taken by PollEvent
// through the same translation as a real key. For tests and the replay tool.
void PushKeyEvent(int vk, bool down, bool repeat = false, bool alt = false);
// Controller input through the same path: button codes and axis numbers are
// SDL's game-controller ones (ControllerButton / ControllerAxis below).
void PushControllerButton(int button, bool down);
void PushControllerAxis(int axis, int value);
namespace ControllerButton {
constexpr int South = 0, Start = 6, DpadUp = 11, DpadDown = 12, DpadLeft = 13, DpadRight = 14;
}
namespace ControllerAxis {
constexpr int LeftX = 0, LeftY = 1;
}
// Puts a window event into the queue the same way.
void PushWindowEvent(EventType type, int width = 0, int height = 0);

}  // namespace platform

namespace platform {
// Releases the window system at the very end of the program.
void ShutdownVideo();
}  // namespace platform
