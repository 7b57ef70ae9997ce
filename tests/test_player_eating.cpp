// Eating: coins and large pellets with their points and sounds, and the
// power light. (Doors opened by coins, and portal doors, are played through
// in the whole-game tests.)
#include <gtest/gtest.h>

#include <tuple>

#include "actors/player.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "platform/gl.h"
#include "support/ghost_world.h"
#include "world/level.h"

namespace {

// The power light needs a GL context to be looked at; the player gets its
// light's colours when it is made, so it is made inside the context.
class Eating : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    GameState = StatePlaying;
    extraLifePoints = 0;
  }
  static bool LightOn() { return glIsEnabled(GL_LIGHT0 + kPlayerLightIndex) == GL_TRUE; }
  static GLfloat Light(GLenum which, int index = 0) {
    GLfloat value[4] = {-1, -1, -1, -1};
    glGetLightfv(GL_LIGHT0 + kPlayerLightIndex, which, value);
    return value[index];
  }
  test::GLContext gl;
  test::SoundRecorder sounds;
  Player player{true};
};

TEST_F(Eating, CoinsAndPelletsGivePointsGoOutOnceAndPlayTheirSoundsButNothingElseIsEaten) {
  test::LoadedMaze maze({"#.o.o#", "# .d=#"}, 1, {"N 1000 0"});
  Level& level = maze.level();
  // Not a coin on a door cell, even with the door wide open, nor codes naming
  // coins or pellets the level does not have, nor floor, walls and outside.
  level.GetDoor(0)->angle = 180;
  for (int code : {0, 1004, 2002, 999}) {
    level.objects.cells[1][1] = code;
    EXPECT_EQ(level.EatAt(1, 1), 0) << code;
  }
  for (auto [x, y] : {std::pair{3, 1}, {0, 0}, {-1, 0}, {6, 0}, {2, 2}, {100, 100}}) EXPECT_EQ(level.EatAt(x, y), 0) << x << "," << y;
  EXPECT_EQ(std::tuple(extraLifePoints, sounds.started.size(), GameState), std::tuple(0, 0u, StatePlaying));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(level.coins->At(i)->visible && (i > 1 || level.largePellets->At(i)->active)) << i;
  extraLifePoints = 40;
  EXPECT_EQ((std::pair{level.EatAt(1, 0), extraLifePoints}), std::pair(1, 45));
  EXPECT_EQ(sounds.started, test::Rows{"./sonidos/comerBolita.wav"});
  EXPECT_EQ((std::pair{level.EatAt(4, 0), extraLifePoints}), std::pair(2, 145));
  EXPECT_EQ(std::tuple(level.coins->At(0)->visible, level.largePellets->At(1)->active, level.largePellets->At(0)->active), std::tuple(false, false, true));
  // Eaten once only.
  EXPECT_EQ(level.EatAt(1, 0) + level.EatAt(4, 0) + extraLifePoints, 145);
  // A coin's sound is dropped while another plays, but a pellet's cuts in.
  sounds.busy = true;
  level.EatAt(3, 0);
  level.EatAt(2, 0);
  EXPECT_EQ(sounds.started, (test::Rows{"./sonidos/comerBolita.wav", "./sonidos/comerBola.wav", "./sonidos/comerBola.wav"}));
}

TEST_F(Eating, LargePelletPowersUpFlickersAndRunsOutAfterTwoThousandTicks) {
  test::LoadedMaze maze({"#Po #"});
  player.LoadLevel(&maze.level());
  player.SetDirection(kPlayerEast);
  for (int tick = 0; !player.IsPowered() && tick < 100; ++tick) player.Update(1.0);
  ASSERT_TRUE(player.IsPowered() && LightOn() && player.lightIntensity == 0.8f);
  // The update that ate the pellet already counted one tick.
  EXPECT_NEAR(Light(GL_QUADRATIC_ATTENUATION) + Light(GL_CONSTANT_ATTENUATION), 0.0501f + 0.802f, 1e-6);
  int poweredTicks = 1, steadyTicks = 1, onSeen = 0, offSeen = 0;
  while (poweredTicks < 3000) {
    player.Update(1.0);
    if (!player.IsPowered()) break;
    ++poweredTicks;
    // Steady, then flickering: the drawing's glow and the light go together.
    const bool steady = player.lightQuadratic <= 0.2201f;
    EXPECT_EQ(LightOn(), steady || player.lightIntensity == 1.0f);
    steadyTicks += steady ? 1 : 0;
    if (!steady) (LightOn() ? onSeen : offSeen)++;
  }
  EXPECT_NEAR(poweredTicks, 2000, 3);
  EXPECT_NEAR(steadyTicks, 1700, 3);
  EXPECT_TRUE(std::min(onSeen, offSeen) > 100 && !LightOn()) << onSeen << " " << offSeen;
  // The light follows the player: position given in world coordinates.
  EXPECT_EQ(std::tuple(Light(GL_POSITION, 0), Light(GL_POSITION, 2), player.lightIntensity), std::tuple(player.x, player.z, 0.0f));
}

}  // namespace
