// Reader of the room data file: the map's exits and description lines. It
// validates every number and names the line of the first bad one.
#include "world/Game.h"
#include "world/Text.h"

namespace glim {

namespace {

// Reads the records into the world's exits and into `texts`, the world's
// description lines to be; returns the report.
ReadReport ReadRooms(World& w, RoomTexts::Block& texts, const std::vector<std::string>& lines) {
  const long total = static_cast<long>(lines.size());
  auto line = [&](long i) -> const std::string* {
    return (i >= 0 && i < total) ? &lines[static_cast<size_t>(i)] : nullptr;
  };
  // An error that ends the start-up, and one after which it goes on.
  auto fail = [](const std::string& msg) { return ReadReport{{msg}, true}; };
  auto stop = [](const std::string& msg) { return ReadReport{{msg}, false}; };
  if (total == 0) return fail(ListIndexMessage(0));
  auto rc = StrictInt(Trim(lines[0]));
  if (!rc) return stop("Error in Room data file");  // the start-up goes on with no rooms read
  w.RoomCount = *rc;
  if (w.RoomCount < 2) return {};

  long n = 1;
  for (int32_t r = 1; r <= w.RoomCount - 1; ++r) {
    if (n > total - 1) return {};  // the file ends between records
    if (r > MaxRooms) return fail(RangeCheckError);
    TRoom& room = w.Rooms[r];
    // North, with the previous line in its message.
    auto v = StrictInt(Trim(*line(n)));
    if (!v)
      return stop("Error in North Pointer at " + std::to_string(n) + ": " + *line(n) + " Previous line was " +
                  *line(n - 1));
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
      if (!e) return stop(f.msg + std::to_string(n));
      *f.field = *e;
    }
    ++n;
    const std::string* lc = line(n);
    if (!lc) return fail(ListIndexMessage(n));
    const std::string t = Trim(*lc);
    auto c = StrictInt(t);
    if (!c)
      return stop("Error in Line count at position " + std::to_string(FirstNonNumberPosition(t)) + " 0f Line" +
                  std::to_string(n) + " Total Lines " + std::to_string(total) + "\r" + t);
    room.LineCount = *c;
    ++n;
    for (int32_t l = 1; l < room.LineCount; ++l) {  // no `LineCount - 1`: it may be INT_MIN
      if (l > MaxRoomLines) return fail(RangeCheckError);
      const std::string* d = line(n);
      if (!d) return fail(ListIndexMessage(n));
      texts[r][static_cast<size_t>(l)] = *d;
      ++n;
    }
  }
  return {};
}

}  // namespace

ReadReport ReadRoomData(World& w, const std::vector<std::string>& lines) {
  // The lines read before an error stay read, as the exits do.
  RoomTexts::Block texts = w.RoomText.Edit();
  ReadReport report = ReadRooms(w, texts, lines);
  w.RoomText.Replace(std::move(texts));
  return report;
}

bool Game::LoadRoomData(const std::vector<std::string>& lines) { return ShowReport(ReadRoomData(*this, lines)); }

}  // namespace glim
