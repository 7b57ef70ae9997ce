// Each subcommand of glumbo-tool lives in a file of its own and registers itself:
//   static const ToolCommand kCommand("name", "ARGS  what it does", &Run);
#pragma once

#include <string>
#include <vector>

using ToolFunction = int (*)(const std::vector<std::string>& args);

struct ToolCommand {
  ToolCommand(const char* name, const char* usage, ToolFunction run);
  const char* name;
  const char* usage;
  ToolFunction run;
};

const std::vector<const ToolCommand*>& ToolCommands();
