// The menu's attract scene: the player runs to and fro along the bottom of the
// screen, chased by four ghosts, and turns on them once powered.
// The actors' drawing joins here once it is in the game.
#include "render/menu.h"

void Menu::PowerRunner(bool) {}
void Menu::AnimateRunner(double) {}
void Menu::DrawAttractScene() {}
