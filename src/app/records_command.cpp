#include "app/records_command.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/data_location.h"
#include "game/records_file.h"
#include "platform/file_replace.h"

std::string ChooseRecordsPath(const std::string& givenFile, const std::string& settingsFile) {
  if (givenFile.empty()) return RecordsPathBeside(settingsFile);
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(platform::PathFromUtf8(givenFile), ec);
  return ec ? givenFile : platform::Utf8FromPath(absolute);
}

int PrintRecordsTable(const std::string& givenFile) {
  std::string path = ChooseRecordsPath(givenFile, "");
  if (givenFile.empty()) {
    // Without the game's data there is no run directory: the table is then
    // the one of an installed copy.
    const std::optional<DataDirCandidate> data = FindDataDir(DefaultDataDirCandidates());
    path = ChooseRecordsPath("", ChooseSettingsPath(data ? *data : DataDirCandidate{}));
  }
  const RecordTable table = ReadRecordsFile(path);
  std::printf("Table of records: %s\n%s", path.c_str(), FormatRecordsForTerminal(table).c_str());
  return 0;
}
