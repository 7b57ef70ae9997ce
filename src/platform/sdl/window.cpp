#include "platform/window.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "platform/controller_keys.h"

namespace platform {
namespace {

constexpr int kVkF1 = 112, kVkF13 = 124;

// Keys by their position on the keyboard, with the code Windows gives each on a
// US layout, so that the punctuation keys and the extra keys of national
// layouts (ñ sits where the US layout has ';') arrive as well.
struct KeyPosition {
  SDL_Scancode scancode;
  int vk;
};
constexpr KeyPosition kKeyPositions[] = {
    {SDL_SCANCODE_BACKSPACE, 0x08}, {SDL_SCANCODE_TAB, 0x09}, {SDL_SCANCODE_CLEAR, 0x0C},
    {SDL_SCANCODE_RETURN, 0x0D}, {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_LSHIFT, 0x10}, {SDL_SCANCODE_RSHIFT, 0x10},
    {SDL_SCANCODE_LCTRL, 0x11}, {SDL_SCANCODE_RCTRL, 0x11},
    {SDL_SCANCODE_PAUSE, 0x13}, {SDL_SCANCODE_CAPSLOCK, 0x14}, {SDL_SCANCODE_ESCAPE, 0x1B},
    {SDL_SCANCODE_SPACE, 0x20}, {SDL_SCANCODE_PAGEUP, 0x21}, {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, 0x23}, {SDL_SCANCODE_HOME, 0x24}, {SDL_SCANCODE_LEFT, 0x25},
    {SDL_SCANCODE_UP, 0x26}, {SDL_SCANCODE_RIGHT, 0x27}, {SDL_SCANCODE_DOWN, 0x28},
    {SDL_SCANCODE_SELECT, 0x29}, {SDL_SCANCODE_EXECUTE, 0x2B}, {SDL_SCANCODE_PRINTSCREEN, 0x2C},
    {SDL_SCANCODE_INSERT, 0x2D}, {SDL_SCANCODE_DELETE, 0x2E}, {SDL_SCANCODE_HELP, 0x2F},
    {SDL_SCANCODE_LGUI, 0x5B}, {SDL_SCANCODE_RGUI, 0x5C}, {SDL_SCANCODE_APPLICATION, 0x5D},
    {SDL_SCANCODE_SLEEP, 0x5F},
    {SDL_SCANCODE_KP_0, 0x60}, {SDL_SCANCODE_KP_1, 0x61}, {SDL_SCANCODE_KP_2, 0x62},
    {SDL_SCANCODE_KP_3, 0x63}, {SDL_SCANCODE_KP_4, 0x64}, {SDL_SCANCODE_KP_5, 0x65},
    {SDL_SCANCODE_KP_6, 0x66}, {SDL_SCANCODE_KP_7, 0x67}, {SDL_SCANCODE_KP_8, 0x68},
    {SDL_SCANCODE_KP_9, 0x69}, {SDL_SCANCODE_KP_MULTIPLY, 0x6A}, {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D}, {SDL_SCANCODE_KP_PERIOD, 0x6E}, {SDL_SCANCODE_KP_DIVIDE, 0x6F},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90}, {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_AC_BACK, 0xA6}, {SDL_SCANCODE_AC_FORWARD, 0xA7}, {SDL_SCANCODE_AC_REFRESH, 0xA8},
    {SDL_SCANCODE_AC_STOP, 0xA9}, {SDL_SCANCODE_AC_SEARCH, 0xAA}, {SDL_SCANCODE_AC_BOOKMARKS, 0xAB},
    {SDL_SCANCODE_AC_HOME, 0xAC}, {SDL_SCANCODE_MUTE, 0xAD}, {SDL_SCANCODE_VOLUMEDOWN, 0xAE},
    {SDL_SCANCODE_VOLUMEUP, 0xAF}, {SDL_SCANCODE_AUDIONEXT, 0xB0}, {SDL_SCANCODE_AUDIOPREV, 0xB1},
    {SDL_SCANCODE_AUDIOSTOP, 0xB2}, {SDL_SCANCODE_AUDIOPLAY, 0xB3}, {SDL_SCANCODE_MAIL, 0xB4},
    {SDL_SCANCODE_MEDIASELECT, 0xB5}, {SDL_SCANCODE_APP1, 0xB6}, {SDL_SCANCODE_APP2, 0xB7},
    {SDL_SCANCODE_SEMICOLON, 0xBA}, {SDL_SCANCODE_EQUALS, 0xBB}, {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD}, {SDL_SCANCODE_PERIOD, 0xBE}, {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_GRAVE, 0xC0}, {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_NONUSHASH, 0xDC}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD}, {SDL_SCANCODE_APOSTROPHE, 0xDE},
    {SDL_SCANCODE_INTERNATIONAL1, 0xC1}, {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
};

int VirtualKeyFromSdl(const SDL_Keysym& key) {
  // Letters and digits follow the layout, as Windows' codes for them do.
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 'A' + (key.sym - SDLK_a);
  if (key.sym >= SDLK_0 && key.sym <= SDLK_9) return '0' + (key.sym - SDLK_0);
  const SDL_Scancode sc = key.scancode;
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return '0';
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return kVkF1 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F24) return kVkF13 + (sc - SDL_SCANCODE_F13);
  for (const KeyPosition& k : kKeyPositions) {
    if (k.scancode == sc) return k.vk;
  }
  return -1;
}

// The key position that gives a code (the first in the table), for pushed key events.
SDL_Scancode ScancodeFromVirtualKey(int vk) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (vk - 'A'));
  if (vk >= '1' && vk <= '9') return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (vk - '1'));
  if (vk == '0') return SDL_SCANCODE_0;
  if (vk >= kVkF1 && vk < kVkF1 + 12) return static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (vk - kVkF1));
  if (vk >= kVkF13 && vk < kVkF13 + 12) return static_cast<SDL_Scancode>(SDL_SCANCODE_F13 + (vk - kVkF13));
  for (const KeyPosition& k : kKeyPositions) {
    if (k.vk == vk) return k.scancode;
  }
  return SDL_SCANCODE_UNKNOWN;
}

bool IsSystemKey(const SDL_KeyboardEvent& key) {
  // Alt held, the Alt keys themselves and F10 are the window system's, not the game's.
  if (key.keysym.mod & KMOD_ALT) return true;
  if (key.keysym.scancode == SDL_SCANCODE_LALT || key.keysym.scancode == SDL_SCANCODE_RALT) return true;
  return key.keysym.scancode == SDL_SCANCODE_F10;
}

// Alt+Enter (window.h's rule): the window's own full-screen switch.
bool IsAltEnter(const SDL_Event& e) {
  if (e.type != SDL_KEYDOWN) return false;
  const bool enter = e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER;
  return IsFullScreenToggle(enter ? 13 : -1, (e.key.keysym.mod & KMOD_ALT) != 0, e.key.repeat != 0);
}

// The creation step that a test asked to fail (Ok: none).
OpenResult brokenStep = OpenResult::Ok;
bool Broken(OpenResult step) {
  if (brokenStep != step) return false;
  brokenStep = OpenResult::Ok;
  return true;
}

// The left stick's held arrows, and the key events it owes the game: a stick
// swung straight across gives a release and a press from one axis event.
StickKeys stickKeys;
std::deque<Event> pendingStickEvents;

bool TranslateStick(int axis, int value, Event& out) {
  for (const Event& e : stickKeys.Move(axis, value)) pendingStickEvents.push_back(e);
  if (pendingStickEvents.empty()) return false;
  out = pendingStickEvents.front();
  pendingStickEvents.pop_front();
  return true;
}

void OpenController(int deviceIndex) {
  if (SDL_IsGameController(deviceIndex)) SDL_GameControllerOpen(deviceIndex);
}

void CloseController(SDL_JoystickID id) {
  if (SDL_GameController* c = SDL_GameControllerFromInstanceID(id)) SDL_GameControllerClose(c);
}

bool TranslateEvent(const SDL_Event& in, Event& out) {
  switch (in.type) {
    case SDL_CONTROLLERDEVICEADDED:
      OpenController(in.cdevice.which);
      return false;
    case SDL_CONTROLLERDEVICEREMOVED:
      CloseController(in.cdevice.which);
      return false;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      int vk = VirtualKeyFromControllerButton(in.cbutton.button);
      if (vk < 0) return false;
      out = Event{};
      out.type = in.type == SDL_CONTROLLERBUTTONDOWN ? EventType::KeyDown : EventType::KeyUp;
      out.vk = vk;
      return true;
    }
    case SDL_CONTROLLERAXISMOTION:
      return TranslateStick(in.caxis.axis, in.caxis.value, out);
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      if (IsSystemKey(in.key)) return false;
      if (in.key.keysym.scancode == SDL_SCANCODE_F12) {
        // The picture key is the window's: one picture per press, none for its release.
        if (in.type != SDL_KEYDOWN || in.key.repeat) return false;
        out = Event{};
        out.type = EventType::SaveScreenshot;
        return true;
      }
      int vk = VirtualKeyFromSdl(in.key.keysym);
      if (vk < 0 || vk > 255) return false;
      out = Event{};
      out.type = in.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
      out.vk = vk;
      out.repeat = in.key.repeat != 0;
      return true;
    }
    case SDL_QUIT:
      out = Event{};
      out.type = EventType::CloseRequested;
      return true;
    case SDL_WINDOWEVENT:
      out = Event{};
      switch (in.window.event) {
        case SDL_WINDOWEVENT_CLOSE: out.type = EventType::CloseRequested; return true;
        case SDL_WINDOWEVENT_MINIMIZED: out.type = EventType::Minimized; return true;
        case SDL_WINDOWEVENT_RESTORED: out.type = EventType::Restored; return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          out.type = EventType::Resized;
          out.width = in.window.data1;
          out.height = in.window.data2;
          return true;
        default: return false;
      }
    default:
      return false;
  }
}

// SDL falls back on its window-less drivers when it cannot reach a display,
// and the game would then play on unseen, forever. An X server also turns
// new clients away for a moment while it resets after its last client left,
// so a failed start is tried again for a while before the game gives up.
bool WindowLessDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) return true;
  if (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0) return false;
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  return asked == nullptr || std::strcmp(asked, driver) != 0;
}

bool VideoReady() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
  constexpr int kTries = 10;
  for (int attempt = 1;; ++attempt) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      std::fprintf(stderr, "video: %s\n", SDL_GetError());
      return false;
    }
    if (!WindowLessDriver()) break;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (attempt == kTries) {
      std::fprintf(stderr, "video: no display to open a window on (DISPLAY or WAYLAND_DISPLAY)\n");
      return false;
    }
    SDL_Delay(200);
  }
  // Controllers are welcome but not needed; those present now arrive as
  // "added" events, like those plugged in later.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "controllers: %s\n", SDL_GetError());
  }
  return true;
}

}  // namespace

bool FullScreenModeAvailable(int width, int height) {
  if (const char* refuse = std::getenv("GLUMBO_REFUSE_FULLSCREEN")) {
    if (std::strcmp(refuse, "1") == 0) return false;
  }
  if (!VideoReady()) return false;
  int modes = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < modes; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) return true;
  }
  return false;
}

Window::~Window() { Close(); }

OpenResult Window::Open(const WindowRequest& request) {
  Close();
  if (!VideoReady()) return OpenResult::VideoUnavailable;

  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);

  // The player may drag the window's edges or maximise it; every new size
  // reaches the game as a Resized event.
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
  flags |= request.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
  if (request.fullScreen) flags |= SDL_WINDOW_FULLSCREEN;

  SDL_Window* window = SDL_CreateWindow(request.title.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                        SDL_WINDOWPOS_UNDEFINED, Broken(OpenResult::WindowFailed) ? -1 : request.width,
                                        request.height, flags);
  if (!window) {
    std::fprintf(stderr, "window: %s\n", SDL_GetError());
    return OpenResult::WindowFailed;
  }
  if (request.fullScreen) {
    SDL_DisplayMode mode = {};
    mode.w = request.width;
    mode.h = request.height;
    SDL_SetWindowDisplayMode(window, &mode);
  }
  window_ = window;
  fullScreen_ = request.fullScreen;

  SDL_GLContext context = SDL_GL_CreateContext(Broken(OpenResult::ContextFailed) ? nullptr : window);
  if (!context) {
    std::fprintf(stderr, "OpenGL context: %s\n", SDL_GetError());
    return OpenResult::ContextFailed;
  }
  context_ = context;
  if (SDL_GL_MakeCurrent(Broken(OpenResult::MakeCurrentFailed) ? nullptr : window, context) != 0) {
    std::fprintf(stderr, "OpenGL context: %s\n", SDL_GetError());
    return OpenResult::MakeCurrentFailed;
  }
  // Adaptive vsync first, then plain vsync; without either the game still runs,
  // its speed comes from the frame step.
  if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);

  SDL_DisableScreenSaver();
  if (fullScreen_) SDL_ShowCursor(SDL_DISABLE);
  if (!request.hidden) {
    SDL_RaiseWindow(window);
  }
  return OpenResult::Ok;
}

void Window::Close() {
  if (!window_ && !context_) return;  // never opened: nothing of it to release
  if (context_) {
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window_), nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    context_ = nullptr;
  }
  if (window_) {
    SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
    window_ = nullptr;
  }
  if (fullScreen_) SDL_ShowCursor(SDL_ENABLE);
  fullScreen_ = false;
  SDL_EnableScreenSaver();
}

bool Window::CursorHidden() const { return SDL_ShowCursor(SDL_QUERY) == SDL_DISABLE; }

void Window::ToggleFullScreen() {
  auto* window = static_cast<SDL_Window*>(window_);
  if (!window) return;
  // Full screen by this key is borderless at the desktop's own size, with no
  // mode change; going back, SDL restores the window's earlier size and place.
  const Uint32 flags = SDL_GetWindowFlags(window);
  const ScreenMode now = (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP ? ScreenMode::Desktop
                         : (flags & SDL_WINDOW_FULLSCREEN)                                        ? ScreenMode::DisplayMode
                                                                                                  : ScreenMode::Window;
  const bool goFull = AfterFullScreenToggle(now) == ScreenMode::Desktop;
  if (SDL_SetWindowFullscreen(window, goFull ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::fprintf(stderr, "full screen: %s\n", SDL_GetError());
    return;
  }
  fullScreen_ = goFull;
  SDL_ShowCursor(goFull ? SDL_DISABLE : SDL_ENABLE);
}

void Window::SwapBuffers() {
  if (window_) SDL_GL_SwapWindow(static_cast<SDL_Window*>(window_));
}

bool Window::PollEvent(Event& event) {
  if (!pendingStickEvents.empty()) {
    event = pendingStickEvents.front();
    pendingStickEvents.pop_front();
    return true;
  }
  SDL_Event raw;
  while (SDL_PollEvent(&raw)) {
    if (IsAltEnter(raw)) {
      ToggleFullScreen();
      continue;
    }
    if (TranslateEvent(raw, event)) return true;
  }
  return false;
}

void Window::DrawableSize(int& width, int& height) const {
  width = height = 0;
  if (window_) SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(window_), &width, &height);
}

void PushKeyEvent(int vk, bool down, bool repeat, bool alt) {
  SDL_Event e = {};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.scancode = ScancodeFromVirtualKey(vk);
  e.key.keysym.sym = SDL_GetKeyFromScancode(e.key.keysym.scancode);
  e.key.keysym.mod = alt ? KMOD_LALT : KMOD_NONE;
  SDL_PushEvent(&e);
}

void PushControllerButton(int button, bool down) {
  SDL_Event e = {};
  e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  e.cbutton.button = static_cast<Uint8>(button);
  e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  SDL_PushEvent(&e);
}

void PushControllerAxis(int axis, int value) {
  SDL_Event e = {};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.axis = static_cast<Uint8>(axis);
  e.caxis.value = static_cast<Sint16>(value);
  SDL_PushEvent(&e);
}

void PushWindowEvent(EventType type, int width, int height) {
  SDL_Event e = {};
  if (type == EventType::CloseRequested) {
    e.type = SDL_QUIT;
  } else {
    e.type = SDL_WINDOWEVENT;
    e.window.event = type == EventType::Minimized  ? SDL_WINDOWEVENT_MINIMIZED
                     : type == EventType::Restored ? SDL_WINDOWEVENT_RESTORED
                                                   : SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.data1 = width;
    e.window.data2 = height;
  }
  SDL_PushEvent(&e);
}

void BreakOpenStepForTests(OpenResult step) { brokenStep = step; }

// SDL's controllers are tested through PushControllerButton and PushControllerAxis.
void SetControllerReaderForTests(ControllerReader) {}

// SDL reports a new scale as a new drawable size (a Resized event).
void PushDpiChange(int, int, int, int, int) {}

}  // namespace platform

namespace platform {
void ShutdownVideo() { SDL_Quit(); }
}  // namespace platform
