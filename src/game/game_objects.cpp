#include "game/game_objects.h"

Level* level = nullptr;
VisibilityGrid* visibilityGrid = nullptr;
Player* player = nullptr;
Player* partner = nullptr;
Ghost* ghosts[8] = {};
Ghost* boss = nullptr;
Camera* camera = nullptr;
Radar* radar = nullptr;

Texture* lifeTexture = nullptr;
Texture* ghostLifeTexture = nullptr;
Texture* mapBlankTexture = nullptr;
Texture* mapTextures[9] = {};
