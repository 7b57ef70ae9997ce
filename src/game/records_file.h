// The table of records kept in memory for the run, and its file.
#pragma once

#include <string>

#include "game/records.h"

// The records file; empty: records are kept for the run only (tools and tests).
extern std::string recordsPath;
extern RecordTable recordTable;

// records.dat in the folder of the settings file.
std::string RecordsPathBeside(const std::string& settingsPath);

// The table in a file. A missing file is an empty table. A damaged one gives
// its good lines and one line on stderr that says what was dropped.
RecordTable ReadRecordsFile(const std::string& path);

// recordTable from recordsPath.
void LoadRecords();
// recordTable into recordsPath, replacing the old file in one step. A file
// that cannot be written costs the new record only: one line on stderr, false.
bool SaveRecords();

// Today's date as the table keeps it, YYYY-MM-DD.
std::string TodayText();
