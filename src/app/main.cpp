#include <cstdio>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/data_location.h"
#include "app/main_loop.h"
#include "app/records_command.h"
#include "app/settings.h"
#include "game/records_file.h"
#include "platform/window.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  const CommandLineOutcome options = ParseCommandLine(args);
  std::fputs(options.out.c_str(), stdout);
  std::fputs(options.err.c_str(), stderr);
  if (options.showRecords) return PrintRecordsTable(options.recordsFile);
  if (!options.play) return options.exitStatus;

  // A file named on the command line is taken from where the game was started.
  const std::string givenRecords = ChooseRecordsPath(options.recordsFile, "");
  // Without its data the game cannot start; the box has told the player why.
  if (!EnterDataDir()) return 0;
  recordsPath = options.recordsFile.empty() ? ChooseRecordsPath("", settingsPath) : givenRecords;
  std::fprintf(stderr, "glumbo3d: records in %s\n", recordsPath.c_str());
  WindowLoopDriver driver;
  int code = RunGame(driver);
  platform::ShutdownVideo();
  return code;
}
