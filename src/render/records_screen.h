// The texts of the record screen and of the table of records, drawn in the
// menu's solid letters and colours in front of its attract scene.
#pragma once

class Menu;

// "¡NUEVO RÉCORD!", the points and the three letters, the one being set
// rolling like the menu's selected line.
void DrawRecordEntryText(Menu& menu);
// "RÉCORDS" and the ten lines of the table: rank, initials, points, level;
// the menu's marked record rolls in the title colour.
void DrawRecordTableText(Menu& menu);

// The titles in the Latin-1 code of the game's fonts.
inline constexpr const char* kNewRecordTitle = "\xA1NUEVO R\xC9" "CORD!";
inline constexpr const char* kRecordsTitle = "R\xC9" "CORDS";
