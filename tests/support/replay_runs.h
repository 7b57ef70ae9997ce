// Running the built replay tool and the game as child processes, and reading
// what the replay prints.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace test {

struct CommandResult {
  int status = -1;  // the exit status; -1 when the command did not exit normally
  std::string output;  // its standard output (standard error is dropped)
};

// Single quotes for a shell word.
std::string ShellQuote(const std::string& word);

CommandResult RunCommand(const std::string& command);

// The numbers on the replay's summary line that starts with NAME ("states", "levels").
std::set<int> SummaryNumbers(const std::string& output, const std::string& name);

// The replay's state lines ("frame state level lives"), in the order printed.
std::vector<std::vector<int>> StateLines(const std::string& output);

}  // namespace test
