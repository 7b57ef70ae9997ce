#include "app/command_line.h"

#include <utility>

#ifndef GLUMBO_VERSION
#error "the build gives GLUMBO_VERSION, the project's version"
#endif

namespace {

constexpr std::string_view kUsage = "Usage: glumbo3d [--help | --version | [--records] [--records-file FILE]]\n";

constexpr std::string_view kHelp =
    "\n"
    "Glumbo 3D: steer through mazes seen in 3D, eat the coins and flee the ghosts.\n"
    "Without options the game opens its window. The display settings are chosen\n"
    "on its options page and kept in config.dat.\n"
    "\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "  --records            print the table of the ten best games and exit\n"
    "  --records-file FILE  keep the table of records in FILE instead of records.dat\n"
    "\n"
    "The table of records is kept in records.dat, beside config.dat. A game that\n"
    "ends with points for it asks for three initials: Up and Down change the\n"
    "letter, Left and Right move between letters, letter keys type, Backspace\n"
    "goes back, Space or Enter confirms. The menu shows the table after 15\n"
    "seconds without a key.\n"
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
  auto end = [](int status, std::string out, std::string err) {
    CommandLineOutcome o;
    o.play = false;
    o.exitStatus = status;
    o.out = std::move(out);
    o.err = std::move(err);
    return o;
  };
  if (args.size() == 1 && args[0] == "--help") return end(0, std::string(kUsage) + std::string(kHelp), "");
  if (args.size() == 1 && args[0] == "--version") return end(0, VersionText(), "");
  auto refuse = [&end](const std::string& why) {
    return end(2, "", "glumbo3d: " + why + "\n" + std::string(kUsage) +
                          "The game's settings are kept in config.dat; see glumbo3d --help.\n");
  };
  CommandLineOutcome outcome;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--help" || a == "--version") return refuse(std::string(a) + " takes nothing after it");
    if ((a == "--records" && outcome.showRecords) || (a == "--records-file" && !outcome.recordsFile.empty())) {
      return refuse(std::string(a) + " is given twice");
    }
    if (a == "--records") {
      outcome.showRecords = true;
      outcome.play = false;
    } else if (a == "--records-file") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return refuse("--records-file needs a file after it");
      outcome.recordsFile = std::string(args[++i]);
    } else {
      return refuse("unknown option '" + std::string(a) + "'");
    }
  }
  return outcome;
}
