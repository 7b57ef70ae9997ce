// The game's window on Windows: a window of the class "OpenGL" with a WGL
// context, and the window procedure that turns messages into the game's events.
// Every Window keeps its own state (NativeWindow), reached from the window
// procedure through the window's user data.
#include "platform/window.h"

#include <windows.h>
#include <xinput.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

#include "platform/controller_keys.h"
#include "platform/message_box.h"
#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

constexpr const wchar_t* kClassName = L"OpenGL";
constexpr int kPads = 4;

// One controller slot of XInput.
struct Pad {
  bool connected = false;
  double retryAt = 0.0;
  WORD buttons = 0;
  SHORT x = 0, y = 0;
  StickKeys stick;
};

struct NativeWindow {
  Window* owner = nullptr;
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  HDC dc = nullptr;
  HGLRC context = nullptr;
  ScreenMode mode = ScreenMode::Window;
  bool cursorHidden = false;
  int width = 640, height = 480;  // the requested client size at 96 DPI
  UINT dpi = USER_DEFAULT_SCREEN_DPI;
  // The window that Alt+Enter's borderless full screen came from.
  LONG savedStyle = 0;
  LONG savedExStyle = 0;
  RECT savedRect = {};
  std::deque<Event> events;
  std::array<Pad, kPads> pads;
};

NativeWindow* N(void* p) { return static_cast<NativeWindow*>(p); }

// The windows open now, oldest first: the pushed test events go to the newest.
std::vector<NativeWindow*>& OpenWindows() {
  static std::vector<NativeWindow*> windows;
  return windows;
}

NativeWindow* Newest() { return OpenWindows().empty() ? nullptr : OpenWindows().back(); }

int classUsers = 0;  // open windows of the class "OpenGL"
OpenResult brokenStep = OpenResult::Ok;

bool Broken(OpenResult step) {
  if (brokenStep != step) return false;
  brokenStep = OpenResult::Ok;
  return true;
}

// One line on stderr with the system's reason, as the SDL backend gives SDL_GetError.
void ReportFailure(const char* what) {
  const DWORD code = GetLastError();
  std::fprintf(stderr, "window: %s failed: %s\n", what, win32::SystemErrorText(code).c_str());
}

void Queue(NativeWindow& n, const Event& e) { n.events.push_back(e); }

void QueueType(NativeWindow& n, EventType type, int width = 0, int height = 0) {
  Event e;
  e.type = type;
  e.width = width;
  e.height = height;
  Queue(n, e);
}

void HideCursor(NativeWindow& n, bool hide) {
  if (hide == n.cursorHidden) return;
  ShowCursor(hide ? FALSE : TRUE);
  n.cursorHidden = hide;
}

// ---- DPI: the calls of newer Windows versions, loaded where present ----

template <typename Fn>
Fn User32(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The manifest declares per-monitor DPI awareness (v2); a program without it
// (the tests, the tools) asks at run time, so that sizes are real pixels everywhere.
void BecomeDpiAware() {
  static bool asked = false;
  if (asked) return;
  asked = true;
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  using GetContextFn = HANDLE(WINAPI*)();
  using AwarenessFn = int(WINAPI*)(HANDLE);
  auto getContext = User32<GetContextFn>("GetThreadDpiAwarenessContext");
  auto awareness = User32<AwarenessFn>("GetAwarenessFromDpiAwarenessContext");
  if (getContext && awareness && awareness(getContext()) != 0) return;  // aware already (the manifest)
  if (auto setContext = User32<SetContextFn>("SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 (-4), else PER_MONITOR_AWARE (-3).
    if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) ||
        setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)))) {
      return;
    }
  }
  SetProcessDPIAware();
}

UINT DpiOfWindow(HWND hwnd) {
  using Fn = UINT(WINAPI*)(HWND);
  if (auto f = User32<Fn>("GetDpiForWindow")) {
    if (UINT dpi = f(hwnd)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The DPI of the screen a new window opens on (the primary one, at 0, 0).
UINT DpiOfPrimaryScreen() {
  using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
    auto f = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    UINT x = 0, y = 0;
    const bool ok = f && SUCCEEDED(f(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), 0, &x, &y)) && y > 0;
    FreeLibrary(shcore);
    if (ok) return y;
  }
  return DpiOfWindow(nullptr);
}

int Scaled(int size, UINT dpi) { return MulDiv(size, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

// The outer size of a window whose client area is width x height at this DPI.
RECT OuterRect(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
  RECT rect = {0, 0, width, height};
  using Fn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  if (auto f = User32<Fn>("AdjustWindowRectExForDpi")) {
    if (f(&rect, style, FALSE, exStyle, dpi)) return rect;
  }
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return rect;
}

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
constexpr DWORD kPopUpStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

DEVMODEW DisplayMode(int width, int height) {
  DEVMODEW mode = {};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = 16;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return mode;
}

// Alt+Enter (window.h's rule).
void ToggleScreen(NativeWindow& n) {
  HWND hwnd = n.window;
  const ScreenMode next = AfterFullScreenToggle(n.mode);
  if (next == ScreenMode::Desktop) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    n.savedStyle = GetWindowLongW(hwnd, GWL_STYLE);
    n.savedExStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    GetWindowRect(hwnd, &n.savedRect);
    n.mode = ScreenMode::Desktop;
    SetWindowLongW(hwnd, GWL_STYLE, kPopUpStyle | WS_VISIBLE);
    SetWindowLongW(hwnd, GWL_EXSTYLE, WS_EX_APPWINDOW);
    const RECT& r = monitor.rcMonitor;
    SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    HideCursor(n, true);
  } else if (n.mode == ScreenMode::Desktop) {
    n.mode = ScreenMode::Window;
    SetWindowLongW(hwnd, GWL_STYLE, n.savedStyle);
    SetWindowLongW(hwnd, GWL_EXSTYLE, n.savedExStyle);
    const RECT& r = n.savedRect;
    SetWindowPos(hwnd, HWND_NOTOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    HideCursor(n, false);
  } else {
    // The options page's full screen: the desktop's own mode back, and a
    // window of the requested size at the screen's scale.
    ChangeDisplaySettingsW(nullptr, 0);
    n.mode = ScreenMode::Window;
    SetWindowLongW(hwnd, GWL_STYLE, kWindowStyle | WS_VISIBLE);
    SetWindowLongW(hwnd, GWL_EXSTYLE, kWindowExStyle);
    n.dpi = DpiOfWindow(hwnd);
    const RECT r = OuterRect(Scaled(n.width, n.dpi), Scaled(n.height, n.dpi), kWindowStyle, kWindowExStyle, n.dpi);
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, r.right - r.left, r.bottom - r.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    HideCursor(n, false);
  }
}

// ---- controllers: XInput, loaded when present ----

using XInputGetStateFn = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
static_assert(sizeof(ControllerReading) == sizeof(XINPUT_STATE), "the test reader has XInput's layout");

ControllerReader testReader = nullptr;

XInputGetStateFn XInput() {
  static bool loaded = false;
  static XInputGetStateFn getState = nullptr;
  if (!loaded) {
    loaded = true;
    for (const wchar_t* dll : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
      if (HMODULE m = LoadLibraryW(dll)) {
        getState = reinterpret_cast<XInputGetStateFn>(reinterpret_cast<void*>(GetProcAddress(m, "XInputGetState")));
        if (getState) break;
      }
    }
  }
  return getState;
}

bool ReadPad(DWORD index, XINPUT_STATE& state) {
  if (testReader) {
    ControllerReading reading;
    if (testReader(index, &reading) != 0) return false;
    std::memcpy(&state, &reading, sizeof state);
    return true;
  }
  XInputGetStateFn getState = XInput();
  return getState && getState(index, &state) == ERROR_SUCCESS;
}

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void QueueControllerButton(NativeWindow& n, int button, bool down) {
  const int vk = VirtualKeyFromControllerButton(button);
  if (vk < 0) return;
  Event e;
  e.type = down ? EventType::KeyDown : EventType::KeyUp;
  e.vk = vk;
  Queue(n, e);
}

void QueueStick(NativeWindow& n, Pad& pad, int axis, int value) {
  for (const Event& e : pad.stick.Move(axis, value)) Queue(n, e);
}

constexpr struct {
  WORD mask;
  int button;
} kButtons[] = {{XINPUT_GAMEPAD_DPAD_UP, ControllerButton::DpadUp},
                {XINPUT_GAMEPAD_DPAD_DOWN, ControllerButton::DpadDown},
                {XINPUT_GAMEPAD_DPAD_LEFT, ControllerButton::DpadLeft},
                {XINPUT_GAMEPAD_DPAD_RIGHT, ControllerButton::DpadRight},
                {XINPUT_GAMEPAD_A, ControllerButton::South},
                {XINPUT_GAMEPAD_START, ControllerButton::Start}};

void PollControllers(NativeWindow& n) {
  if (!testReader && !XInput()) return;
  const double now = Now();
  for (DWORD i = 0; i < kPads; ++i) {
    Pad& pad = n.pads[i];
    // Asking for an absent controller is slow: look again every two seconds only.
    if (!pad.connected && now < pad.retryAt) continue;
    XINPUT_STATE state = {};
    if (!ReadPad(i, state)) {
      if (pad.connected) {
        // Unplugged: what it held is let go.
        for (const auto& b : kButtons) {
          if (pad.buttons & b.mask) QueueControllerButton(n, b.button, false);
        }
        QueueStick(n, pad, ControllerAxis::LeftX, 0);
        QueueStick(n, pad, ControllerAxis::LeftY, 0);
        pad.buttons = 0;
        pad.x = pad.y = 0;
      }
      pad.connected = false;
      pad.retryAt = now + 2.0;
      continue;
    }
    pad.connected = true;
    const WORD changed = static_cast<WORD>(state.Gamepad.wButtons ^ pad.buttons);
    for (const auto& b : kButtons) {
      if (changed & b.mask) QueueControllerButton(n, b.button, (state.Gamepad.wButtons & b.mask) != 0);
    }
    pad.buttons = state.Gamepad.wButtons;
    if (state.Gamepad.sThumbLX != pad.x) QueueStick(n, pad, ControllerAxis::LeftX, state.Gamepad.sThumbLX);
    // XInput's y grows upwards, the game's stick downwards.
    if (state.Gamepad.sThumbLY != pad.y) {
      QueueStick(n, pad, ControllerAxis::LeftY, -static_cast<int>(state.Gamepad.sThumbLY));
    }
    pad.x = state.Gamepad.sThumbLX;
    pad.y = state.Gamepad.sThumbLY;
  }
}

// ---- the window procedure ----

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* n = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!n) return DefWindowProcW(hwnd, message, wParam, lParam);

  const bool repeat = (lParam & (1L << 30)) != 0;
  const bool alt = (lParam & (1L << 29)) != 0;
  switch (message) {
    case WM_ACTIVATE:
      QueueType(*n, HIWORD(wParam) == 0 ? EventType::Restored : EventType::Minimized);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_SCREENSAVE:
        case SC_MONITORPOWER:
          return 0;
        case SC_KEYMENU:
          // A lone Alt or F10 would put the window in menu mode, where the
          // system's own loop holds the game's frames: the window has no menu.
          // Alt+Space still opens the system menu.
          if (lParam != ' ') return 0;
          break;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_F12) {
        if (!repeat) QueueType(*n, EventType::SaveScreenshot);
      } else if (wParam < 256) {
        Event e;
        e.type = EventType::KeyDown;
        e.vk = static_cast<int>(wParam);
        e.repeat = repeat;
        Queue(*n, e);
      }
      return 0;
    case WM_KEYUP:
      if (wParam != VK_F12 && wParam < 256) {
        Event e;
        e.type = EventType::KeyUp;
        e.vk = static_cast<int>(wParam);
        Queue(*n, e);
      }
      return 0;
    case WM_SYSKEYDOWN:
      // Alt combinations and F10 are the system's; Alt+Enter is the window's own.
      if (wParam == VK_RETURN && alt) {
        if (IsFullScreenToggle(VK_RETURN, alt, repeat)) n->owner->ToggleFullScreen();
        return 0;
      }
      break;
    case WM_SYSCHAR:
      // The characters TranslateMessage makes of Alt combinations (Alt+Enter
      // among them): the system would look for them in a menu the window
      // does not have, and beep. Alt+Space is the system menu's.
      if (wParam != ' ') return 0;
      break;
    case WM_MENUCHAR:
      // A key with no menu item: close the menu quietly instead of beeping.
      return MAKELRESULT(0, MNC_CLOSE);
    case WM_DPICHANGED: {
      // The window moved to a screen of another scale: take the size the system suggests.
      n->dpi = HIWORD(wParam);
      if (n->mode == ScreenMode::Window) {
        const RECT* r = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_SIZE:
      QueueType(*n, EventType::Resized, LOWORD(lParam), HIWORD(lParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance) {
  if (classUsers > 0) return true;
  WNDCLASSW wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = &WndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32517));  // IDI_WINLOGO
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));            // IDC_ARROW
  wc.lpszClassName = kClassName;
  if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    ReportFailure("RegisterClassW");
    return false;
  }
  return true;
}

void TeardownError(const char* text) {
  ShowMessageBox(text, "ERROR DE SALIDA", BoxButtons::Ok, BoxIcon::Information);
}

}  // namespace

bool FullScreenModeAvailable(int width, int height) {
  if (const char* refuse = std::getenv("GLUMBO_REFUSE_FULLSCREEN")) {
    if (std::strcmp(refuse, "1") == 0) return false;
  }
  DEVMODEW mode = DisplayMode(width, height);
  return ChangeDisplaySettingsW(&mode, CDS_TEST | CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

Window::~Window() { Close(); }

OpenResult Window::Open(const WindowRequest& request) {
  Close();
  BecomeDpiAware();
  auto* n = new NativeWindow;
  native_ = n;
  n->owner = this;
  n->instance = GetModuleHandleW(nullptr);
  n->width = request.width;
  n->height = request.height;
  if (!RegisterWindowClass(n->instance)) {
    delete n;
    native_ = nullptr;
    return OpenResult::VideoUnavailable;
  }
  ++classUsers;
  OpenWindows().push_back(n);

  fullScreen_ = false;
  if (request.fullScreen) {
    DEVMODEW mode = DisplayMode(request.width, request.height);
    fullScreen_ = ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    if (fullScreen_) n->mode = ScreenMode::DisplayMode;
  }
  DWORD exStyle = WS_EX_APPWINDOW;
  DWORD style = kPopUpStyle;
  int clientWidth = request.width, clientHeight = request.height;
  if (fullScreen_) {
    HideCursor(*n, true);
  } else {
    // A window as large on a high-DPI screen as at 96 DPI: its pixels scaled.
    exStyle = kWindowExStyle;
    style = kWindowStyle;
    n->dpi = DpiOfPrimaryScreen();
    clientWidth = Scaled(request.width, n->dpi);
    clientHeight = Scaled(request.height, n->dpi);
  }
  RECT rect = OuterRect(clientWidth, clientHeight, style, exStyle, n->dpi);
  const std::wstring title = win32::WideFromUtf8(request.title);
  n->window = CreateWindowExW(exStyle, kClassName, title.c_str(), style, 0, 0, rect.right - rect.left,
                              rect.bottom - rect.top, nullptr, nullptr, n->instance, n);
  if (!n->window) {
    ReportFailure("CreateWindowExW");
    return OpenResult::WindowFailed;
  }
  window_ = n->window;
  if (!fullScreen_) {
    // The screen the window landed on may have another scale than the first guess.
    const UINT dpi = DpiOfWindow(n->window);
    if (dpi != n->dpi) {
      n->dpi = dpi;
      rect = OuterRect(Scaled(request.width, dpi), Scaled(request.height, dpi), style, exStyle, dpi);
      SetWindowPos(n->window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

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
  // A step a test breaks gets an unusable argument, so that the system itself
  // refuses it and gives its own reason.
  SetLastError(0);
  n->dc = GetDC(Broken(OpenResult::DeviceContextFailed) ? reinterpret_cast<HWND>(INT_PTR{-1}) : n->window);
  if (!n->dc) {
    ReportFailure("GetDC");
    return OpenResult::DeviceContextFailed;
  }
  const int format = ChoosePixelFormat(Broken(OpenResult::PixelFormatNotFound) ? nullptr : n->dc, &pfd);
  if (format == 0) {
    ReportFailure("ChoosePixelFormat");
    return OpenResult::PixelFormatNotFound;
  }
  if (!SetPixelFormat(n->dc, Broken(OpenResult::PixelFormatNotSet) ? -1 : format, &pfd)) {
    ReportFailure("SetPixelFormat");
    return OpenResult::PixelFormatNotSet;
  }
  n->context = wglCreateContext(Broken(OpenResult::ContextFailed) ? nullptr : n->dc);
  if (!n->context) {
    ReportFailure("wglCreateContext");
    return OpenResult::ContextFailed;
  }
  context_ = n->context;
  if (!wglMakeCurrent(n->dc, Broken(OpenResult::MakeCurrentFailed) ? reinterpret_cast<HGLRC>(INT_PTR{-1})
                                                                      : n->context)) {
    ReportFailure("wglMakeCurrent");
    return OpenResult::MakeCurrentFailed;
  }

  // Vsync where the driver offers it; the game's speed comes from the frame step either way.
  using SwapIntervalFn = BOOL(WINAPI*)(int);
  if (auto swapInterval = reinterpret_cast<SwapIntervalFn>(
          reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")))) {
    swapInterval(1);
  }

  if (!request.hidden) {
    ShowWindow(n->window, SW_SHOW);
    SetForegroundWindow(n->window);
    SetFocus(n->window);
  }
  return OpenResult::Ok;
}

bool Window::CursorHidden() const { return native_ && N(native_)->cursorHidden; }

void Window::Close() {
  NativeWindow* n = N(native_);
  if (!n) return;  // never opened: another window is none of its business
  if (n->mode == ScreenMode::DisplayMode) ChangeDisplaySettingsW(nullptr, 0);
  HideCursor(*n, false);
  if (n->context) {
    if (wglGetCurrentContext() == n->context && !wglMakeCurrent(nullptr, nullptr)) {
      TeardownError("Fallo al eliminar el DC y el RC.");
    }
    if (!wglDeleteContext(n->context)) TeardownError("Fallo al eliminar el RC.");
  }
  if (n->dc && !ReleaseDC(n->window, n->dc)) TeardownError("Fallo al eliminar Release Device Context.");
  if (n->window) {
    SetWindowLongPtrW(n->window, GWLP_USERDATA, 0);
    if (!DestroyWindow(n->window)) TeardownError("No podemos eliminar Wnd.");
  }
  auto& open = OpenWindows();
  open.erase(std::remove(open.begin(), open.end(), n), open.end());
  // The class goes with the last window of it.
  if (--classUsers == 0 && !UnregisterClassW(kClassName, n->instance)) {
    TeardownError("No podemos 'desregistrar' la clase.");
  }
  delete n;
  native_ = nullptr;
  window_ = nullptr;
  context_ = nullptr;
  fullScreen_ = false;
}

void Window::ToggleFullScreen() {
  NativeWindow* n = N(native_);
  if (!n || !n->window) return;
  ToggleScreen(*n);
  fullScreen_ = n->mode != ScreenMode::Window;
}

void Window::SwapBuffers() {
  if (native_ && N(native_)->dc) ::SwapBuffers(N(native_)->dc);
}

bool Window::PollEvent(Event& event) {
  NativeWindow* n = N(native_);
  if (!n) return false;
  if (n->events.empty()) PollControllers(*n);
  while (n->events.empty()) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      QueueType(*n, EventType::CloseRequested);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  event = n->events.front();
  n->events.pop_front();
  return true;
}

void Window::DrawableSize(int& width, int& height) const {
  width = height = 0;
  RECT r;
  if (window_ && GetClientRect(static_cast<HWND>(window_), &r)) {
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
}

void PushKeyEvent(int vk, bool down, bool repeat, bool alt) {
  NativeWindow* n = Newest();
  if (!n || !n->window) return;
  // The message a keyboard would send: repeat count 1, previous state in bit
  // 30, context (Alt) in bit 29, transition in bit 31.
  LPARAM lParam = 1;
  if (alt || (vk == VK_MENU && down)) lParam |= 1L << 29;  // the Alt key itself is down
  if (repeat || !down) lParam |= 1L << 30;
  if (!down) lParam |= static_cast<LPARAM>(1UL << 31);
  const bool system = alt || vk == VK_F10 || vk == VK_MENU;
  const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  PostMessageW(n->window, message, static_cast<WPARAM>(vk), lParam);
}

void PushControllerButton(int button, bool down) {
  if (NativeWindow* n = Newest()) QueueControllerButton(*n, button, down);
}

void PushControllerAxis(int axis, int value) {
  if (NativeWindow* n = Newest()) QueueStick(*n, n->pads[0], axis, value);
}

void PushWindowEvent(EventType type, int width, int height) {
  NativeWindow* n = Newest();
  if (!n || !n->window) return;
  HWND hwnd = n->window;
  switch (type) {
    case EventType::CloseRequested:
      PostMessageW(hwnd, WM_CLOSE, 0, 0);
      break;
    case EventType::Minimized:
      PostMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
      break;
    case EventType::Restored:
      PostMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
      break;
    case EventType::Resized:
      PostMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
      break;
    default:
      break;
  }
}

void PushDpiChange(int dpi, int left, int top, int right, int bottom) {
  NativeWindow* n = Newest();
  if (!n || !n->window) return;
  RECT suggested = {left, top, right, bottom};
  SendMessageW(n->window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

void BreakOpenStepForTests(OpenResult step) { brokenStep = step; }

void SetControllerReaderForTests(ControllerReader reader) { testReader = reader; }

void ShutdownVideo() {}

}  // namespace platform
