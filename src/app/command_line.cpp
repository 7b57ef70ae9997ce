#include "app/command_line.h"

#ifndef GLUMBO_VERSION
#error "the build gives GLUMBO_VERSION, the project's version"
#endif

namespace {

constexpr std::string_view kUsage = "Usage: glumbo3d [--help | --version]\n";

constexpr std::string_view kHelp =
    "\n"
    "Glumbo 3D: steer through mazes seen in 3D, eat the coins and flee the ghosts.\n"
    "Without options the game opens its window. The display settings are chosen\n"
    "on its options page and kept in config.dat.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "In the menu:\n"
    "  Up, Down     choose an entry\n"
    "  Space        take the entry\n"
    "  Escape       quit\n"
    "\n"
    "In play:\n"
    "  arrow keys   steer; in the chase and close views Left and Right turn,\n"
    "               Down turns back and Up speeds up; in the overhead view the\n"
    "               arrows point the way to go\n"
    "  Space        change the camera: chase, close, overhead\n"
    "  P            pause and resume\n"
    "  Escape       quit\n"
    "\n"
    "Anywhere:\n"
    "  Alt+Enter    full screen at the desktop's size, and back to the window\n"
    "  F12          save a picture of the screen in your pictures folder, under Glumbo3D\n"
    "\n"
    "On the level map any key goes on after two seconds. A game controller works\n"
    "too: the d-pad and the left stick are the arrows, the south face button is\n"
    "Space and Start is P.\n";

}  // namespace

std::string VersionText() { return std::string("glumbo3d ") + GLUMBO_VERSION + "\n"; }

CommandLineOutcome ParseCommandLine(std::span<const std::string_view> args) {
  if (args.empty()) return {};
  if (args.size() == 1 && args[0] == "--help") return {false, 0, std::string(kUsage) + std::string(kHelp), ""};
  if (args.size() == 1 && args[0] == "--version") return {false, 0, VersionText(), ""};
  const bool known = args[0] == "--help" || args[0] == "--version";
  const std::string why = known ? "glumbo3d: " + std::string(args[0]) + " takes nothing after it\n"
                                : "glumbo3d: unknown option '" + std::string(args[0]) + "'\n";
  return {false, 2, "", why + std::string(kUsage) + "The game's settings are kept in config.dat; see glumbo3d --help.\n"};
}
