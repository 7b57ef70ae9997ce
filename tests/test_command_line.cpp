// The game's command line: --help, --version, the records options, and a
// refusal for anything else.
#include <gtest/gtest.h>

#include <regex>
#include <string_view>
#include <vector>

#include "app/command_line.h"

namespace {

CommandLineOutcome Parse(std::vector<std::string_view> args) { return ParseCommandLine(args); }

TEST(CommandLine, NoArgumentsPlaysAndHelpAndVersionPrintAndEndWithZero) {
  const CommandLineOutcome play = Parse({});
  EXPECT_TRUE(play.play);
  EXPECT_EQ(play.out + play.err, "");

  const CommandLineOutcome help = Parse({"--help"});
  EXPECT_FALSE(help.play);
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: glumbo3d", 0), 0u) << help.out;
  for (const char* key : {"Up, Down", "Space", "Escape", "arrow keys", "\n  P ", "controller", "Alt+Enter", "F12"}) {
    EXPECT_NE(help.out.find(key), std::string::npos) << key;
  }

  const CommandLineOutcome version = Parse({"--version"});
  EXPECT_FALSE(version.play);
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out, VersionText());
  EXPECT_TRUE(std::regex_match(version.out, std::regex("glumbo3d [0-9]+(\\.[0-9]+)+\n"))) << version.out;
}

TEST(CommandLine, AnythingElseGivesTheUsageOnStandardErrorAndStatusTwo) {
  const std::vector<std::vector<std::string_view>> refused = {
      {"-h"}, {"--helpme"}, {"--Version"}, {""}, {"level7"}, {"--help", "--version"}, {"--version", "x"},
      {"--records-file"}, {"--records", "--records"}, {"--records", "--help"}, {"--records", "x"}};
  for (const auto& args : refused) {
    const CommandLineOutcome r = Parse(args);
    EXPECT_FALSE(r.play) << args[0];
    EXPECT_EQ(r.exitStatus, 2) << args[0];
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_NE(r.err.find("Usage: glumbo3d [--help | --version | [--records] [--records-file FILE]]\n"),
              std::string::npos) << r.err;
    // The first line names what was refused.
    const std::string first = r.err.substr(0, r.err.find('\n'));
    EXPECT_TRUE(first.find(args[0]) != std::string::npos || first.find(args.back()) != std::string::npos) << r.err;
  }
}

TEST(CommandLine, RecordsPrintsTheTableAndRecordsFileChoosesItsFileForEither) {
  const CommandLineOutcome print = Parse({"--records-file", "t.dat", "--records"});
  EXPECT_TRUE(!print.play && print.showRecords && print.recordsFile == "t.dat" && print.err.empty());
  const CommandLineOutcome play = Parse({"--records-file", "t.dat"});
  EXPECT_TRUE(play.play && !play.showRecords && play.recordsFile == "t.dat");
  EXPECT_NE(Parse({"--help"}).out.find("--records"), std::string::npos);
}

}  // namespace
