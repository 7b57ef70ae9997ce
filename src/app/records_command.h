// Where the table of records is kept, and glumbo3d --records.
#pragma once

#include <string>

// The table's file: the one given on the command line (made absolute, since
// the game moves into its data folder), else records.dat beside the settings.
std::string ChooseRecordsPath(const std::string& givenFile, const std::string& settingsFile);

// Prints the table on standard output, finding its file as the game would
// without entering the data folder; the exit status.
int PrintRecordsTable(const std::string& givenFile);
