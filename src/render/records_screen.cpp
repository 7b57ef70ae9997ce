#include "render/records_screen.h"

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
// and their columns fit between the title and the attract scene.
constexpr float kTableDepth = -16.0f;
constexpr float kTableTop = 3.2f;
constexpr float kTableLineGap = 0.75f;
constexpr float kLetterGap = 1.2f;

void DrawText(Menu& menu, float x, float y, float z, int colour, bool rolling, const char* text) {
  menu.SetTextMaterial(colour);
  glPushMatrix();
  glTranslatef(x, y, z);
  if (rolling) {
    // About the line's own horizontal middle, as the menu's selected line.
    glTranslatef(0.0f, 0.25f, 0.0f);
    glRotatef(menu.spin, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -0.25f, 0.0f);
  }
  menu.PrintOutline("%s", text);
  glPopMatrix();
}

// A title with its underline of dashes, as on the menu's pages.
void DrawTitle(Menu& menu, const char* title) {
  DrawText(menu, 0.0f, 3.0f, kTitleDepth, kTitleColour, false, title);
  const std::string dashes(std::strlen(title), '-');
  DrawText(menu, 0.0f, 2.5f, kTitleDepth, kTitleColour, false, dashes.c_str());
}

}  // namespace

void DrawRecordEntryText(Menu& menu) {
  DrawTitle(menu, kNewRecordTitle);
  char points[32];
  std::snprintf(points, sizeof points, "%d", pendingRecord.points);
  DrawText(menu, 0.0f, 1.2f, kTitleDepth, kTitleColour, false, points);
  const auto initials = recordEntry.Initials();
  for (int i = 0; i < kInitialsLength; ++i) {
    const float x = kLetterGap * static_cast<float>(i - 1);
    const bool current = i == recordEntry.Place();
    // Each place is underlined, so that a space still shows where it stands.
    DrawText(menu, x, -0.5f, kTitleDepth, kLabelColour, false, "_");
    const char letter[2] = {initials[i], '\0'};
    DrawText(menu, x, -0.5f, kTitleDepth, current ? kTitleColour : kLabelColour, current, letter);
  }
}

void DrawRecordTableText(Menu& menu) {
  DrawTitle(menu, kRecordsTitle);
  // Every line has the same width in the game's fixed-width font, so centring
  // each one keeps the columns straight.
  DrawText(menu, 0.0f, kTableTop, kTableDepth, kLabelColour, false, "         PUNTOS  NIVEL");
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
    DrawText(menu, 0.0f, y, kTableDepth, marked ? kTitleColour : kLabelColour, marked, line);
  }
}
