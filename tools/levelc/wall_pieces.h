// Picks the drawn piece (wall codes 4 to 21) of every wall cell from its
// neighbours, so that the walls of a map are drawn as unbroken lines.
#pragma once

#include <string>
#include <vector>

#include "level_source.h"

namespace levelc {

// Directions as bits of a join mask.
enum JoinBit : int { kJoinN = 1, kJoinE = 2, kJoinS = 4, kJoinW = 8 };

// The wall code drawn for a join mask; hookTurn is kJoinE or kJoinW when a
// one-armed wall should turn toward that side, 0 otherwise. Returns 0 for a
// mask that no piece draws.
int PieceForJoins(int joins, int hookTurn);

// The joins each piece code stands for (the inverse of PieceForJoins); 0 for
// codes without geometry or outside 4 to 21.
int JoinsOfPiece(int code);

// Fills codes[y * width + x] with the wall code of every wall cell (0 for the
// others). Returns false and appends one message per bad cell when a wall
// shape cannot be drawn.
bool ChooseWallPieces(const LevelSource& src, std::vector<int>& codes, std::vector<std::string>& errors);

}  // namespace levelc
