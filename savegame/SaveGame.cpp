// Saved game files: the changeable part of the world (the player's room and
// flags, the objects, the characters, the doors and the room exits) written
// one value per line, every line ending in CR LF.
//
// A load checks the whole file before it changes anything: a file that is
// larger than any saved game, short, holds a line that is not a number where
// a number belongs, an empty door code, or a player's room outside the map is
// refused with one message box and the running game stays exactly as it was.
//
// Every file the game writes, it reads back: a field takes any value the data
// files' readers put into it (an exit or a location is only ever compared,
// never used to index a table, and an exit beyond the map is refused when the
// player takes it), and the player's room, which only the game's own rules
// change, is always a room of the map.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <type_traits>

#include "savegame/SaveFile.h"
#include "shell/GameFolder.h"
#include "world/Game.h"
#include "world/Text.h"

namespace glim {

std::string FlagToText(bool value) { return value ? "1" : "0"; }

bool TextToFlag(const std::string& text) { return text == "1" || text == "True"; }

namespace {

int CodeDigit(const std::string& text) {
  return (!text.empty() && text[0] >= '1' && text[0] <= '4') ? text[0] - '0' : 0;
}

std::string CodeText(int value) { return (value >= 1 && value <= 4) ? std::to_string(value) : "0"; }

}  // namespace

TDoorState StrToDoorState(const std::string& text) { return static_cast<TDoorState>(CodeDigit(text)); }
TDirection StrToDirection(const std::string& text) { return static_cast<TDirection>(CodeDigit(text)); }
std::string DoorStateToStr(int value) { return CodeText(value); }
std::string DirectionToStr(int value) { return CodeText(value); }

namespace {

// How many entries of each table a saved game holds: the running game's
// counts, never more than the tables hold.
struct SavedCounts {
  int Objects, Baddies, Doors, Rooms;
  explicit SavedCounts(const World& g)
      : Objects(std::clamp<int32_t>(g.ObjectCount, 0, MaxObjects)),
        Baddies(std::clamp<int32_t>(g.BaddieCount, 0, MaxBaddies)),
        Doors(std::clamp<int32_t>(g.DoorCount, 0, MaxDoors)),
        Rooms(std::clamp<int32_t>(g.RoomCount, 0, MaxRooms)) {}
};

bool IsRoom(int32_t v) { return v >= 1 && v <= MaxRooms; }

// A saved game of this world takes a few kilobytes; anything near this size
// is not one, and is refused before it is read.
constexpr size_t MaxSaveFileSize = 1 << 20;

// Thrown by the reader when the file is refused; the text is the message.
struct Refusal {
  std::string Message;
};

class SaveReader {
 public:
  explicit SaveReader(const std::vector<std::string>& lines) : lines_(lines) {}

  const std::string& Text() {
    if (pos_ >= static_cast<long>(lines_.size())) throw Refusal{ListIndexMessage(pos_)};
    return lines_[static_cast<size_t>(pos_++)];
  }
  int32_t Int() { return Convert(Text()); }
  int32_t TrimmedInt() { return Convert(Trim(Text())); }
  bool Flag() { return TextToFlag(Text()); }
  const std::string& Code() {
    const std::string& s = Text();
    if (s.empty()) throw Refusal{RangeCheckError};
    return s;
  }
  // A number that must also pass `valid`; what names the kind of value.
  int32_t Checked(int32_t v, bool valid, const char* what) {
    if (!valid) throw Refusal{"'" + QuotedValue(std::to_string(v)) + "' is not a valid " + what};
    return v;
  }

 private:
  static int32_t Convert(const std::string& s) {
    auto v = StrictInt(s);
    if (!v) throw Refusal{NotAnIntegerMessage(s)};
    return *v;
  }
  const std::vector<std::string>& lines_;
  long pos_ = 0;
};

}  // namespace

FileDialogSpec Game::LoadGSpec() const { return {"Load a game", "Saved Brimel Game|*.gam", "gam", SaveFolder()}; }

FileDialogSpec Game::GameSSpec() const { return {"Save Current Game", "Saved Brimel Game|*.gam", "gam", SaveFolder()}; }

// Saved games go beside the game when the player may write there (a copy
// unpacked in the player's own folder); an installed game keeps them in the
// player's data folder instead.
std::string Game::SaveFolder() const { return InitialFolderWritable ? GameFolder : PlayerDataFolder(); }

namespace {

// How a saved field is written and read back.
enum class Enc {
  Plain,    // a number, a flag, a name or a door code, as its type says
  Trimmed,  // a number read with blanks and control characters around it removed
  Room,     // the player's room: a number that must name a room of the map
};

// Every field a saved game holds, in the order of its lines, for writing and
// reading alike: f(field, encoding) is called once per line. One list for
// both directions keeps them from drifting apart.
template <class W, class F>
void ForEachSavedField(W& w, F&& f) {
  const SavedCounts n(w);
  f(w.CurrentRoom, Enc::Room);
  f(w.CarriedCount, Enc::Plain);
  f(w.DrinkFlag, Enc::Plain);
  f(w.PlayerWarm, Enc::Plain);
  f(w.PlayerInvisible, Enc::Plain);
  f(w.WallsStopped, Enc::Plain);
  f(w.PlayerDirty, Enc::Plain);
  for (int k = 1; k <= n.Objects; ++k) {
    auto& o = w.WordLists.Objects[k];
    f(o.Name, Enc::Plain);
    f(o.Location, Enc::Plain);
    f(o.State, Enc::Plain);
    f(o.Tense, Enc::Plain);
  }
  for (int k = 1; k <= n.Baddies; ++k) {
    auto& b = w.WordLists.Baddies[k];
    f(b.Name, Enc::Plain);
    f(b.Location, Enc::Plain);
    f(b.BlockCode, Enc::Plain);
    f(b.Pronoun, Enc::Plain);
    f(b.Tense, Enc::Plain);
    f(b.Lying, Enc::Plain);
  }
  for (int k = 1; k <= n.Doors; ++k) {
    auto& d = w.Doors[k];
    f(d.State, Enc::Plain);  // a door code
    f(d.Room, Enc::Trimmed);
    f(d.Direction, Enc::Plain);  // a door code
    f(d.Key, Enc::Trimmed);
  }
  for (int r = 1; r <= n.Rooms; ++r) {
    // Anything below 1 means no exit.
    auto& room = w.Rooms[r];
    f(room.North, Enc::Trimmed);
    f(room.South, Enc::Trimmed);
    f(room.East, Enc::Trimmed);
    f(room.West, Enc::Trimmed);
  }
}

template <class T>
std::string EncodeField(const T& v) {
  if constexpr (std::is_same_v<T, std::string>)
    return v;
  else if constexpr (std::is_same_v<T, bool>)
    return FlagToText(v);
  else if constexpr (std::is_same_v<T, uint8_t>)
    return CodeText(v);
  else
    return std::to_string(v);
}

template <class T>
void DecodeField(SaveReader& in, T& v, Enc how) {
  if constexpr (std::is_same_v<T, std::string>) {
    v = in.Text();
  } else if constexpr (std::is_same_v<T, bool>) {
    v = in.Flag();
  } else if constexpr (std::is_same_v<T, uint8_t>) {
    v = static_cast<uint8_t>(CodeDigit(in.Code()));
  } else if (how == Enc::Trimmed) {
    v = in.TrimmedInt();
  } else {
    v = in.Int();
    if (how == Enc::Room) in.Checked(v, IsRoom(v), "room number");
  }
}

}  // namespace

std::string SaveText(const World& w) {
  std::string text;
  ForEachSavedField(w, [&text](const auto& v, Enc) {
    text += EncodeField(v);
    text += "\r\n";
  });
  return text;
}

std::optional<std::string> ReadSavedGame(World& w, const std::vector<std::string>& lines) {
  // Everything is read into a copy first; the world takes it over only when
  // the whole file has been read without a fault.
  SaveReader in(lines);
  World next = w;
  try {
    ForEachSavedField(next, [&in](auto& v, Enc how) { DecodeField(in, v, how); });
  } catch (const Refusal& r) {
    return r.Message;
  }
  // Lines after the last room are ignored.
  // The count in the file is not trusted (it could let the player carry past
  // the limit, block every take, or overflow on the next drop): it is the
  // number of objects the file says are carried.
  next.CarriedCount = next.CountCarried();
  w = std::move(next);
  return std::nullopt;
}

void Game::SaveGame() {
  PrintLine("Saving game");
  // A game whose data files did not load (a wrong game folder) is an empty
  // world; saved, it would replace a real save with nothing.
  if (!DataFilesLoaded) {
    P.ErrorBox("The game cannot be saved: its data files glimtext.wdt and glimroom.dat did not load from " +
               GameFolder + ", so there is no game in progress. Nothing was written.");
    return;
  }
  const std::optional<std::string> path = P.SaveFileDialog(GameSSpec());
  if (!path) return;
  // The platform writes a temporary file and renames it over the old one
  // only when all is written, so a failure leaves the old file as it was.
  std::string error;
  if (!P.WriteFile(*path, SaveText(world()), error)) P.ErrorBox(error);
}

bool Game::LoadGame() {
  PrintLine("Loading game");
  std::optional<std::string> chosen = P.OpenFileDialog(LoadGSpec());
  if (!chosen) return false;
  std::string path = *chosen;
  {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (!ec) path = full.string();
  }
  PrintLine("Loading " + path);

  std::string bytes;
  errno = 0;
  if (!P.ReadFile(path, bytes, MaxSaveFileSize)) {
    const int err = errno;
    // Only a regular file is read (a pipe would wait for ever, a device
    // need never end).
    std::string why = err ? std::strerror(err) : "";
    if (path.find('\0') != std::string::npos)
      why = "A file name cannot hold a NUL character.";
    else if (err == EINVAL)
      why = "It is not a regular file.";
    P.ErrorBox("Cannot open file \"" + path + "\"." + (why.empty() ? "" : " " + why));
    return false;
  }
  if (const std::optional<std::string> refused = ReadSavedGame(world(), SplitLines(bytes))) {
    P.ErrorBox(*refused);
    return false;
  }
  return true;
}

}  // namespace glim
