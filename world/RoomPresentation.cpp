// Showing the current room: its events, picture, description, the things and
// characters present with their reactions, and the direction buttons.
#include <algorithm>

#include "world/Game.h"

namespace glim {

namespace {

// The positions DrawObjects records for the objects present, without the
// drawing.
void PlaceObjects(Game& g) {
  int x = 220;
  for (int k = 1; k <= g.ObjectCount; ++k) {
    if (g.Obj(k).Location != g.CurrentRoom) continue;
    x += 60;
    g.Obj(k).X = x;
  }
}

}  // namespace

void Game::ShowRoom(bool clearPanel) {
  RoomEvents();
  LoadRoomPicture();
  if (clearPanel) ClearPanel();

  const int32_t r = CurrentRoom;
  if (!Table<TRoom, MaxRooms>::InRange(r)) {
    // Only a broken saved game or a debugging jump can get here; say so
    // instead of reading outside the map.
    PrintLine("There is no room " + std::to_string(r) + " in this world");
    P.ShowScene(View);
    return;
  }
  const int lines = static_cast<int>(std::clamp<int64_t>(int64_t{Rooms[r].LineCount} - 1, 0, MaxRoomLines));
  for (int l = 1; l <= lines; ++l) {
    const std::string& text = RoomText[r][static_cast<size_t>(l)];
    PrintLine(l == 1 ? "you are " + text : text);
  }
  PrintLine("what shall we do now?");
  DrawCarriedPanel();
  PlaceObjects(*this);

  for (int k = 1; k <= ObjectCount; ++k) {
    if (Obj(k).Location != CurrentRoom) continue;
    const std::string p = ObjectPhrase(k);
    switch (Obj(k).Tense) {
      case 0: PrintLine("The " + p + " is here."); break;
      case 1: PrintLine("The " + p + " are here."); break;
      case 2: PrintLine(p + " is here."); break;
      case 3: PrintLine("A " + p + " is here."); break;
      case 4: PrintLine("An " + p + " is here."); break;
      default: PrintLine("Object tense Data Error " + std::to_string(k)); break;
    }
  }
  bool reacted = false;
  for (int k = 1; k <= BaddieCount; ++k) {
    if (Baddie(k).Location != CurrentRoom) continue;
    const std::string p = BaddiePhrase(k);
    switch (Baddie(k).Tense) {
      case 0: PrintLine("The " + p + " is here."); break;
      case 1: PrintLine("The " + p + " are here."); break;
      case 2: PrintLine(p + " is here."); break;
      case 3: PrintLine(p + " is all around you."); break;
      default: PrintLine("Baddie Tense Data Error " + std::to_string(k)); break;
    }
    BaddieAction(k);
    reacted = true;
    PlaceObjects(*this);
  }
  // The scene shows the picture, the characters and then the objects as the
  // last reaction left them. Every reaction's scene is drawn over by the
  // next one's, so only the last is composed; the objects' positions are
  // still recorded after every reaction, as drawing them would.
  if (reacted)
    DrawCharacters(Composed);
  else
    Composed = View;
  DrawObjects(Composed);
  P.ShowScene(Composed);

  const int32_t now = CurrentRoom;
  for (int d = DirNorth; d <= DirWest; ++d) P.EnableDirection(d, false);
  if (Table<TRoom, MaxRooms>::InRange(now))
    for (int d = DirNorth; d <= DirWest; ++d)
      if (Rooms[now].Exit(d) > 0) P.EnableDirection(d, true);
}

}  // namespace glim
