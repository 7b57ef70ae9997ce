// The game's command line: --help, --version, the records options, and a
// refusal for anything else.
#include <gtest/gtest.h>

#include <regex>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/command_line.h"

namespace {

CommandLineOutcome Parse(std::vector<std::string_view> args) { return ParseCommandLine(args); }

TEST(CommandLine, HelpVersionAndRecordsEndWithZeroAndAnythingElseGivesTheUsageOnStandardErrorAndStatusTwo) {
  const CommandLineOutcome play = Parse({}), help = Parse({"--help"}), version = Parse({"--version"});
  EXPECT_TRUE(play.play && (play.out + play.err).empty());
  EXPECT_EQ(std::tuple(help.play, help.exitStatus, help.err, version.play, version.exitStatus, version.err),
            std::tuple(false, 0, "", false, 0, ""));
  EXPECT_EQ(help.out.rfind("Usage: glumbo3d", 0), 0u) << help.out;
  for (const char* key : {"Up, Down", "Space", "Escape", "arrow keys", "\n  P ", "controller", "Alt+Enter", "F12", "--records"})
    EXPECT_NE(help.out.find(key), std::string::npos) << key;
  EXPECT_EQ(version.out, VersionText());
  EXPECT_TRUE(std::regex_match(version.out, std::regex("glumbo3d [0-9]+(\\.[0-9]+)+\n"))) << version.out;

  const CommandLineOutcome print = Parse({"--records-file", "t.dat", "--records"}), other = Parse({"--records-file", "t.dat"});
  EXPECT_TRUE(!print.play && print.showRecords && print.recordsFile == "t.dat" && print.err.empty());
  EXPECT_TRUE(other.play && !other.showRecords && other.recordsFile == "t.dat");

  const std::vector<std::vector<std::string_view>> refused = {
      {"-h"}, {"--helpme"}, {"--Version"}, {""}, {"level7"}, {"--help", "--version"}, {"--version", "x"},
      {"--records-file"}, {"--records", "--records"}, {"--records", "--help"}, {"--records", "x"}};
  for (const auto& args : refused) {
    const CommandLineOutcome r = Parse(args);
    EXPECT_TRUE(!r.play && r.exitStatus == 2 && r.out.empty()) << args[0];
    EXPECT_NE(r.err.find("Usage: glumbo3d [--help | --version | [--records] [--records-file FILE]]\n"),
              std::string::npos) << r.err;
    // The first line names what was refused.
    const std::string first = r.err.substr(0, r.err.find('\n'));
    EXPECT_TRUE(first.find(args[0]) != std::string::npos || first.find(args.back()) != std::string::npos) << r.err;
  }
}

}  // namespace
