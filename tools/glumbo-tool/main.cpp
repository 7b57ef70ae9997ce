#include <cstdio>
#include <cstring>

#include "command.h"

namespace {
std::vector<const ToolCommand*>& Registry() {
  static std::vector<const ToolCommand*> commands;
  return commands;
}
}  // namespace

ToolCommand::ToolCommand(const char* n, const char* u, ToolFunction r) : name(n), usage(u), run(r) {
  Registry().push_back(this);
}

const std::vector<const ToolCommand*>& ToolCommands() { return Registry(); }

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const ToolCommand* c : ToolCommands()) {
      if (std::strcmp(argv[1], c->name) == 0) {
        return c->run(std::vector<std::string>(argv + 2, argv + argc));
      }
    }
  }
  std::fprintf(stderr, "usage: glumbo-tool COMMAND ARGS\n");
  for (const ToolCommand* c : ToolCommands()) std::fprintf(stderr, "  %s %s\n", c->name, c->usage);
  return 2;
}
