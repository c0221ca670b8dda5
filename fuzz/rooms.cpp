// The room data reader on any text, in the shipped world's vocabulary: the
// reader, then the rooms it read shown, walked through, jumped to, and saved
// and loaded again.
#include <algorithm>

#include "FuzzWorld.h"
#include "world/Text.h"

using glimfuzz::FuzzGame;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  const std::vector<std::string> lines = glim::SplitLines(glimfuzz::AsText(data, size));
  FuzzGame g;
  glim::Game& game = g.game;
  game.GameFolder = g.platform.ProgramFolder();
  if (game.LoadWordData(glimfuzz::WorldWordLines())) game.BuildIgnoredWords();
  game.LoadRoomData(lines);
  glimfuzz::CheckInvariants(game);
  game.InitialiseState();
  for (int k = 1; k <= game.ObjectCount; ++k) game.Obj(k).Number = k;

  // The first rooms read and the last one, each shown once.
  const int32_t last = std::min<int32_t>(game.RoomCount - 1, glim::MaxRooms);
  for (int32_t r = 1; r <= last; ++r) {
    if (r > 8 && r != last) continue;
    game.CurrentRoom = r;
    game.ShowRoom(true);
    glimfuzz::CheckInvariants(game);
  }
  game.CurrentRoom = 1;
  game.ShowRoom(true);
  const std::string jumps =
      ":room " + std::to_string(game.RoomCount - 1) + "\n:room " + std::to_string(game.RoomCount) + "\n:room 1\n";
  g.Play("n\ne\ns\nw\nn\nn\ne\ne\ns\ns\nw\nw\nu\nd\nl\n" + jumps + ":save r\n:load r\nn\ne\n", 40, false);
  return 0;
}
