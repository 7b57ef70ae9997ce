// The game's pictures, each painted at the size asked for.
#pragma once

#include "canvas.h"
#include "level_source.h"

namespace texgen {

Canvas Bricks(int size);      // wall faces: one cell wide, the wall's height tall
Canvas FloorTile(int size);   // one floor cell; looks the same mirrored
Canvas Doors(int size);       // left half the left leaf, right half the right leaf
Canvas Spark(int size);       // soft round glow on black (drawn additively)
Canvas Arrow(int size);       // left half: chevrons pointing up, tiling top to bottom
Canvas Coin(int size);        // gold coin on black
Canvas LifeFace(int size);    // the player's face for the life icons
Canvas GhostLife(int size);   // a ghost for the boss's lives
Canvas QuestionMark(int size);  // a level not visited yet
Canvas LevelPicture(const levelc::LevelSource& level, int size);  // the level's layout

}  // namespace texgen
