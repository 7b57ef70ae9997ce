#include "render/records_screen.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/record_entry.h"
#include "game/records_file.h"
#include "platform/gl.h"
#include "render/menu.h"

namespace {

constexpr int kTitleColour = 0;  // titles and values, red
constexpr int kLabelColour = 1;  // what the player can pick, blue
constexpr float kTitleDepth = -10.0f;
// The table's lines stand further back than the titles, so that ten of them
// and their columns fit below the title, the attract scene set aside.
constexpr float kTableDepth = -20.0f;
constexpr float kTableTop = 3.9f;
constexpr float kTableLineGap = 1.0f;
constexpr float kLetterGap = 1.2f;
constexpr float kLetterSwing = 35.0f;  // degrees either way
constexpr float kDegreesToRadians = 3.141592f / 180.0f;

enum class Motion { Still, Roll, Swing };

void DrawText(Menu& menu, float x, float y, float z, int colour, Motion motion, const char* text) {
  menu.SetTextMaterial(colour);
  glPushMatrix();
  glTranslatef(x, y, z);
  if (motion == Motion::Roll) {
    // About the line's own horizontal middle, as the menu's selected line.
    glTranslatef(0.0f, 0.25f, 0.0f);
    glRotatef(menu.spin, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -0.25f, 0.0f);
  } else if (motion == Motion::Swing) {
    // A letter being set turns to and fro on its upright, never so far that
    // it cannot be read.
    glRotatef(kLetterSwing * std::sin(menu.spin * kDegreesToRadians), 0.0f, 1.0f, 0.0f);
  }
  menu.PrintOutline("%s", text);
  glPopMatrix();
}

// A title with its underline of dashes, as on the menu's pages.
void DrawTitle(Menu& menu, const char* title) {
  DrawText(menu, 0.0f, 3.0f, kTitleDepth, kTitleColour, Motion::Still, title);
  const std::string dashes(std::strlen(title), '-');
  DrawText(menu, 0.0f, 2.5f, kTitleDepth, kTitleColour, Motion::Still, dashes.c_str());
}

}  // namespace

void DrawRecordEntryText(Menu& menu) {
  DrawTitle(menu, kNewRecordTitle);
  char points[32];
  std::snprintf(points, sizeof points, "%d", pendingRecord.points);
  DrawText(menu, 0.0f, 1.2f, kTitleDepth, kTitleColour, Motion::Still, points);
  const auto initials = recordEntry.Initials();
  for (int i = 0; i < kInitialsLength; ++i) {
    const float x = kLetterGap * static_cast<float>(i - 1);
    const bool current = i == recordEntry.Place();
    // Each place is underlined, so that a space still shows where it stands;
    // the place being set is in the title's colour.
    const int colour = current ? kTitleColour : kLabelColour;
    DrawText(menu, x, -0.5f, kTitleDepth, colour, Motion::Still, "_");
    const char letter[2] = {initials[i], '\0'};
    DrawText(menu, x, -0.5f, kTitleDepth, colour, current ? Motion::Swing : Motion::Still, letter);
  }
}

void DrawRecordTableText(Menu& menu) {
  DrawTitle(menu, kRecordsTitle);
  // Every line has the same width in the game's fixed-width font, so centring
  // each one keeps the columns straight.
  DrawText(menu, 0.0f, kTableTop, kTableDepth, kLabelColour, Motion::Still, "         PUNTOS  NIVEL");
  for (int i = 0; i < kRecordCount; ++i) {
    char line[64];
    if (i < static_cast<int>(recordTable.size())) {
      const Record& r = recordTable[static_cast<std::size_t>(i)];
      std::snprintf(line, sizeof line, "%2d. %c%c%c  %6d  %5s", i + 1, r.initials[0], r.initials[1], r.initials[2],
                    r.points, LevelText(r.level).c_str());
    } else {
      std::snprintf(line, sizeof line, "%2d. ---  %6s  %5s", i + 1, "", "");
    }
    const bool marked = i == menu.markedRecord;
    const float y = kTableTop - kTableLineGap * static_cast<float>(i + 1);
    DrawText(menu, 0.0f, y, kTableDepth, marked ? kTitleColour : kLabelColour, marked ? Motion::Roll : Motion::Still,
             line);
  }
}
