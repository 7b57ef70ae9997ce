#include "render/menu.h"

#include <cstdio>

#include "app/key_state.h"
#include "app/settings.h"
#include "game/game_state.h"
#include "platform/gl.h"
#include "render/records_screen.h"

Menu* menu = nullptr;

namespace {

constexpr float kSlideSpeed = 0.3f;    // units per tick
constexpr float kSlideTurn = -15.0f;   // where the page changes, off the left of the view
constexpr float kRunnerLeftTurn = -20.0f;
constexpr float kRunnerRightTurn = 10.0f;

// A key counts once: a press that is taken is marked handled.
bool TakePress(int vk) {
  if (KeyState[vk] != KeyPressed) return false;
  KeyState[vk] = KeyHandled;
  return true;
}

void NextResolution() {
  switch (screenWidth) {
    case 320: screenWidth = 640; screenHeight = 480; break;
    case 640: screenWidth = 800; screenHeight = 600; break;
    case 800: screenWidth = 1024; screenHeight = 768; break;
    default: screenWidth = 320; screenHeight = 240; break;
  }
}

const char* DetailName(int detail) {
  switch (detail) {
    case 2: return "Alto";
    case 1: return " Medio";
    case 0: return "Bajo";
    default: return "";
  }
}

}  // namespace

Menu::~Menu() { DeleteOutlineFont(); }

void Menu::StepAttractScene(double step) {
  spin += static_cast<float>(2.5 * step);
  if (spin > 360.0f) spin -= 360.0f;

  runnerX += static_cast<float>(step * runnerSpeed);
  if (runnerX < kRunnerLeftTurn) {
    PowerRunner(true);
    runnerSpeed = -runnerSpeed;
  } else if (runnerX > kRunnerRightTurn) {
    runnerSpeed = -runnerSpeed;
    PowerRunner(false);
  }
  AnimateRunner(step);
}

void Menu::UpdateMenu(double step) {
  StepAttractScene(step);

  if (slideX + step * slideSpeed > 0.0) {
    slideX = 0.0f;
    slideSpeed = 0.0f;
  }
  slideX += static_cast<float>(step * slideSpeed);
  if (slideX < kSlideTurn && slideSpeed < 0.0f) {
    page = (page + 1) % 2;
    slideSpeed = -slideSpeed;
    selected = 0;
  }

  if (StepRecordsTable(step)) return;
  // Keys wait while the text slides: a press still held when it stops acts then.
  if (slideSpeed != 0.0f) return;
  const int n = LineCount();
  if (TakePress(VkDown)) {
    selected = (selected + 1) % n;
    spin = 0.0f;
  } else if (TakePress(VkUp)) {
    selected = (selected + n - 1) % n;
    spin = 0.0f;
  }
  if (TakePress(VkSpace)) ActOnSelectedLine();
}

void Menu::ActOnSelectedLine() {
  if (page == 0) {
    switch (selected) {
      case 0: GameState = StateNewGame; break;
      case 1: slideSpeed = -kSlideSpeed; break;
      case 2: KeyState[VkEscape] = KeyPressed; break;  // ends the program as Escape does
      default: break;
    }
    return;
  }
  switch (selected) {
    case 0: texturesOn = !texturesOn; break;
    case 1: detailSetting = (detailSetting + 1) % 3; break;
    case 2: cullingOn = !cullingOn; break;
    case 3: NextResolution(); break;
    case 4: windowed = !windowed; break;
    case 5: slideSpeed = -kSlideSpeed; break;
    default: break;
  }
}

void Menu::DrawLine(float y, float z, int colour, bool isSelected, const char* label, const char* value) {
  SetTextMaterial(colour);
  glPushMatrix();
  glTranslatef(slideX, y, z);
  if (isSelected) {
    // The selected line rolls about its own horizontal middle.
    glTranslatef(0.0f, 0.25f, 0.0f);
    glRotatef(spin, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -0.25f, 0.0f);
  }
  PrintOutline("%s", label);
  if (value) {
    SetTextMaterial(0);
    PrintOutline("%s", value);
  }
  glPopMatrix();
}

void Menu::DrawPageText() {
  if (page == 0) {
    DrawLine(3.0f, -10.0f, 0, false, "Super Glumbo 3D", nullptr);
    DrawLine(2.5f, -10.0f, 0, false, "---------------", nullptr);
    DrawLine(1.0f, -10.0f, 1, selected == 0, "Nuevo Juego", nullptr);
    DrawLine(0.0f, -10.0f, 1, selected == 1, "Opciones", nullptr);
    DrawLine(-1.0f, -10.0f, 1, selected == 2, "Salir", nullptr);
    return;
  }
  char resolution[256];
  std::snprintf(resolution, sizeof resolution, "%d x %d", screenWidth, screenHeight);
  DrawLine(3.0f, -10.0f, 0, false, "Opciones", nullptr);
  DrawLine(2.5f, -10.0f, 0, false, "--------", nullptr);
  DrawLine(2.0f, -13.0f, 1, selected == 0, "Texturas:  ", texturesOn ? "  ON" : "   OFF");
  DrawLine(1.0f, -13.0f, 1, selected == 1, "Nivel detalle:   ", DetailName(detailSetting));
  DrawLine(0.0f, -13.0f, 1, selected == 2, "Aceleracion 3D:  ", cullingOn ? "ON" : " OFF");
  DrawLine(-1.0f, -13.0f, 1, selected == 3, "Resolucion:     ", resolution);
  DrawLine(-2.0f, -13.0f, 1, selected == 4, "Pantalla Completa:  ", windowed ? " OFF" : "ON");
  DrawLine(-3.0f, -13.0f, 1, selected == 5, "Volver", nullptr);
}

void Menu::DrawMenuScene() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // The menu keeps the window's real proportions, unlike the play camera: those
  // of the viewport, which follows the window as the player resizes it.
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  const double aspect = viewport[3] > 0 ? static_cast<double>(viewport[2]) / viewport[3] : 4.0 / 3.0;
  gluPerspective(45.0, aspect, 1.0, 50.0);
  gluLookAt(0.0, 0.0, 0.0, 0.0, 0.0, -1.0, 0.0, 1.0, 0.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
  const GLfloat diffuse[4] = {0.4f, 0.4f, 0.4f, 1.0f};
  const GLfloat position[4] = {0.0f, 0.0f, 3.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, diffuse);
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1.0f);
  glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.0f);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glCullFace(GL_BACK);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_CULL_FACE);
  if (GameState == StateRecordEntry) {
    DrawRecordEntryText(*this);
  } else if (showingRecords) {
    DrawRecordTableText(*this);
  } else {
    DrawPageText();
  }

  // The models are wound the other way round from the letters. This cull mode
  // is left in force for every scene drawn after the menu.
  glCullFace(GL_FRONT);
  glEnable(GL_CULL_FACE);
  // The table takes the whole screen; the chase goes on unseen behind it.
  if (!showingRecords || GameState == StateRecordEntry) DrawAttractScene();
}
