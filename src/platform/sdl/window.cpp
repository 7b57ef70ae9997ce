#include "platform/window.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

constexpr int kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkShift = 16, kVkControl = 17,
              kVkPause = 19, kVkEscape = 27, kVkSpace = 32, kVkPrior = 33, kVkNext = 34,
              kVkEnd = 35, kVkHome = 36, kVkLeft = 37, kVkUp = 38, kVkRight = 39,
              kVkDown = 40, kVkInsert = 45, kVkDelete = 46, kVkNumpad0 = 96,
              kVkMultiply = 106, kVkAdd = 107, kVkSubtract = 109, kVkDecimal = 110,
              kVkDivide = 111, kVkF1 = 112;

int VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return kVkF1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kVkNumpad0 + 1 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE: return kVkBack;
    case SDLK_TAB: return kVkTab;
    case SDLK_RETURN: case SDLK_KP_ENTER: return kVkReturn;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return kVkShift;
    case SDLK_LCTRL: case SDLK_RCTRL: return kVkControl;
    case SDLK_PAUSE: return kVkPause;
    case SDLK_ESCAPE: return kVkEscape;
    case SDLK_SPACE: return kVkSpace;
    case SDLK_PAGEUP: return kVkPrior;
    case SDLK_PAGEDOWN: return kVkNext;
    case SDLK_END: return kVkEnd;
    case SDLK_HOME: return kVkHome;
    case SDLK_LEFT: return kVkLeft;
    case SDLK_UP: return kVkUp;
    case SDLK_RIGHT: return kVkRight;
    case SDLK_DOWN: return kVkDown;
    case SDLK_INSERT: return kVkInsert;
    case SDLK_DELETE: return kVkDelete;
    case SDLK_KP_0: return kVkNumpad0;
    case SDLK_KP_MULTIPLY: return kVkMultiply;
    case SDLK_KP_PLUS: return kVkAdd;
    case SDLK_KP_MINUS: return kVkSubtract;
    case SDLK_KP_PERIOD: return kVkDecimal;
    case SDLK_KP_DIVIDE: return kVkDivide;
    case SDLK_COMMA: return 188;
    case SDLK_PERIOD: return 190;
    case SDLK_MINUS: return 189;
    default: return -1;
  }
}

SDL_Keycode SdlFromVirtualKey(int vk) {
  for (SDL_Keycode k : {SDLK_BACKSPACE, SDLK_TAB, SDLK_RETURN, SDLK_LSHIFT, SDLK_LCTRL, SDLK_PAUSE,
                        SDLK_ESCAPE, SDLK_SPACE, SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_END, SDLK_HOME,
                        SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_INSERT, SDLK_DELETE,
                        SDLK_KP_0, SDLK_KP_MULTIPLY, SDLK_KP_PLUS, SDLK_KP_MINUS, SDLK_KP_PERIOD,
                        SDLK_KP_DIVIDE, SDLK_COMMA, SDLK_PERIOD, SDLK_MINUS}) {
    if (VirtualKeyFromSdl(k) == vk) return k;
  }
  if (vk >= 'A' && vk <= 'Z') return SDLK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return SDLK_0 + (vk - '0');
  if (vk >= kVkF1 && vk < kVkF1 + 12) return SDLK_F1 + (vk - kVkF1);
  if (vk >= kVkNumpad0 + 1 && vk <= kVkNumpad0 + 9) return SDLK_KP_1 + (vk - kVkNumpad0 - 1);
  return SDLK_UNKNOWN;
}

bool IsSystemKey(const SDL_KeyboardEvent& key) {
  // Alt held, the Alt keys themselves and F10 are the window system's, not the game's.
  if (key.keysym.mod & KMOD_ALT) return true;
  if (key.keysym.sym == SDLK_LALT || key.keysym.sym == SDLK_RALT) return true;
  return key.keysym.sym == SDLK_F10;
}

// Game controllers: the d-pad and the left stick act as the arrow keys, the
// south face button as Space, Start as P.
int VirtualKeyFromButton(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return kVkLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return kVkRight;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return kVkUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return kVkDown;
    case SDL_CONTROLLER_BUTTON_A: return kVkSpace;
    case SDL_CONTROLLER_BUTTON_START: return 'P';
    default: return -1;
  }
}

// A stick axis becomes a held arrow key past the press threshold and is let go
// below the release threshold, so that a stick resting near the edge does not chatter.
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 8000;
int stickKey[2] = {-1, -1};  // the arrow each left-stick axis holds down, or -1
Event pendingStickEvent;
bool stickEventPending = false;

bool TranslateStick(int axisIndex, int value, Event& out) {
  int negative = axisIndex == 0 ? kVkLeft : kVkUp;
  int positive = axisIndex == 0 ? kVkRight : kVkDown;
  int wanted = stickKey[axisIndex];
  if (value <= -kStickPress) {
    wanted = negative;
  } else if (value >= kStickPress) {
    wanted = positive;
  } else if (value > -kStickRelease && value < kStickRelease) {
    wanted = -1;
  }
  int held = stickKey[axisIndex];
  if (wanted == held) return false;
  stickKey[axisIndex] = wanted;
  out = Event{};
  if (held >= 0) {
    out.type = EventType::KeyUp;
    out.vk = held;
    if (wanted >= 0) {
      // The stick swung straight across: the new arrow goes down next.
      pendingStickEvent = Event{};
      pendingStickEvent.type = EventType::KeyDown;
      pendingStickEvent.vk = wanted;
      stickEventPending = true;
    }
    return true;
  }
  out.type = EventType::KeyDown;
  out.vk = wanted;
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
      int vk = VirtualKeyFromButton(in.cbutton.button);
      if (vk < 0) return false;
      out = Event{};
      out.type = in.type == SDL_CONTROLLERBUTTONDOWN ? EventType::KeyDown : EventType::KeyUp;
      out.vk = vk;
      return true;
    }
    case SDL_CONTROLLERAXISMOTION:
      if (in.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) return TranslateStick(0, in.caxis.value, out);
      if (in.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) return TranslateStick(1, in.caxis.value, out);
      return false;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      if (IsSystemKey(in.key)) return false;
      int vk = VirtualKeyFromSdl(in.key.keysym.sym);
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

bool VideoReady() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "video: %s\n", SDL_GetError());
    return false;
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

  Uint32 flags = SDL_WINDOW_OPENGL;
  flags |= request.hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
  if (request.fullScreen) flags |= SDL_WINDOW_FULLSCREEN;

  SDL_Window* window = SDL_CreateWindow(request.title.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                        SDL_WINDOWPOS_UNDEFINED, request.width, request.height, flags);
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

  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) {
    std::fprintf(stderr, "OpenGL context: %s\n", SDL_GetError());
    return OpenResult::ContextFailed;
  }
  context_ = context;
  if (SDL_GL_MakeCurrent(window, context) != 0) {
    std::fprintf(stderr, "OpenGL context: %s\n", SDL_GetError());
    return OpenResult::MakeCurrentFailed;
  }
  // Adaptive vsync first, then plain vsync; without either the game still runs,
  // its speed comes from the frame step.
  if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);

  SDL_DisableScreenSaver();
  if (!request.hidden) {
    SDL_RaiseWindow(window);
  }
  return OpenResult::Ok;
}

void Window::Close() {
  if (context_) {
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window_), nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    context_ = nullptr;
  }
  if (window_) {
    SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
    window_ = nullptr;
  }
  fullScreen_ = false;
  SDL_EnableScreenSaver();
}

void Window::SwapBuffers() {
  if (window_) SDL_GL_SwapWindow(static_cast<SDL_Window*>(window_));
}

bool Window::PollEvent(Event& event) {
  if (stickEventPending) {
    stickEventPending = false;
    event = pendingStickEvent;
    return true;
  }
  SDL_Event raw;
  while (SDL_PollEvent(&raw)) {
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
  e.key.keysym.sym = SdlFromVirtualKey(vk);
  e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
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

}  // namespace platform

namespace platform {
void ShutdownVideo() { SDL_Quit(); }
}  // namespace platform
