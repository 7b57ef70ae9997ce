// The table of the ten best games: points, three initials, the level reached
// and the date, best first. Its file, records.dat, is small text that a player
// can read: a first line naming the file and its version, then one game a line.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

constexpr int kRecordCount = 10;
constexpr int kInitialsLength = 3;

// The letters of the initials, in the order Up steps through them: A to Z
// with Ñ after N, then a space. Stored one byte each in Latin-1, the code of
// the game's fonts (Ñ is 0xD1).
inline constexpr std::string_view kInitialLetters = "ABCDEFGHIJKLMN\xD1OPQRSTUVWXYZ ";
// The initials of a record whose entry the player never finished (Escape).
inline constexpr std::string_view kUnsignedInitials = "---";
// Levels from this number on are the closing scene: the game was won.
constexpr int kFinalSceneLevel = 1000;

struct Record {
  int points = 0;
  std::array<char, kInitialsLength> initials = {'-', '-', '-'};  // Latin-1
  int level = 0;
  std::string date;  // YYYY-MM-DD
  bool operator==(const Record&) const = default;
};

using RecordTable = std::vector<Record>;

// Whether a game with these points enters the table: more than nothing, and
// more than the last of a full table (an equal score stays out).
bool Qualifies(const RecordTable& table, int points);

// Puts the record in its place, below every record with as many points or
// more (an equal score goes below the older one), and drops what falls off
// the end. The record's rank from 0, or -1 when it does not enter.
int InsertRecord(RecordTable& table, const Record& record);

// The whole file's text.
std::string EncodeRecords(const RecordTable& table);

struct DecodedRecords {
  RecordTable table;
  int droppedLines = 0;   // lines that are not a record, and records beyond the best ten
  bool badHeader = false; // the first line does not name this file and version
};
// Every line that is a good record is kept, whatever surrounds it; the table
// comes out in order, the best ten.
DecodedRecords DecodeRecords(std::string_view text);

// The initials and the level as the player reads them, in UTF-8: "ÑAB", "FIN".
std::string InitialsUtf8(const Record& record);
std::string LevelText(int level);

// The table for a terminal, in UTF-8, one line a record with its date.
std::string FormatRecordsForTerminal(const RecordTable& table);
