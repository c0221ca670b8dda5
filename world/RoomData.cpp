// Reader of the room data file: the map's exits and description lines. It
// validates every number and names the line of the first bad one.
#include "world/Game.h"
#include "world/Text.h"

namespace glim {

bool Game::LoadRoomData(const std::vector<std::string>& lines) {
  const long total = static_cast<long>(lines.size());
  auto line = [&](long i) -> const std::string* {
    return (i >= 0 && i < total) ? &lines[static_cast<size_t>(i)] : nullptr;
  };
  auto fail = [&](const std::string& msg) {
    P.ErrorBox(msg);
    return false;
  };
  if (total == 0) return fail(ListIndexMessage(0));
  auto rc = StrictInt(Trim(lines[0]));
  if (!rc) {
    P.ErrorBox("Error in Room data file");
    return true;  // the start-up goes on with no rooms read
  }
  RoomCount = *rc;
  if (RoomCount < 2) return true;

  long n = 1;
  for (int32_t r = 1; r <= RoomCount - 1; ++r) {
    if (n > total - 1) return true;  // the file ends between records
    if (r > MaxRooms) return fail(RangeCheckError);
    TRoom& room = Rooms[r];
    // North, with the previous line in its message.
    auto v = StrictInt(Trim(*line(n)));
    if (!v) {
      P.ErrorBox("Error in North Pointer at " + std::to_string(n) + ": " + *line(n) + " Previous line was " +
                 *line(n - 1));
      return true;
    }
    room.North = *v;
    struct ExitField {
      const char* msg;
      int32_t* field;
    };
    const ExitField rest[3] = {{"Error in South Pointer at ", &room.South},
                               {"Error in East Pointer at", &room.East},
                               {"Error in West Pointer at ", &room.West}};
    for (const ExitField& f : rest) {
      ++n;
      const std::string* s = line(n);
      if (!s) return fail(ListIndexMessage(n));
      auto e = StrictInt(Trim(*s));
      if (!e) {
        P.ErrorBox(f.msg + std::to_string(n));
        return true;
      }
      *f.field = *e;
    }
    ++n;
    const std::string* lc = line(n);
    if (!lc) return fail(ListIndexMessage(n));
    const std::string t = Trim(*lc);
    auto c = StrictInt(t);
    if (!c) {
      P.ErrorBox("Error in Line count at position " + std::to_string(FirstNonNumberPosition(t)) + " 0f Line" +
                 std::to_string(n) + " Total Lines " + std::to_string(total) + "\r" + t);
      return true;
    }
    room.LineCount = *c;
    ++n;
    for (int32_t l = 1; l < room.LineCount; ++l) {  // no `LineCount - 1`: it may be INT_MIN
      if (l > MaxRoomLines) return fail(RangeCheckError);
      const std::string* d = line(n);
      if (!d) return fail(ListIndexMessage(n));
      RoomText[r][static_cast<size_t>(l)] = *d;
      ++n;
    }
  }
  return true;
}

}  // namespace glim
