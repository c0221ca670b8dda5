// Plain records and fixed-capacity, 1-based tables of the game world.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace glim {

// Hard capacities of the world tables.
constexpr int MaxVerbs = 54;
constexpr int MaxAdverbs = 12;
constexpr int MaxUnreals = 17;
constexpr int MaxObjects = 45;
constexpr int MaxBaddies = 23;
constexpr int MaxDoors = 40;
constexpr int MaxLinks = 20;
constexpr int MaxRooms = 220;
constexpr int MaxRoomLines = 5;
constexpr int MaxIgnored = 101;  // slots 0..100

// Word classes of the parser.
enum WordClassId : uint8_t { WcVerb = 0, WcAdverb = 1, WcUnreal = 2, WcObject = 3, WcBaddie = 4 };

// Directions; exit field d of a room (1..4) is the exit of direction d.
enum TDirection : uint8_t { DirNone = 0, DirNorth = 1, DirSouth = 2, DirEast = 3, DirWest = 4 };

enum TDoorState : uint8_t { DoorOpen = 0, DoorClosed = 1, DoorLocked = 2, DoorJammed = 3, DoorNoPassage = 4 };

// Object locations with a special meaning.
constexpr int32_t LocCarried = -1;
constexpr int32_t LocNowhere = 0;
constexpr int32_t LocHandedOver = 300;  // given to a character, out of the world

// A table numbered 1..N. Index 0 exists (unused) so that the numbers of the
// game can be used directly; any index outside 0..N throws instead of
// touching memory outside the table.
template <class T, int N>
class Table {
 public:
  T& operator[](int i) {
    check(i);
    return a_[static_cast<size_t>(i)];
  }
  const T& operator[](int i) const {
    check(i);
    return a_[static_cast<size_t>(i)];
  }
  static constexpr int Capacity = N;
  static bool InRange(int i) { return i >= 1 && i <= N; }
  void Reset() { a_.fill(T{}); }
  bool operator==(const Table&) const = default;

 private:
  static void check(int i) {
    if (i < 0 || i > N) throw std::out_of_range("table index " + std::to_string(i));
  }
  std::array<T, N + 1> a_{};
};

struct TObjectRec {
  std::string Name;
  std::string Qualifier;
  int32_t Location = 0;
  int32_t State = 0;
  int32_t Tense = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Number = 0;
  bool operator==(const TObjectRec&) const = default;
};

struct TBaddieRec {
  std::string Name;
  std::string Qualifier;
  int32_t Location = 0;
  int32_t BlockCode = 0;
  int32_t Pronoun = 0;
  int32_t Tense = 0;
  int32_t Lying = 0;
  int32_t Picture = 0;
  int32_t LyingPicture = 0;
  bool operator==(const TBaddieRec&) const = default;
};

struct TUnrealRec {
  std::string Name;
  std::string Qualifier;
  bool operator==(const TUnrealRec&) const = default;
};

struct TRoom {
  int32_t North = 0;
  int32_t South = 0;
  int32_t East = 0;
  int32_t West = 0;
  int32_t LineCount = 0;
  // Exit of direction d (1..4); any other d reads as "no exit".
  int32_t Exit(int d) const {
    switch (d) {
      case DirNorth: return North;
      case DirSouth: return South;
      case DirEast: return East;
      case DirWest: return West;
      default: return 0;
    }
  }
  void SetExit(int d, int32_t room) {
    switch (d) {
      case DirNorth: North = room; break;
      case DirSouth: South = room; break;
      case DirEast: East = room; break;
      case DirWest: West = room; break;
      default: break;
    }
  }
  bool operator==(const TRoom&) const = default;
};

struct TLink {
  int32_t Upper = 0;
  int32_t Lower = 0;
  bool operator==(const TLink&) const = default;
};

struct TDoor {
  uint8_t State = 0;  // TDoorState
  int32_t Room = 0;
  uint8_t Direction = 0;  // TDirection
  int32_t Key = 0;
  bool operator==(const TDoor&) const = default;
};

// The vocabulary record: one table per word class.
struct WList {
  Table<std::string, MaxVerbs> Verbs;
  Table<std::string, MaxAdverbs> AdVerbs;
  Table<TObjectRec, MaxObjects> Objects;
  Table<TBaddieRec, MaxBaddies> Baddies;
  Table<TUnrealRec, MaxUnreals> Unreals;
  bool operator==(const WList&) const = default;
};

}  // namespace glim
