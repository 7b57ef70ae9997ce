// The game's command-line options: --help, --version, --records to print the
// table of records, and --records-file to keep the table in another file.
// Everything a player chooses is kept in config.dat, not given on the command line.
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
  bool showRecords = false;  // print the table of records and end, instead of playing
  std::string recordsFile;   // the table's file when not the usual records.dat; "" for that
};

// args: the arguments after the program's name.
CommandLineOutcome ParseCommandLine(std::span<const std::string_view> args);

// "glumbo3d VERSION", the version being the build's project version.
std::string VersionText();
