// The texts of the record screen and of the table of records, drawn in the
// menu's solid letters and colours: the record screen in front of the menu's
// attract scene, the table in its place.
#pragma once

class Menu;

// "¡NUEVO RÉCORD!", the points and the three letters, the one being set in
// the title's colour, swinging.
void DrawRecordEntryText(Menu& menu);
// "RÉCORDS" and the ten lines of the table: rank, initials, points, level;
// the menu's marked record rolls in the title colour.
void DrawRecordTableText(Menu& menu);

// The titles in the Latin-1 code of the game's fonts.
inline constexpr const char* kNewRecordTitle = "\xA1NUEVO R\xC9" "CORD!";
inline constexpr const char* kRecordsTitle = "R\xC9" "CORDS";
