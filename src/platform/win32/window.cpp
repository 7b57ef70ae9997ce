// The game's window on Windows: a window of the class "OpenGL" with a WGL
// context, and the window procedure that turns messages into the game's events.
#include "platform/window.h"

#include <windows.h>
#include <xinput.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "platform/controller_keys.h"
#include "platform/message_box.h"
#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

constexpr const char* kClassName = "OpenGL";

// One window at a time: the state the window procedure needs lives here.
struct WindowState {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HDC dc = nullptr;
  HGLRC context = nullptr;
  bool classRegistered = false;
  bool cursorHidden = false;
  bool displayChanged = false;  // a full-screen start switched the display's mode
  // Alt+Enter's borderless full screen, and the window it came from.
  bool borderless = false;
  LONG savedStyle = 0;
  LONG savedExStyle = 0;
  RECT savedRect = {};
  std::deque<Event> events;
  StickKeys stick;
};

WindowState& S() {
  static WindowState state;
  return state;
}

void Queue(Event e) { S().events.push_back(e); }

void QueueType(EventType type, int width = 0, int height = 0) {
  Event e;
  e.type = type;
  e.width = width;
  e.height = height;
  Queue(e);
}

void HideCursor(bool hide) {
  if (hide == S().cursorHidden) return;
  ShowCursor(hide ? FALSE : TRUE);
  S().cursorHidden = hide;
}

// Alt+Enter: the window becomes a borderless pop-up covering its monitor, and
// back again to the size and place it had. The display mode is not changed.
void ToggleBorderless(HWND hwnd) {
  WindowState& s = S();
  if (!s.borderless) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    s.savedStyle = GetWindowLongA(hwnd, GWL_STYLE);
    s.savedExStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    GetWindowRect(hwnd, &s.savedRect);
    s.borderless = true;
    SetWindowLongA(hwnd, GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    SetWindowLongA(hwnd, GWL_EXSTYLE, WS_EX_APPWINDOW);
    const RECT& r = monitor.rcMonitor;
    SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    HideCursor(true);
  } else {
    s.borderless = false;
    SetWindowLongA(hwnd, GWL_STYLE, s.savedStyle);
    SetWindowLongA(hwnd, GWL_EXSTYLE, s.savedExStyle);
    const RECT& r = s.savedRect;
    SetWindowPos(hwnd, HWND_NOTOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    HideCursor(false);
  }
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      QueueType(HIWORD(wParam) == 0 ? EventType::Restored : EventType::Minimized);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_SCREENSAVE:
        case SC_MONITORPOWER:
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_F12) {
        if ((lParam & (1L << 30)) == 0) QueueType(EventType::SaveScreenshot);
      } else if (wParam < 256) {
        Event e;
        e.type = EventType::KeyDown;
        e.vk = static_cast<int>(wParam);
        e.repeat = (lParam & (1L << 30)) != 0;
        Queue(e);
      }
      return 0;
    case WM_KEYUP:
      if (wParam != VK_F12 && wParam < 256) {
        Event e;
        e.type = EventType::KeyUp;
        e.vk = static_cast<int>(wParam);
        Queue(e);
      }
      return 0;
    case WM_SYSKEYDOWN:
      // Alt combinations and F10 are the system's; Alt+Enter alone is the window's own.
      // A window that already owns the display in its own mode stays as it is.
      if (wParam == VK_RETURN && (lParam & (1L << 29))) {
        if ((lParam & (1L << 30)) == 0 && !S().displayChanged) ToggleBorderless(hwnd);
        return 0;
      }
      break;
    case WM_SIZE:
      QueueType(EventType::Resized, LOWORD(lParam), HIWORD(lParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterWindowClass() {
  WindowState& s = S();
  if (s.classRegistered) return true;
  s.instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = &WndProc;
  wc.hInstance = s.instance;
  wc.hIcon = LoadIconA(s.instance, MAKEINTRESOURCEA(1));
  if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_WINLOGO);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  s.classRegistered = true;
  return true;
}

void TeardownError(const char* text) {
  ShowMessageBox(text, "ERROR DE SALIDA", BoxButtons::Ok, BoxIcon::Information);
}

DEVMODEA DisplayMode(int width, int height) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = 16;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return mode;
}

// Controllers through XInput, loaded when present: the system may have none of its versions.
using XInputGetStateFn = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

struct Controller {
  XInputGetStateFn getState = nullptr;
  bool loaded = false;
  bool connected = false;
  double retryAt = 0.0;
  WORD buttons = 0;
  SHORT x = 0, y = 0;
};

Controller& Pad() {
  static Controller pad;
  return pad;
}

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void QueueControllerButton(int button, bool down) {
  const int vk = VirtualKeyFromControllerButton(button);
  if (vk < 0) return;
  Event e;
  e.type = down ? EventType::KeyDown : EventType::KeyUp;
  e.vk = vk;
  Queue(e);
}

void QueueControllerAxis(int axis, int value) {
  for (const Event& e : S().stick.Move(axis, value)) Queue(e);
}

void PollController() {
  Controller& pad = Pad();
  if (!pad.loaded) {
    pad.loaded = true;
    for (const char* dll : {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll"}) {
      if (HMODULE m = LoadLibraryA(dll)) {
        pad.getState = reinterpret_cast<XInputGetStateFn>(reinterpret_cast<void*>(GetProcAddress(m, "XInputGetState")));
        if (pad.getState) break;
      }
    }
  }
  if (!pad.getState) return;
  const double now = Now();
  // Asking for an absent controller is slow: look again every two seconds only.
  if (!pad.connected && now < pad.retryAt) return;
  XINPUT_STATE state = {};
  if (pad.getState(0, &state) != ERROR_SUCCESS) {
    pad.connected = false;
    pad.retryAt = now + 2.0;
    return;
  }
  pad.connected = true;
  static const struct {
    WORD mask;
    int button;
  } kButtons[] = {{XINPUT_GAMEPAD_DPAD_UP, ControllerButton::DpadUp},
                  {XINPUT_GAMEPAD_DPAD_DOWN, ControllerButton::DpadDown},
                  {XINPUT_GAMEPAD_DPAD_LEFT, ControllerButton::DpadLeft},
                  {XINPUT_GAMEPAD_DPAD_RIGHT, ControllerButton::DpadRight},
                  {XINPUT_GAMEPAD_A, ControllerButton::South},
                  {XINPUT_GAMEPAD_START, ControllerButton::Start}};
  const WORD changed = static_cast<WORD>(state.Gamepad.wButtons ^ pad.buttons);
  for (const auto& b : kButtons) {
    if (changed & b.mask) QueueControllerButton(b.button, (state.Gamepad.wButtons & b.mask) != 0);
  }
  pad.buttons = state.Gamepad.wButtons;
  if (state.Gamepad.sThumbLX != pad.x) QueueControllerAxis(ControllerAxis::LeftX, state.Gamepad.sThumbLX);
  // XInput's y grows upwards, the game's stick downwards.
  if (state.Gamepad.sThumbLY != pad.y) QueueControllerAxis(ControllerAxis::LeftY, -static_cast<int>(state.Gamepad.sThumbLY));
  pad.x = state.Gamepad.sThumbLX;
  pad.y = state.Gamepad.sThumbLY;
}

}  // namespace

bool FullScreenModeAvailable(int width, int height) {
  if (const char* refuse = std::getenv("GLUMBO_REFUSE_FULLSCREEN")) {
    if (std::strcmp(refuse, "1") == 0) return false;
  }
  DEVMODEA mode = DisplayMode(width, height);
  return ChangeDisplaySettingsA(&mode, CDS_TEST | CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

Window::~Window() { Close(); }

OpenResult Window::Open(const WindowRequest& request) {
  Close();
  WindowState& s = S();
  if (!RegisterWindowClass()) return OpenResult::VideoUnavailable;

  fullScreen_ = false;
  if (request.fullScreen) {
    DEVMODEA mode = DisplayMode(request.width, request.height);
    fullScreen_ = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    s.displayChanged = fullScreen_;
  }
  DWORD exStyle = WS_EX_APPWINDOW;
  DWORD style = WS_POPUP;
  if (fullScreen_) {
    HideCursor(true);
  } else {
    exStyle |= WS_EX_WINDOWEDGE;
    style = WS_OVERLAPPEDWINDOW;
  }
  RECT rect = {0, 0, request.width, request.height};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  const std::string title = win32::AnsiFromUtf8(request.title);
  s.window = CreateWindowExA(exStyle, kClassName, title.c_str(), style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, s.instance, nullptr);
  if (!s.window) return OpenResult::WindowFailed;
  window_ = s.window;

  static PIXELFORMATDESCRIPTOR pfd = {};
  if (pfd.nSize == 0) {
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 16;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
  }
  s.dc = GetDC(s.window);
  if (!s.dc) return OpenResult::ContextFailed;
  const int format = ChoosePixelFormat(s.dc, &pfd);
  if (format == 0 || !SetPixelFormat(s.dc, format, &pfd)) return OpenResult::ContextFailed;
  s.context = wglCreateContext(s.dc);
  if (!s.context) return OpenResult::ContextFailed;
  context_ = s.context;
  if (!wglMakeCurrent(s.dc, s.context)) return OpenResult::MakeCurrentFailed;

  // Vsync where the driver offers it; the game's speed comes from the frame step either way.
  using SwapIntervalFn = BOOL(WINAPI*)(int);
  if (auto swapInterval = reinterpret_cast<SwapIntervalFn>(
          reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")))) {
    swapInterval(1);
  }

  if (!request.hidden) {
    ShowWindow(s.window, SW_SHOW);
    SetForegroundWindow(s.window);
    SetFocus(s.window);
  }
  return OpenResult::Ok;
}

bool Window::CursorHidden() const { return S().cursorHidden; }

void Window::Close() {
  WindowState& s = S();
  if (fullScreen_) ChangeDisplaySettingsA(nullptr, 0);
  s.displayChanged = false;
  HideCursor(false);
  s.borderless = false;
  if (s.context) {
    if (!wglMakeCurrent(nullptr, nullptr)) TeardownError("Fallo al eliminar el DC y el RC.");
    if (!wglDeleteContext(s.context)) TeardownError("Fallo al eliminar el RC.");
    s.context = nullptr;
  }
  if (s.dc) {
    if (!ReleaseDC(s.window, s.dc)) TeardownError("Fallo al eliminar Release Device Context.");
    s.dc = nullptr;
  }
  if (s.window) {
    if (!DestroyWindow(s.window)) TeardownError("No podemos eliminar Wnd.");
    s.window = nullptr;
  }
  if (s.classRegistered) {
    if (!UnregisterClassA(kClassName, s.instance)) TeardownError("No podemos 'desregistrar' la clase.");
    s.classRegistered = false;
  }
  // Messages of the window just destroyed mean nothing to the next one.
  s.events.clear();
  window_ = nullptr;
  context_ = nullptr;
  fullScreen_ = false;
}

void Window::SwapBuffers() {
  if (S().dc) ::SwapBuffers(S().dc);
}

bool Window::PollEvent(Event& event) {
  WindowState& s = S();
  if (s.events.empty()) PollController();
  while (s.events.empty()) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      QueueType(EventType::CloseRequested);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  event = s.events.front();
  s.events.pop_front();
  return true;
}

void Window::DrawableSize(int& width, int& height) const {
  width = height = 0;
  RECT r;
  if (S().window && GetClientRect(S().window, &r)) {
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
}

void PushKeyEvent(int vk, bool down, bool repeat, bool alt) {
  HWND hwnd = S().window;
  if (!hwnd) return;
  // The message a keyboard would send: repeat count 1, previous state in bit
  // 30, context (Alt) in bit 29, transition in bit 31.
  LPARAM lParam = 1;
  if (alt) lParam |= 1L << 29;
  if (repeat || !down) lParam |= 1L << 30;
  if (!down) lParam |= static_cast<LPARAM>(1UL << 31);
  const bool system = alt || vk == VK_F10 || vk == VK_MENU;
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  PostMessageA(hwnd, message, static_cast<WPARAM>(vk), lParam);
}

void PushControllerButton(int button, bool down) { QueueControllerButton(button, down); }

void PushControllerAxis(int axis, int value) { QueueControllerAxis(axis, value); }

void PushWindowEvent(EventType type, int width, int height) {
  HWND hwnd = S().window;
  if (!hwnd) return;
  switch (type) {
    case EventType::CloseRequested:
      PostMessageA(hwnd, WM_CLOSE, 0, 0);
      break;
    case EventType::Minimized:
      PostMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
      break;
    case EventType::Restored:
      PostMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
      break;
    case EventType::Resized:
      PostMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
      break;
    default:
      break;
  }
}

void ShutdownVideo() {}

}  // namespace platform
