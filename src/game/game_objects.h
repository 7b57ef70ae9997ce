// The long-lived objects of the game, made by Startup and kept for the whole
// run (only the Level is replaced, at each level load). Plain pointers that the
// start-up and shutdown sequences own; everything else only refers to them.
#pragma once

class Level;
class VisibilityGrid;
class Player;
class Ghost;
class Camera;
class Radar;
class Texture;

extern Level* level;
extern VisibilityGrid* visibilityGrid;
extern Player* player;    // the main player
extern Player* partner;   // the rescued partner (level 58 and the ending)
extern Ghost* ghosts[8];  // ids 0 to 7
extern Ghost* boss;       // id 100
extern Camera* camera;
extern Radar* radar;

// Start-up textures: the HUD's icons and the level map's pictures.
extern Texture* lifeTexture;       // "./texturas/vida.bmp"
extern Texture* ghostLifeTexture;  // "./texturas/vidaFantasma.bmp"
extern Texture* mapBlankTexture;   // "./texturas/texp0.bmp"
extern Texture* mapTextures[9];    // one per LevelMap entry, same index; null where the entry is 0
