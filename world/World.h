// The world value: everything that makes up one game in progress, as one
// plain value. Saving writes part of it, a restart reads most of it again
// from the data files, and an undo step is a copy of it; all of them use
// this one list of fields, so a field added here is saved (if the file has
// a line for it), restarted and taken back without being named anywhere
// else. Copies compare with ==.
//
// What stays outside, in the game object, and why:
//  - the parse state of the command in progress (the words, their classes
//    and numbers, the nouns, the verb and adverb, the error code,
//    CommandLine): it belongs to one command and is set afresh by the next;
//  - the pictures and the scene cache (View, Composed, the sprite lists,
//    PicturePath): they are drawn from the world, not part of it;
//  - the platform, GameFolder and the start-up flags: they belong to the
//    program, not to a game;
//  - the sound's repetition: the room events start the sounds again when a
//    room is shown;
//  - DeathCount and PlayerDying: a run's count of worlds replaced by a
//    death and the pause of one death, by which an action that waited learns
//    that its game is over; taking a world back must not turn that count
//    back;
//  - the event timer's time left: the platform's clock holds it, and an
//    undo step keeps it beside its world (see Game::Snapshot).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world/Ids.h"
#include "world/Types.h"

namespace glim {

// The description lines of every room. Only the room data file writes them,
// so they are held in one block that copies of the world share: a copy costs
// a pointer instead of the 1,100 strings, and == still compares the lines.
class RoomTexts {
 public:
  using Lines = std::array<std::string, MaxRoomLines + 1>;  // lines 1..5; 0 unused
  using Block = Table<Lines, MaxRooms>;

  // RoomText[r][l]: description line l (1..5) of room r.
  const Lines& operator[](int r) const { return (*block_)[r]; }
  // The lines as a table to change, and the changed table put in their
  // place. Lines read again unchanged (a restart) keep the block they had,
  // which the copies taken before the restart share.
  Block Edit() const { return *block_; }
  void Replace(Block lines) {
    if (!(lines == *block_)) block_ = std::make_shared<const Block>(std::move(lines));
  }

  bool operator==(const RoomTexts& o) const { return block_ == o.block_ || *block_ == *o.block_; }

 private:
  static std::shared_ptr<const Block> Empty() {
    static const std::shared_ptr<const Block> empty = std::make_shared<const Block>();
    return empty;
  }
  std::shared_ptr<const Block> block_ = Empty();
};

// The player's state that a new game starts afresh (`NewPlayer`). At program
// start everything is 0 and false, as the first activation finds it.
struct PlayerState {
  int32_t CurrentRoom = 0;
  int32_t CarriedCount = 0;
  int32_t CarryLimit = 0;
  // The door entry found by the last door check of a move, 0 for none; the
  // door actions of the next commands act on it.
  int32_t DoorIndex = 0;
  bool PlayerDirty = false;
  bool PlayerWarm = false;
  bool PlayerInvisible = false;
  bool TrollsScared = false;
  bool WallsStopped = false;
  bool CompanionFollows = false;

  // The player of a new game: in room 1, carrying nothing, able to carry
  // eight things, and in need of a wash.
  static PlayerState NewPlayer() {
    PlayerState p;
    p.CurrentRoom = Room::Attic;
    p.CarryLimit = 8;
    p.PlayerDirty = true;
    return p;
  }
  bool operator==(const PlayerState&) const = default;
};

struct World : PlayerState {
  // --- from the word data file, read again at every restart
  WList WordLists;
  int32_t VerbCount = 0, AdverbCount = 0, UnrealCount = 0, ObjectCount = 0, BaddieCount = 0, DoorCount = 0, UpCount = 0,
          DownCount = 0;
  Table<TLink, MaxLinks> UpLinks;
  Table<TLink, MaxLinks> DownLinks;
  Table<TDoor, MaxDoors> Doors;
  // The qualifier words the parser drops, built from the vocabulary at
  // every load of it. A build adds only new words, so a restart from the
  // same file leaves the table as it was.
  std::array<std::string, MaxIgnored> IgnoredWords{};

  // --- from the room data file, read again at every restart
  int32_t RoomCount = 0;
  Table<TRoom, MaxRooms> Rooms;  // the exits change in play
  RoomTexts RoomText;            // never changed by play

  // Cleared when the player drinks from an empty container. Saved and
  // loaded, and kept by a restart, as it always was.
  bool DrinkFlag = false;

  // The event timer EventT as the game set it last (armed or not, and its
  // interval); a restart leaves it alone. The countdown's time left is the
  // platform's.
  bool EventTEnabled = false;
  int32_t EventTInterval = 10000;

  // Shortcuts into the vocabulary record.
  TObjectRec& Obj(int o) { return WordLists.Objects[o]; }
  const TObjectRec& Obj(int o) const { return WordLists.Objects[o]; }
  TBaddieRec& Baddie(int k) { return WordLists.Baddies[k]; }
  const TBaddieRec& Baddie(int k) const { return WordLists.Baddies[k]; }
  std::string ObjectPhrase(int o) const { return Obj(o).Name + " " + Obj(o).Qualifier; }
  std::string BaddiePhrase(int k) const { return Baddie(k).Name + " " + Baddie(k).Qualifier; }
  // How a message names an object the player does not have in front of
  // them: by the word they typed, never by the description that would give
  // away what it is or where it comes from.
  // Keys, whose word is their adjective, are named as keys ("rusty key").
  std::string AbsentPhrase(int o) const {
    const std::string& q = Obj(o).Qualifier;
    return q.rfind("key ", 0) == 0 ? Obj(o).Name + " key" : Obj(o).Name;
  }
  // How many of the objects 1..ObjectCount are carried: what CarriedCount
  // is set to wherever it could disagree with the objects (after a load, at
  // the start of a game, in the inventory listing).
  int32_t CountCarried() const {
    int32_t n = 0;
    const int last = ObjectCount < MaxObjects ? ObjectCount : MaxObjects;
    for (int o = 1; o <= last; ++o)
      if (Obj(o).Location == LocCarried) ++n;
    return n;
  }

  bool operator==(const World&) const = default;
};

// What a data-file reader met: the error messages to show, in order, and
// whether the error ends the start-up or restart that called the reader
// (the rest of that sequence is then not run).
struct ReadReport {
  std::vector<std::string> Errors;
  bool Ends = false;
};

// The data-file readers. Each fills the world's tables in place from the
// lines of its file (entries past what the file holds keep what they had),
// stops at the first error it meets and reports it.
ReadReport ReadWordData(World& w, const std::vector<std::string>& lines);
ReadReport BuildIgnoredWords(World& w);
ReadReport ReadRoomData(World& w, const std::vector<std::string>& lines);

// The words the parser drops for a qualifier: the whole qualifier when it is
// one word, else the part after its first blank, then the part before it.
std::vector<std::string> QualifierWords(const std::string& qualifier);

}  // namespace glim
