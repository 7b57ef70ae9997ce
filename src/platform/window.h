// The game's window and its OpenGL context, and the events it delivers.
//
// Keys arrive as Windows virtual-key codes (arrows 37 to 40, Space 32, Enter 13,
// Escape 27, letters and digits as their upper-case ASCII codes, the
// punctuation keys as the OEM codes of a US layout, by key position), because
// the game's key table is indexed by them. Alt combinations and F10 are system
// keys and are not delivered as key events.
//
// Two keys belong to the window, never to the game: Alt+Enter (the rule below,
// the same on both backends; the size change arrives as a Resized event), and
// F12, which arrives as SaveScreenshot.
//
// Sizes are real pixels. On a screen scaled for high DPI (Windows: 144 DPI is
// 150 %) the window opens at the requested size times the scale, so that it
// looks as large as it does at 96 DPI, and draws at its real size.
#pragma once

#include <cstdint>
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
// Each failure also writes one line on stderr with the system's own reason.
enum class OpenResult {
  Ok,
  VideoUnavailable,      // no window system (the window class cannot be registered)
  WindowFailed,          // the window itself
  DeviceContextFailed,   // its device context (Windows)
  PixelFormatNotFound,   // no pixel format close to the request (Windows)
  PixelFormatNotSet,     // the chosen format is refused (Windows)
  ContextFailed,         // the OpenGL context
  MakeCurrentFailed,     // making the context current
};

// What Alt+Enter does, on both backends: a press (not an auto-repeat) of Enter
// with Alt held toggles. A window becomes a borderless full screen at the
// desktop's size (no mode change); either full screen (that one, or the one
// the options page asked for at start, which changes the display's mode)
// becomes a window of the requested size, the desktop's mode restored. The
// settings are not touched; IsFullScreen() answers for the screen as it is now.
enum class ScreenMode { Window, DisplayMode, Desktop };
inline bool IsFullScreenToggle(int vk, bool alt, bool repeat) { return vk == 13 && alt && !repeat; }
inline ScreenMode AfterFullScreenToggle(ScreenMode now) {
  return now == ScreenMode::Window ? ScreenMode::Desktop : ScreenMode::Window;
}

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

// Each Window owns its system window, its context and its events: closing or
// destroying one that was never opened leaves any other alone.
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
  // What Alt+Enter does (AfterFullScreenToggle above).
  void ToggleFullScreen();
  // True while the mouse cursor is hidden, as it is in full screen.
  bool CursorHidden() const;

 private:
  void* window_ = nullptr;   // SDL_Window*, HWND
  void* context_ = nullptr;  // SDL_GLContext, HGLRC
  [[maybe_unused]] void* native_ = nullptr;  // the backend's own state of this window (Windows)
  bool fullScreen_ = false;
};

// Puts a key event into the window system's queue (of the window opened last),
// to be taken by PollEvent through the same translation as a real key. For
// tests and the replay tool.
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

// Tests: the next Open fails at this step, through the step's real system
// call given an unusable argument (so that the system's own reason is reported).
void BreakOpenStepForTests(OpenResult step);

// Tests of the Windows backend: controllers are read from this function
// instead of XInput. It fills pad 0 to 3 in XInput's own layout (XINPUT_STATE:
// buttons are XInput's bits, the stick's y grows upwards) and returns 0, or
// returns nonzero for a pad that is not connected. nullptr: XInput again.
struct ControllerReading {
  std::uint32_t packet = 0;
  std::uint16_t buttons = 0;
  std::uint8_t leftTrigger = 0, rightTrigger = 0;
  std::int16_t leftX = 0, leftY = 0, rightX = 0, rightY = 0;
};
using ControllerReader = std::uint32_t (*)(std::uint32_t pad, ControllerReading* reading);
void SetControllerReaderForTests(ControllerReader reader);
// Tests: sends the window the system's message that its screen's DPI changed,
// with the rectangle the system suggests (Windows' WM_DPICHANGED; nothing elsewhere).
void PushDpiChange(int dpi, int left, int top, int right, int bottom);

}  // namespace platform

namespace platform {
// Releases the window system at the very end of the program.
void ShutdownVideo();
}  // namespace platform
