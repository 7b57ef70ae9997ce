// Eating: coins and large pellets with their points and sounds, door counters,
// doors the player walks through once open, portal doors, and the power light.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "actors/player.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "platform/gl.h"
#include "platform/sound.h"
#include "support/player_maze.h"
#include "support/test_support.h"
#include "world/level.h"

namespace {

using test::LoadedMaze;

// Records what the game asks the audio output to play.
struct SoundLog {
  std::vector<std::string> started;
  bool busy = false;  // pretend a sound is still playing
};

class FakeAudio : public platform::AudioDevice {
 public:
  explicit FakeAudio(SoundLog& log) : log_(log) {}
  bool IsPlaying() override { return log_.busy; }
  void Start(const std::vector<std::uint8_t>& samples) override {
    log_.started.emplace_back(samples.begin(), samples.end());
  }
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string&) override {
    samples.assign(path.begin(), path.end());  // the "samples" name their file
    return true;
  }

 private:
  SoundLog& log_;
};

class Eating : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetSoundPlayer(std::make_unique<platform::SoundPlayer>(std::make_unique<FakeAudio>(sounds)));
    GameState = StatePlaying;
    extraLifePoints = 0;
  }
  void TearDown() override { platform::SetSoundPlayer(nullptr); }
  SoundLog sounds;
};

TEST_F(Eating, CoinGivesFivePointsHidesItselfAndPlaysItsSound) {
  LoadedMaze maze({{"#.#"}});
  Level& level = maze.level();
  extraLifePoints = 40;
  ASSERT_EQ(level.objects.cells[1][0], 1000);
  EXPECT_EQ(level.EatAt(1, 0), 1);
  EXPECT_EQ(extraLifePoints, 45);
  EXPECT_FALSE(level.coins->At(0)->visible);
  EXPECT_EQ(level.objects.cells[1][0], 0);
  EXPECT_EQ(sounds.started, std::vector<std::string>{"./sonidos/comerBolita.wav"});
  // Eaten once only.
  EXPECT_EQ(level.EatAt(1, 0), 0);
  EXPECT_EQ(extraLifePoints, 45);
}

TEST_F(Eating, CoinSoundIsDroppedWhileAnotherPlaysButAPelletCutsIn) {
  LoadedMaze maze({{"#.o#"}});
  Level& level = maze.level();
  sounds.busy = true;
  EXPECT_EQ(level.EatAt(1, 0), 1);
  EXPECT_TRUE(sounds.started.empty());
  EXPECT_EQ(level.EatAt(2, 0), 2);
  EXPECT_EQ(sounds.started, std::vector<std::string>{"./sonidos/comerBola.wav"});
}

TEST_F(Eating, LargePelletGivesAHundredPointsAndGoesOut) {
  LoadedMaze maze({{"#o.o#"}});
  Level& level = maze.level();
  ASSERT_EQ(level.largePelletCount, 2);
  EXPECT_EQ(level.EatAt(3, 0), 2);
  EXPECT_EQ(extraLifePoints, 100);
  EXPECT_FALSE(level.largePellets->At(1)->active);
  EXPECT_TRUE(level.largePellets->At(0)->active);
  EXPECT_EQ(level.objects.cells[3][0], 0);
  EXPECT_EQ(level.EatAt(3, 0), 0);
  EXPECT_EQ(extraLifePoints, 100);
}

TEST_F(Eating, NothingToEatOnFloorWallsStrayCodesAndOutsideTheLevel) {
  LoadedMaze maze({{"# ."}});
  Level& level = maze.level();
  EXPECT_EQ(level.EatAt(0, 0), 0);
  EXPECT_EQ(level.EatAt(1, 0), 0);
  // Codes naming coins or pellets the level does not have are not eaten.
  level.objects.cells[1][0] = 1001;
  EXPECT_EQ(level.EatAt(1, 0), 0);
  level.objects.cells[1][0] = 2000;
  EXPECT_EQ(level.EatAt(1, 0), 0);
  level.objects.cells[1][0] = 999;
  EXPECT_EQ(level.EatAt(1, 0), 0);
  EXPECT_EQ(level.EatAt(-1, 0), 0);
  EXPECT_EQ(level.EatAt(3, 0), 0);
  EXPECT_EQ(level.EatAt(2, 1), 0);
  EXPECT_EQ(level.EatAt(100, 100), 0);
  EXPECT_EQ(extraLifePoints, 0);
  EXPECT_TRUE(sounds.started.empty());
  EXPECT_TRUE(level.coins->At(0)->visible);
}

TEST_F(Eating, CountersCountEveryCoinAndFireOnceAtZero) {
  // Door 0 waits for two coins, door 1 for three, door 2 never fires.
  LoadedMaze maze({{
      "#....#",
      "#D=D=#",
      "#D=  #",
      "#E   #",
      "#=   #",
  }, {"N 2 -1", "N 3 -1", "N 0 -1", "N 1000 0"}});
  Level& level = maze.level();
  ASSERT_EQ(level.doorCount, 4);
  ASSERT_EQ(level.doorCounters->count, 3);
  level.EatAt(1, 0);
  EXPECT_FALSE(level.GetDoor(0)->moving);
  EXPECT_FALSE(level.indicatorShowing);
  level.EatAt(2, 0);
  EXPECT_TRUE(level.GetDoor(0)->moving);
  EXPECT_FALSE(level.GetDoor(1)->moving);
  EXPECT_TRUE(level.indicatorShowing);
  level.GetDoor(0)->moving = false;
  level.EatAt(3, 0);
  EXPECT_TRUE(level.GetDoor(1)->moving);
  level.EatAt(4, 0);
  EXPECT_FALSE(level.GetDoor(0)->moving);  // its counter went past zero without firing again
  EXPECT_FALSE(level.GetDoor(2)->moving);
  EXPECT_FALSE(level.GetDoor(3)->moving);
  EXPECT_EQ(level.doorCounters->At(0)->coinsLeft, -2);
  EXPECT_EQ(level.doorCounters->At(2)->coinsLeft, -4);
}

TEST_F(Eating, ACoinOnADoorCellCannotBeEatenAndAPlainDoorDoesNothing) {
  LoadedMaze maze({{"#d=#"}, {"N 1000 0"}});
  Level& level = maze.level();
  ASSERT_EQ(level.coinCount, 1);
  level.GetDoor(0)->angle = 180;
  EXPECT_EQ(level.EatAt(1, 0), 0);
  EXPECT_TRUE(level.coins->At(0)->visible);
  EXPECT_EQ(extraLifePoints, 0);
  EXPECT_EQ(GameState, StatePlaying);
  EXPECT_EQ(level.LevelNumber(), 1);
}

// Steps the player and the level as the play state does, until done() or the limit.
template <class Done>
int Play(Player& player, Level& level, int limit, Done done) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return i;
    player.Update(1.0);
    level.Update(1.0);
  }
  return limit;
}

TEST_F(Eating, WalksThroughADoorOnceItsCounterHasOpenedIt) {
  LoadedMaze maze({{
      "#########",
      "#P..D=  #",
      "#########",
  }, {"N 2 -1"}});
  Level& level = maze.level();
  Player player(true);
  player.LoadLevel(&level);
  player.SetDirection(kPlayerEast);
  const int ticks = Play(player, level, 2000, [&] { return player.x > 6.5f; });
  EXPECT_LT(ticks, 2000);
  EXPECT_EQ(extraLifePoints, 10);
  EXPECT_TRUE(level.GetDoor(0)->IsOpen());
  EXPECT_EQ(GameState, StatePlaying);
}

TEST_F(Eating, TheShutDoorStopsThePlayer) {
  LoadedMaze maze({{
      "#########",
      "#P. D=  #",
      "#########",
  }, {"N 2 -1"}});
  Level& level = maze.level();
  Player player(true);
  player.LoadLevel(&level);
  player.SetDirection(kPlayerEast);
  Play(player, level, 300, [] { return false; });
  EXPECT_NEAR(player.x, 3.6f, 0.05f);  // its square touches the door's cell
  EXPECT_EQ(extraLifePoints, 5);
  EXPECT_FALSE(level.GetDoor(0)->IsOpen());
}

TEST_F(Eating, APortalDoorSendsThePlayerToItsLevel) {
  LoadedMaze maze({{
      "#######",
      "#P.D= #",
      "#######",
  }, {"N 1 7"}}, 3);
  Level& level = maze.level();
  Player player(true);
  player.LoadLevel(&level);
  player.SetDirection(kPlayerEast);
  const int ticks = Play(player, level, 2000, [] { return GameState == StateLevelExit; });
  EXPECT_LT(ticks, 2000);
  EXPECT_EQ(level.LevelNumber(), 7);
  EXPECT_EQ(static_cast<int>(player.x), 3);
}

TEST_F(Eating, EatsTheCellItsCentreHasJustEntered) {
  LoadedMaze maze({{
      "######",
      "#P.o #",
      "######",
  }});
  Level& level = maze.level();
  Player player(true);
  player.LoadLevel(&level);
  player.SetDirection(kPlayerEast);
  // 0.52 cells from the start centre: just inside the coin's cell.
  for (int i = 0; i < 13; ++i) player.Update(1.0);
  EXPECT_EQ(extraLifePoints, 5);
  for (int i = 0; i < 25; ++i) player.Update(1.0);
  EXPECT_EQ(extraLifePoints, 105);
  EXPECT_TRUE(player.IsPowered());
}

// The power light needs a GL context to be looked at.
class PowerLight : public Eating {
 protected:
  void SetUp() override {
    Eating::SetUp();
    ASSERT_TRUE(gl.ok());
  }
  static bool LightOn() { return glIsEnabled(GL_LIGHT0 + kPlayerLightIndex) == GL_TRUE; }
  static float Attenuation(GLenum which) {
    GLfloat value = -1;
    glGetLightfv(GL_LIGHT0 + kPlayerLightIndex, which, &value);
    return value;
  }
  test::GLContext gl;
};

TEST_F(PowerLight, LargePelletPowersUpFlickersAndRunsOutAfterTwoThousandTicks) {
  LoadedMaze maze({{"#Po #"}});
  Level& level = maze.level();
  Player player(true);
  player.LoadLevel(&level);
  player.SetDirection(kPlayerEast);
  int tick = 0;
  while (!player.IsPowered() && tick < 100) {
    player.Update(1.0);
    ++tick;
  }
  ASSERT_TRUE(player.IsPowered());
  EXPECT_TRUE(LightOn());
  EXPECT_FLOAT_EQ(player.lightIntensity, 0.8f);
  // The update that ate the pellet already counted one tick.
  EXPECT_NEAR(player.lightQuadratic, 0.0501f, 1e-6);
  EXPECT_NEAR(Attenuation(GL_QUADRATIC_ATTENUATION), 0.0501f, 1e-6);
  EXPECT_NEAR(Attenuation(GL_CONSTANT_ATTENUATION), 0.802f, 1e-6);

  int poweredTicks = 1, steadyTicks = 1, onSeen = 0, offSeen = 0;
  while (player.IsPowered() && poweredTicks < 3000) {
    player.Update(1.0);
    if (!player.IsPowered()) break;
    ++poweredTicks;
    if (player.lightQuadratic <= 0.2201f) {
      ++steadyTicks;
      EXPECT_TRUE(LightOn());
      continue;
    }
    if (player.lightQuadratic <= 0.2203f) continue;  // the tick the flicker starts in
    // Flickering: the drawing's glow and the light go together, on while
    // the thousandths of the timer (before this update's tick) are odd.
    EXPECT_EQ(LightOn(), player.lightIntensity == 1.0f);
    const float thousandths = (player.lightQuadratic - 0.0001f) * 1000;
    if (std::fabs(thousandths - std::round(thousandths)) > 0.05f) {
      EXPECT_EQ(LightOn(), static_cast<int>(thousandths) % 2 == 1) << "timer " << player.lightQuadratic;
    }
    (LightOn() ? onSeen : offSeen)++;
  }
  EXPECT_NEAR(poweredTicks, 2000, 3);
  EXPECT_NEAR(steadyTicks, 1700, 3);
  EXPECT_GT(onSeen, 100);
  EXPECT_GT(offSeen, 100);
  EXPECT_FALSE(LightOn());
  EXPECT_EQ(player.lightIntensity, 0.0f);
  // The light follows the player: position given in world coordinates.
  GLfloat position[4] = {};
  glGetLightfv(GL_LIGHT0 + kPlayerLightIndex, GL_POSITION, position);
  EXPECT_FLOAT_EQ(position[0], player.x);
  EXPECT_FLOAT_EQ(position[1], 0.5f);
  EXPECT_FLOAT_EQ(position[2], player.z);
}

TEST_F(PowerLight, CutPowerLeavesAboutOneHundredFiftyTicks) {
  Player player(true);
  player.SetDirection(4);
  player.PowerUp();
  for (int i = 0; i < 100; ++i) player.Update(1.0);
  player.CutPower();
  int ticks = 0;
  while (player.IsPowered() && ticks < 1000) {
    player.Update(1.0);
    ++ticks;
  }
  EXPECT_NEAR(ticks, 151, 2);
}

TEST_F(PowerLight, PowerUpAgainRestartsTheTimeAndSetLightOffEndsIt) {
  Player player(true);
  // The player's light gets its colours once, when the player is made.
  GLfloat ambient[4] = {}, diffuse[4] = {}, specular[4] = {};
  glGetLightfv(GL_LIGHT0 + kPlayerLightIndex, GL_AMBIENT, ambient);
  glGetLightfv(GL_LIGHT0 + kPlayerLightIndex, GL_DIFFUSE, diffuse);
  glGetLightfv(GL_LIGHT0 + kPlayerLightIndex, GL_SPECULAR, specular);
  EXPECT_FLOAT_EQ(ambient[0], 0.2f);
  EXPECT_FLOAT_EQ(diffuse[1], 0.8f);
  EXPECT_FLOAT_EQ(specular[2], 0.8f);
  EXPECT_FLOAT_EQ(ambient[3], 1.0f);
  player.SetDirection(4);
  player.SetLight(true);
  for (int i = 0; i < 1500; ++i) player.Update(1.0);
  player.PowerUp();
  EXPECT_FLOAT_EQ(player.lightQuadratic, 0.05f);
  EXPECT_FLOAT_EQ(player.lightConstant, 0.8f);
  for (int i = 0; i < 1500; ++i) player.Update(1.0);
  EXPECT_TRUE(player.IsPowered());
  EXPECT_TRUE(LightOn());
  player.SetLight(false);
  EXPECT_FALSE(player.IsPowered());
  EXPECT_FALSE(LightOn());
  EXPECT_EQ(player.lightIntensity, 0.0f);
  // Unpowered, the timer stands still.
  const float timer = player.lightQuadratic;
  player.Update(1.0);
  EXPECT_EQ(player.lightQuadratic, timer);
}

}  // namespace
