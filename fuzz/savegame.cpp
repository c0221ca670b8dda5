// The saved-game loader on any file, in a game started from the shipped
// world. A refused file must leave the world exactly as it was; a loaded one
// must play on, and save and load again to the same world.
#include "FuzzWorld.h"

using glimfuzz::FuzzGame;

namespace {

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) glimfuzz::Fail("cannot write " + path);
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  FuzzGame g;
  g.Start();
  glim::Game& game = g.game;
  const std::string path = glimfuzz::TempFolder() + "input.gam";
  WriteFile(path, data, size);

  const glim::World before = game.world();
  g.platform.QueueFile(path);
  if (!game.LoadGame()) {
    if (!(before == game.world()))
      glimfuzz::Fail("a refused load changed " + glimfuzz::Difference(before, game.world()));
    return 0;
  }
  glimfuzz::CheckInvariants(game);
  if (game.CurrentRoom < 1 || game.CurrentRoom > glim::MaxRooms) glimfuzz::Fail("loaded a room outside the map");

  // What the game saves it must load again, to the same world.
  const std::string again = glimfuzz::TempFolder() + "again.gam";
  const glim::World loaded = game.world();
  g.platform.QueueFile(again);
  game.SaveGame();
  g.platform.QueueFile(again);
  if (!game.LoadGame()) glimfuzz::Fail("the game refused a file it saved itself");
  if (!(loaded == game.world()))
    glimfuzz::Fail("saving and loading changed " + glimfuzz::Difference(loaded, game.world()));

  game.ShowRoom(false);
  glimfuzz::CheckInvariants(game);
  g.Play("l\ni\nn\ne\ns\nw\nu\nd\n:objects 1 2 0\ni\n:click carried 80 50\n", 20, false);
  return 0;
}
