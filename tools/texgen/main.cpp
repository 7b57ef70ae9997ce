// texgen: paints every texture the game loads into texturas/.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "level_source.h"
#include "textures.h"

namespace {

int failures = 0;

void Save(const texgen::Canvas& c, const std::string& path) {
  if (!c.SaveBmp(path)) {
    std::fprintf(stderr, "texgen: cannot write %s\n", path.c_str());
    ++failures;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: texgen OUT_DIR [LEVEL_SOURCE.lvl...]\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  // Detail levels 0, 1 and 2 at 64, 128 and 256 pixels.
  for (int d = 0; d < 3; ++d) {
    const int size = 64 << d;
    Save(texgen::Bricks(size), dir + "ladrillos" + std::to_string(d) + ".bmp");
    Save(texgen::FloorTile(size), dir + "suelo" + std::to_string(d) + ".bmp");
    Save(texgen::Doors(size), dir + "puertas" + std::to_string(d) + ".bmp");
  }
  Save(texgen::Spark(64), dir + "chispa.bmp");
  Save(texgen::Arrow(128), dir + "speed.bmp");
  Save(texgen::Coin(64), dir + "moneda.bmp");
  Save(texgen::LifeFace(64), dir + "vida.bmp");
  Save(texgen::GhostLife(64), dir + "vidaFantasma.bmp");
  Save(texgen::QuestionMark(128), dir + "texp0.bmp");
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> errors;
    const auto level = levelc::ParseLevelSource(text.str(), argv[i], errors);
    if (!level) {
      for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
      ++failures;
      continue;
    }
    if (level->finalScene) continue;
    Save(texgen::LevelPicture(*level, 128), dir + "texp" + std::to_string(level->number) + ".bmp");
  }
  return failures == 0 ? 0 : 1;
}
