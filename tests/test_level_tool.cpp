// glumbo-tool level: the JSON of a loaded level, and exit codes for bad levels.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/level_files.h"
#include "support/test_support.h"

// What the tool says (stdout and stderr together) and its exit status.
std::pair<std::string, int> RunTool(const std::string& args) {
  FILE* pipe = popen((GLUMBO_BINARY_DIR "/glumbo-tool level " + args + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {"", -1};
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  const int status = pclose(pipe);
  return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(LevelTool, PrintsTheLoadedLevelAsJsonAndTheFinalSceneAndFailsOnBadLevelsAndArguments) {
  test::TempDir dir;
  const std::string d = dir.path().string();
  test::WriteLevelFiles(dir.path(), 7, {{0, 28, 0, 29, 0}, {25, 0, 0, 0, 0}}, {{1, 0, 0, 0, 2}, {0, 0, 0, 0, 0}},
                        "\nS\n1.25 0\nN\n3.9 12\n");
  const auto [out, status] = RunTool(d + " 7");
  ASSERT_EQ(status, 0) << out;
  for (const char* part : {
           "\"walls\": [\n    [0, 3000, 3000, 3001, 3001],\n    [25, 0, 0, 0, 0]\n  ]",
           "\"objects\": [\n    [1000, 0, 0, 0, 2000],", "{\"x\": 0.5, \"y\": 0.6, \"z\": 0.5}",
           "\"largePellets\": [\n    {\"x\": 4.5, \"y\": 0.5, \"z\": 0.5}\n  ]",
           "{\"x\": 0.5, \"z\": 1.5, \"rotation\": 90}",
           "{\"x\": 2, \"y\": 0, \"z\": 0.5, \"rotation\": 0, \"periodic\": true, \"period\": 1.25, \"target\": -1}",
           "{\"x\": 4, \"y\": 0, \"z\": 0.5, \"rotation\": 180, \"periodic\": false, \"period\": 0, \"target\": 12}",
           "\"doorCounters\": [\n    {\"door\": 1, \"coinsLeft\": 3, \"target\": 12}\n  ]\n}"}) {
    EXPECT_NE(out.find(part), std::string::npos) << part << "\nnot in\n" << out;
  }
  test::WriteFinalFile(dir.path(), {{22, 30}, {0, 0}});
  EXPECT_NE(RunTool(d + " 1000").first.find("\"floorArrows\": [],"), std::string::npos);
  const auto missing = RunTool(d + " 3");
  EXPECT_TRUE(missing.first.find("./pantallas/paredes3.txt: not found") != std::string::npos && missing.second == 1) << missing.first;
  test::WriteLevelTexts(dir.path(), 4, "2 1 0 0", "2 1 0");
  EXPECT_EQ(RunTool(d + " 4"), std::pair(std::string("Level file ./pantallas/objetos4.txt, line 1, after the last token: the file ends "
                                                     "at cell (1, 0), before its grid of 2 x 1 is complete\n"), 1));
  EXPECT_EQ((std::vector{RunTool(d + " 4x").second, RunTool(d).second, RunTool("/nonexistent/folder 1").second}), (std::vector{2, 2, 1}));
}
