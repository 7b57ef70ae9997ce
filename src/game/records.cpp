#include "game/records.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::string_view kHeader = "Glumbo 3D records 1";
// Ñ in UTF-8, as the file and the terminal have it.
constexpr std::string_view kEnieUtf8 = "\xC3\x91";
constexpr char kEnieLatin1 = '\xD1';
// No sensible line is longer; a longer one is junk and is not looked into.
constexpr std::size_t kMaxLineLength = 100;
constexpr int kMaxNumberDigits = 9;  // keeps every number within int

bool IsInitial(char c) { return c == '-' || kInitialLetters.find(c) != std::string_view::npos; }

// Reads digits at the front of `text` into `value`, moving past them.
bool TakeNumber(std::string_view& text, int& value) {
  std::size_t n = 0;
  long long v = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') v = v * 10 + (text[n++] - '0');
  if (n == 0 || n > kMaxNumberDigits) return false;
  value = static_cast<int>(v);
  text.remove_prefix(n);
  return true;
}

bool TakeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

bool TakeInitial(std::string_view& text, char& out) {
  if (text.substr(0, kEnieUtf8.size()) == kEnieUtf8) {
    out = kEnieLatin1;
    text.remove_prefix(kEnieUtf8.size());
    return true;
  }
  if (text.empty() || text.front() == kEnieLatin1 || !IsInitial(text.front())) return false;
  out = text.front();
  text.remove_prefix(1);
  return true;
}

bool ValidDate(std::string_view d) {
  if (d.size() != 10 || d[4] != '-' || d[7] != '-') return false;
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
    if (d[i] < '0' || d[i] > '9') return false;
  const int month = (d[5] - '0') * 10 + (d[6] - '0');
  const int day = (d[8] - '0') * 10 + (d[9] - '0');
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// "POINTS III LEVEL YYYY-MM-DD", single spaces; the initials may hold spaces.
bool ParseRecord(std::string_view line, Record& r) {
  if (line.size() > kMaxLineLength) return false;
  if (!TakeNumber(line, r.points) || r.points <= 0 || !TakeChar(line, ' ')) return false;
  for (char& c : r.initials)
    if (!TakeInitial(line, c)) return false;
  if (!TakeChar(line, ' ') || !TakeNumber(line, r.level) || !TakeChar(line, ' ')) return false;
  if (!ValidDate(line)) return false;
  r.date = std::string(line);
  return true;
}

void SortBestFirst(RecordTable& table) {
  // Stable: of two equal scores the one that was there first stays above.
  std::stable_sort(table.begin(), table.end(), [](const Record& a, const Record& b) { return a.points > b.points; });
}

}  // namespace

bool Qualifies(const RecordTable& table, int points) {
  if (points <= 0) return false;
  return table.size() < static_cast<std::size_t>(kRecordCount) || points > table.back().points;
}

int InsertRecord(RecordTable& table, const Record& record) {
  if (!Qualifies(table, record.points)) return -1;
  auto at = std::find_if(table.begin(), table.end(), [&](const Record& r) { return r.points < record.points; });
  const int rank = static_cast<int>(at - table.begin());
  table.insert(at, record);
  if (table.size() > static_cast<std::size_t>(kRecordCount)) table.resize(kRecordCount);
  return rank;
}

std::string InitialsUtf8(const Record& record) {
  std::string out;
  for (char c : record.initials) {
    if (c == kEnieLatin1) {
      out += kEnieUtf8;
    } else {
      out += c;
    }
  }
  return out;
}

std::string LevelText(int level) { return level >= kFinalSceneLevel ? "FIN" : std::to_string(level); }

std::string EncodeRecords(const RecordTable& table) {
  std::string out(kHeader);
  out += '\n';
  for (const Record& r : table) {
    out += std::to_string(r.points) + ' ' + InitialsUtf8(r) + ' ' + std::to_string(r.level) + ' ' + r.date + '\n';
  }
  return out;
}

DecodedRecords DecodeRecords(std::string_view text) {
  DecodedRecords out;
  bool first = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    // A file edited on Windows has its lines end in a carriage return too.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      first = false;
      if (line == kHeader) continue;
      out.badHeader = true;
    }
    if (line.empty()) continue;
    Record r;
    if (ParseRecord(line, r)) {
      out.table.push_back(r);
    } else {
      ++out.droppedLines;
    }
  }
  if (first) out.badHeader = true;  // an empty file
  SortBestFirst(out.table);
  if (out.table.size() > static_cast<std::size_t>(kRecordCount)) {
    out.droppedLines += static_cast<int>(out.table.size()) - kRecordCount;
    out.table.resize(kRecordCount);
  }
  return out;
}

std::string FormatRecordsForTerminal(const RecordTable& table) {
  if (table.empty()) return "No records yet.\n";
  std::string out = "Rank  Initials     Points  Level  Date\n";
  char line[128];
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Record& r = table[i];
    // The initials' column is padded by hand: Ñ takes two bytes and one place.
    std::snprintf(line, sizeof line, "%4zu  %s       %9d  %5s  %s\n", i + 1, InitialsUtf8(r).c_str(), r.points,
                  LevelText(r.level).c_str(), r.date.c_str());
    out += line;
  }
  return out;
}
