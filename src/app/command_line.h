// The game's only command-line options, --help and --version. Everything a
// player chooses is kept in config.dat, not given on the command line.
#pragma once

#include <span>
#include <string>
#include <string_view>

// What main does with the arguments: start the game, or print and end.
struct CommandLineOutcome {
  bool play = true;
  int exitStatus = 0;  // when not playing
  std::string out;     // for standard output
  std::string err;     // for standard error
};

// args: the arguments after the program's name.
CommandLineOutcome ParseCommandLine(std::span<const std::string_view> args);

// "glumbo3d VERSION", the version being the build's project version.
std::string VersionText();
