// glumbo-tool level: the JSON of a loaded level, and exit codes for bad levels.
#include <gtest/gtest.h>

#include <cstdio>

#include <sys/wait.h>

#include "support/level_files.h"
#include "support/test_support.h"

// The exit status of glumbo-tool level args and all it printed.
std::pair<int, std::string> RunTool(const std::string& args) {
  FILE* pipe = popen((GLUMBO_BINARY_DIR "/glumbo-tool level " + args + " 2>&1").c_str(), "r");
  std::string out;
  char buffer[4096];
  for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  const int status = pipe ? pclose(pipe) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// A level prints as JSON; a failure prints exactly one line, the reason.
TEST(LevelTool, PrintsTheLoadedLevelAsJsonOrOneLineSayingWhyNot) {
  test::TempDir dir;
  const std::string d = dir.path().string(), usage = "usage: glumbo-tool level DATA_DIR N\n";
  test::WriteLevelFiles(dir.path(), 7, {{0, 28, 0, 29, 0}, {25, 0, 0, 0, 0}}, {{1, 0, 0, 0, 2}, {0, 0, 0, 0, 0}},
                        "\nS\n1.25 0\nN\n3.9 12\n");
  test::WriteFinalFile(dir.path(), {{22, 30}, {0, 0}});
  test::WriteLevelTexts(dir.path(), 4, "2 1 0 0", "2 1 0");
  const auto [jsonStatus, json] = RunTool(d + " 7");
  EXPECT_EQ(jsonStatus, 0) << json;
  for (const char* part : {
           "\"walls\": [\n    [0, 3000, 3000, 3001, 3001],\n    [25, 0, 0, 0, 0]\n  ]",
           "\"objects\": [\n    [1000, 0, 0, 0, 2000],", "{\"x\": 0.5, \"y\": 0.6, \"z\": 0.5}",
           "\"largePellets\": [\n    {\"x\": 4.5, \"y\": 0.5, \"z\": 0.5}\n  ]",
           "{\"x\": 0.5, \"z\": 1.5, \"rotation\": 90}",
           "{\"x\": 2, \"y\": 0, \"z\": 0.5, \"rotation\": 0, \"periodic\": true, \"period\": 1.25, \"target\": -1}",
           "{\"x\": 4, \"y\": 0, \"z\": 0.5, \"rotation\": 180, \"periodic\": false, \"period\": 0, \"target\": 12}",
           "\"doorCounters\": [\n    {\"door\": 1, \"coinsLeft\": 3, \"target\": 12}\n  ]\n}"})
    EXPECT_NE(json.find(part), std::string::npos) << part << "\nnot in\n" << json;
  struct Case { std::string args; int status; std::string said; };
  for (const auto& [args, status, said] :
       {Case{d + " 1000", 0, "\"floorArrows\": [],"}, {d + " 3", 1, "Level file ./pantallas/paredes3.txt: not found\n"},
        {d + " 4", 1, "Level file ./pantallas/objetos4.txt, line 1, after the last token: the file ends at cell (1, 0), "
                      "before its grid of 2 x 1 is complete\n"},
        {d + " 4x", 2, usage}, {d, 2, usage},
        {"/nonexistent/folder 1", 1, "glumbo-tool level: cannot enter /nonexistent/folder: No such file or directory\n"}}) {
    const auto [got, out] = RunTool(args);
    EXPECT_EQ(got, status) << args;
    EXPECT_TRUE(status == 0 ? out.find(said) != std::string::npos : out == said) << args << ": " << out;
  }
}
