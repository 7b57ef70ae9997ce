#include "game/records_file.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/file_replace.h"
#include "platform/paths.h"

std::string recordsPath;
RecordTable recordTable;

namespace {

// Ten records take well under a kilobyte; a file far larger is not the
// game's, and only its start is looked at.
constexpr std::size_t kMaxRecordsFileSize = 64 * 1024;

}  // namespace

std::string RecordsPathBeside(const std::string& settingsPath) {
  const std::filesystem::path settings = platform::PathFromUtf8(settingsPath);
  return platform::Utf8FromPath(settings.parent_path() / "records.dat");
}

RecordTable ReadRecordsFile(const std::string& path) {
  const std::filesystem::path file = platform::PathFromUtf8(path);
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (!std::filesystem::exists(status)) return {};
  std::string text;
  bool readable = std::filesystem::is_regular_file(status);
  if (readable) {
    std::FILE* in = platform::OpenFile(file, "rb");
    readable = in != nullptr;
    if (in) {
      text.resize(kMaxRecordsFileSize + 1);
      text.resize(std::fread(text.data(), 1, text.size(), in));
      readable = !std::ferror(in);
      std::fclose(in);
    }
  }
  if (!readable) {
    std::fprintf(stderr, "glumbo3d: the records file %s cannot be read; the table starts empty\n", path.c_str());
    return {};
  }
  const bool huge = text.size() > kMaxRecordsFileSize;
  if (huge) text.resize(kMaxRecordsFileSize);
  DecodedRecords decoded = DecodeRecords(text);
  if (decoded.badHeader || decoded.droppedLines > 0 || huge) {
    std::string what;
    if (decoded.badHeader) what += "its first line is not the table's";
    if (decoded.droppedLines > 0) {
      if (!what.empty()) what += ", ";
      what += std::to_string(decoded.droppedLines) + (decoded.droppedLines == 1 ? " line was" : " lines were") +
              " dropped";
    }
    if (huge) {
      if (!what.empty()) what += ", ";
      what += "only its first 64 KiB were read";
    }
    std::fprintf(stderr,
                 "glumbo3d: the records file %s is damaged (%s); %zu records kept, written clean with the next\n",
                 path.c_str(), what.c_str(), decoded.table.size());
  }
  return decoded.table;
}

void LoadRecords() { recordTable = recordsPath.empty() ? RecordTable{} : ReadRecordsFile(recordsPath); }

bool SaveRecords() {
  if (recordsPath.empty()) return true;
  std::string why;
  if (platform::WriteFileReplacing(platform::PathFromUtf8(recordsPath), EncodeRecords(recordTable), &why)) return true;
  std::fprintf(stderr, "glumbo3d: the new record is not kept: %s\n", why.c_str());
  return false;
}

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  char text[16] = "1970-01-01";
  if (local) std::strftime(text, sizeof text, "%Y-%m-%d", local);
  return text;
}
