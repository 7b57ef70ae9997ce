// levelc: compiles level sources (content/levels/*.lvl) into the game's
// pantallas/ files.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "level_compile.h"
#include "level_source.h"

namespace {

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) std::fprintf(stderr, "levelc: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: levelc OUT_DIR SOURCE.lvl...\n");
    return 2;
  }
  const std::string outDir = argv[1];
  int failed = 0;
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "levelc: cannot open %s\n", argv[i]);
      ++failed;
      continue;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::vector<std::string> errors;
    levelc::CompiledLevel level;
    const auto src = levelc::ParseLevelSource(buffer.str(), argv[i], errors);
    if (!src || !levelc::CompileLevel(*src, level, errors)) {
      for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
      ++failed;
      continue;
    }
    bool ok;
    if (level.finalScene) {
      ok = WriteText(outDir + "/final.txt", levelc::WallFileText(level));
    } else {
      const std::string n = std::to_string(level.number);
      ok = WriteText(outDir + "/paredes" + n + ".txt", levelc::WallFileText(level)) &&
           WriteText(outDir + "/objetos" + n + ".txt", levelc::ObjectFileText(level));
      if (ok && !level.monster.empty()) ok = WriteText(outDir + "/mostruo" + n + ".txt", levelc::MonsterFileText(level));
    }
    if (!ok) ++failed;
  }
  return failed == 0 ? 0 : 1;
}
