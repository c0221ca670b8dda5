// The word data reader on any text: the reader, the ignored words derived
// from what it read, a restart reading the same text again, and then a short
// game in whatever world the tables were left holding (a start-up that stops
// at a bad line still leaves the window open to typed commands).
#include "FuzzWorld.h"
#include "world/Text.h"

using glimfuzz::FuzzGame;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  const std::vector<std::string> lines = glim::SplitLines(glimfuzz::AsText(data, size));
  FuzzGame g;
  glim::Game& game = g.game;
  game.GameFolder = g.platform.ProgramFolder();
  bool ok = game.LoadWordData(lines) && game.BuildIgnoredWords();
  glimfuzz::CheckInvariants(game);

  if (ok) {
    // A restart reads the same file over the loaded world and must come to
    // the same world, the ignored words included.
    const glim::World first = game.world();
    if (!game.LoadWordData(lines) || !game.BuildIgnoredWords()) glimfuzz::Fail("a second load of a good file failed");
    if (!(first == game.world()))
      glimfuzz::Fail("reading the same file again changed " + glimfuzz::Difference(first, game.world()));
  }

  game.LoadRoomData(glimfuzz::WorldRoomLines());
  game.InitialiseState();
  for (int k = 1; k <= game.ObjectCount; ++k) game.Obj(k).Number = k;
  game.ShowRoom(true);
  glimfuzz::CheckInvariants(game);

  // Every verb of the file once, with an object or a character of the file.
  std::string commands = "l\ni\nn\ne\ns\nw\nu\nd\n:objects 1 2 3 0\n:room 2\n";
  for (int k = 1; k <= game.VerbCount; ++k) {
    const int o = 1 + k % std::max(1, game.ObjectCount);
    const int b = 1 + k % std::max(1, game.BaddieCount);
    commands += game.WordLists.Verbs[k] + " " + (k % 2 ? game.Obj(o).Name : game.Baddie(b).Name) + "\n";
  }
  commands += ":click view 300 300\n:click carried 80 50\n";
  g.Play(commands, 80, false);
  return 0;
}
