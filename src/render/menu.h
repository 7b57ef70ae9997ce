// The main menu and options page. It also holds four of the display settings.
#pragma once

class Menu {
 public:
  Menu() = default;
  virtual ~Menu() = default;

  // Display settings edited by the options page (saved in config.dat).
  bool windowed = true;     // false: full screen
  bool cullingOn = true;    // per-cell visibility culling of the maze
  int detailSetting = 2;    // texture detail: 0 low, 1 medium, 2 high
  bool texturesOn = true;   // draw the maze with textures
};

extern Menu* menu;
