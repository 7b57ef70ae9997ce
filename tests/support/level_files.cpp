#include "support/level_files.h"

#include "support/bmp_writer.h"
#include "support/test_support.h"

namespace test {

std::string GridText(const Grid& rows) {
  std::string out = std::to_string(rows.empty() ? 0 : rows[0].size()) + " " + std::to_string(rows.size()) + "\n";
  for (const auto& row : rows) {
    for (std::size_t x = 0; x < row.size(); ++x) out += (x == 0 ? "" : " ") + std::to_string(row[x]);
    out += "\n";
  }
  return out;
}

Grid EmptyGrid(const Grid& walls) {
  Grid out;
  for (const auto& row : walls) out.emplace_back(row.size(), 0);
  return out;
}

void WriteLevelFiles(const std::filesystem::path& dataDir, int n, const Grid& walls, const Grid& objects,
                     const std::string& doorSection) {
  std::filesystem::create_directories(dataDir / "pantallas");
  WriteFile((dataDir / "pantallas" / ("paredes" + std::to_string(n) + ".txt")).string(), GridText(walls) + doorSection);
  WriteFile((dataDir / "pantallas" / ("objetos" + std::to_string(n) + ".txt")).string(), GridText(objects));
}

void WriteGameTextures(const std::filesystem::path& dataDir) {
  for (const char* folder : {"texturas", "pantallas", "sonidos"}) std::filesystem::create_directories(dataDir / folder);
  BmpLayout layout;
  layout.width = layout.height = 4;
  const auto bytes = BuildBmp(layout, PackRows(layout, std::vector(4, std::vector<std::uint32_t>(4, 0x808080))));
  std::vector<std::string> names = {"chispa", "speed", "moneda", "vida", "vidaFantasma", "texp0"};
  for (int n : {1, 2, 3, 54, 100, 58, 5, 6, 7}) names.push_back("texp" + std::to_string(n));
  for (int d = 0; d < 3; ++d)
    for (const char* stem : {"ladrillos", "suelo", "puertas"}) names.push_back(stem + std::to_string(d));
  for (const std::string& name : names) WriteBytes((dataDir / "texturas" / (name + ".bmp")).string(), bytes);
}

}  // namespace test
