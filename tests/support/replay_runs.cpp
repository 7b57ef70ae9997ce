#include "support/replay_runs.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

namespace test {

std::string ShellQuote(const std::string& word) {
  std::string q = "'";
  for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

CommandResult RunCommand(const std::string& command) {
  CommandResult r;
  FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
  if (!p) return r;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) r.output.append(buffer, n);
  const int raw = pclose(p);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

std::set<int> SummaryNumbers(const std::string& output, const std::string& name) {
  std::set<int> numbers;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(name + " ", 0) != 0 && line != name) continue;
    std::istringstream words(line.substr(name.size()));
    int v;
    while (words >> v) numbers.insert(v);
  }
  return numbers;
}

std::vector<std::vector<int>> StateLines(const std::string& output) {
  std::vector<std::vector<int>> result;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::vector<int> v;
    int x;
    while (words >> x) v.push_back(x);
    if (v.size() == 4 && words.eof()) result.push_back(v);
  }
  return result;
}

}  // namespace test
