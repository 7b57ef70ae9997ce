#include "app/game_window.h"

#include "platform/gl.h"
#include "platform/message_box.h"

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

GameWindow* gameWindow = nullptr;
bool GameWindow::openHidden = false;

namespace {
void CreationError(const char* text) {
  platform::ShowMessageBox(text, "ERROR", BoxButtons::Ok, BoxIcon::Exclamation);
}
}  // namespace

bool GameWindow::CreateGameWindow(const std::string& title, int width, int height, int /*bitsPerPixel*/,
                                  bool fullScreenRequest) {
  fullScreen = fullScreenRequest;

  if (fullScreen && !platform::FullScreenModeAvailable(width, height)) {
    BoxAnswer answer = platform::ShowMessageBox(
        "El modo pantalla completa no es soportado por\nSu tarjeta gráfica. ¿Desea usar modo ventana?",
        "¿Ventana? :-)", BoxButtons::YesNo, BoxIcon::Exclamation);
    if (answer != BoxAnswer::Yes) {
      platform::ShowMessageBox("El programa cerrará.", "ERROR", BoxButtons::Ok, BoxIcon::Stop);
      return false;
    }
    fullScreen = false;
  }

  platform::WindowRequest request;
  request.title = title;
  request.width = width;
  request.height = height;
  request.fullScreen = fullScreen;
  request.hidden = openHidden;

  window_ = std::make_unique<platform::Window>();
  switch (window_->Open(request)) {
    case platform::OpenResult::Ok:
      break;
    case platform::OpenResult::VideoUnavailable:
      window_.reset();
      CreationError("Fallo al registrar la clase ventana.");
      return false;
    case platform::OpenResult::WindowFailed:
      DestroyGameWindow();
      CreationError("Error en la creación de la ventana.");
      return false;
    case platform::OpenResult::DeviceContextFailed:
      DestroyGameWindow();
      CreationError("No podemos crear un GL Device Context.");
      return false;
    case platform::OpenResult::PixelFormatNotFound:
      DestroyGameWindow();
      CreationError("No podemos encontrar un formato de pixel aceptable.");
      return false;
    case platform::OpenResult::PixelFormatNotSet:
      DestroyGameWindow();
      CreationError("No se puede establacer el formato de Pixel.");
      return false;
    case platform::OpenResult::ContextFailed:
      DestroyGameWindow();
      CreationError("No se puede crear un GL Rendering Context.");
      return false;
    case platform::OpenResult::MakeCurrentFailed:
      DestroyGameWindow();
      CreationError("No se puede activar el GL Rendering Context.");
      return false;
  }

  // The window's real size: on a high-DPI screen larger than the request.
  int drawableWidth = width, drawableHeight = height;
  window_->DrawableSize(drawableWidth, drawableHeight);
  if (drawableWidth <= 0 || drawableHeight <= 0) {
    drawableWidth = width;
    drawableHeight = height;
  }
  ResizeView(drawableWidth, drawableHeight);
  if (!InitGLState()) {
    DestroyGameWindow();
    CreationError("Fallo en la inicialización.");
    return false;
  }
  return true;
}

void GameWindow::DestroyGameWindow() {
  if (window_) {
    window_->Close();
    window_.reset();
  }
}

void GameWindow::ResizeView(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 50.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

bool GameWindow::InitGLState() {
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_TEXTURE_2D);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glShadeModel(GL_SMOOTH);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_LIGHTING);
  return true;
}
