// The main menu and options page, drawn as lit solid letters in front of a
// scene where the player runs back and forth with four ghosts. It also holds
// four of the display settings, and the solid-letter font only it uses.
#pragma once

class Player;
class Ghost;

// The size and placement of one solid glyph, in units where the em square is 1.
struct GlyphMetrics {
  float blackBoxX = 0.0f;  // ink width
  float blackBoxY = 0.0f;  // ink height
  float originX = 0.0f;    // ink box's upper-left corner, from the pen position
  float originY = 0.0f;
  float cellIncX = 0.0f;   // how far the glyph's list moves the pen on
  float cellIncY = 0.0f;
};

class Menu {
 public:
  Menu() = default;
  virtual ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  // Solid font: 256 lists from outlineBase, codes 0 to 254 built. Needs a GL context.
  void BuildOutlineFont();
  void DeleteOutlineFont();
  // Formats the text (at most 255 characters), centres it on the current origin
  // along x and draws it; the modelview ends at the text's right end.
  void PrintOutline(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  // 0: titles and values (red), 1: selectable labels (blue); anything else as 0.
  void SetTextMaterial(int colour);
  // The width PrintOutline centres on: the sum of the glyphs' advances.
  float OutlineTextWidth(const char* text) const;

  void UpdateMenu(double step);
  void DrawMenuScene();
  // The selected line's spin and the runner with its ghosts: the menu's own
  // animation, which the record screen shows too.
  void StepAttractScene(double step);
  // Shows the table of records in place of the page; marked: the rank of a
  // record just entered, drawn like a selected line, or -1.
  void ShowRecords(int marked);

  // Lines of the current page that can be selected.
  int LineCount() const { return page == 0 ? 3 : 6; }

  Player* player = nullptr;  // attract-scene runner; not owned
  Ghost* ghosts[4] = {};     // ghosts 0 to 3 of the game; not owned
  GlyphMetrics glyphMetrics[256] = {};
  unsigned int outlineBase = 0;
  float spin = 0.0f;          // degrees, the selected line's roll
  int selected = 0;
  float runnerX = 10.0f;
  float runnerSpeed = -0.04f; // units per tick
  int page = 0;               // 0 main, 1 options
  float slideX = 0.0f;
  float slideSpeed = 0.0f;    // units per tick; 0 while the text stands still
  // The attract loop: after kIdleSecondsBeforeRecords without a key the table
  // of records replaces the page for kRecordsShownSeconds, or until a key.
  float idleSeconds = 0.0f;
  bool showingRecords = false;
  float recordsSeconds = 0.0f;
  int markedRecord = -1;

  // Display settings edited by the options page (saved in config.dat).
  int detailSetting = 2;    // texture detail: 0 low, 1 medium, 2 high
  bool windowed = true;     // false: full screen
  bool cullingOn = true;    // per-cell visibility culling of the maze
  bool texturesOn = true;   // draw the maze with textures

 private:
  // One frame of the attract loop's table; true while the table shows, so
  // that the keys are its own.
  bool StepRecordsTable(double step);
  void ActOnSelectedLine();
  void DrawPageText();
  void DrawLine(float y, float z, int colour, bool isSelected, const char* label, const char* value);
  // The runner and its ghosts; these reach into the actors.
  void PowerRunner(bool on);
  void AnimateRunner(double step);
  void DrawAttractScene();
};

inline constexpr float kIdleSecondsBeforeRecords = 15.0f;
inline constexpr float kRecordsShownSeconds = 8.0f;

extern Menu* menu;
