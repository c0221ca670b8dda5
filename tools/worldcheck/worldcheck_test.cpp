// The world checker on broken copies of the shipped world: each copy is made
// from the real files with one fault, and the checker must report exactly
// that fault, by its line.
#include "tools/worldcheck/WorldCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "world/Text.h"
#include "world/Types.h"

namespace {

using Lines = std::vector<std::string>;

std::string ReadText(const std::string& name) {
  std::ifstream in(std::string(GLIM_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Join(const Lines& lines) {
  std::string t;
  for (const std::string& l : lines) t += l + "\r\n";
  return t;
}

// The real word file with the line index of every record.
struct WordFile {
  Lines lines = glim::SplitLines(ReadText("glimtext.wdt"));
  int Count(int i) const { return std::stoi(lines[static_cast<size_t>(i)]); }
  size_t Verb(int k) const { return static_cast<size_t>(8 + k - 1); }
  size_t Adverb(int k) const { return Verb(Count(0) + 1) + static_cast<size_t>(k - 1); }
  size_t Scenery(int k) const { return Adverb(Count(1) + 1) + static_cast<size_t>(2 * (k - 1)); }
  size_t Object(int k) const { return Scenery(Count(2) + 1) + static_cast<size_t>(7 * (k - 1)); }
  size_t Character(int k) const { return Object(Count(3) + 1) + static_cast<size_t>(7 * (k - 1)); }
  size_t UpLink(int k) const { return Character(Count(4) + 1) + static_cast<size_t>(2 * (k - 1)); }
  size_t DownLink(int k) const { return UpLink(Count(6) + 1) + static_cast<size_t>(2 * (k - 1)); }
  size_t Door(int k) const { return DownLink(Count(7) + 1) + static_cast<size_t>(4 * (k - 1)); }
  std::string& operator[](size_t i) { return lines[i]; }
};

// The real room file with the line index of every room record.
struct RoomFile {
  Lines lines = glim::SplitLines(ReadText("glimroom.dat"));
  int Rooms() const { return std::stoi(lines[0]) - 1; }
  size_t Room(int r) const {
    size_t n = 1;
    for (int k = 1; k < r; ++k) n += 4 + static_cast<size_t>(std::stoi(lines[n + 4]));
    return n;
  }
  int Exit(int r, int d) const { return std::stoi(lines[Room(r) + static_cast<size_t>(d - 1)]); }
  std::string& operator[](size_t i) { return lines[i]; }
};

class WorldCheckTest : public ::testing::Test {
 protected:
  WordFile words;
  RoomFile rooms;
  std::vector<std::string> Check() const { return worldcheck::CheckWorld(Join(words.lines), Join(rooms.lines)); }
  void ExpectOnly(const std::string& fault) const { EXPECT_EQ(Check(), Lines{fault}); }
};

TEST_F(WorldCheckTest, ShippedWorldIsSound) { EXPECT_EQ(worldcheck::CheckFolder(GLIM_DATA_DIR), Lines{}); }

TEST_F(WorldCheckTest, NamesMustBeOneUniqueLowerCaseWord) {
  words[words.Object(2)] = "book";
  ExpectOnly("glimtext.wdt: object 2 \"book\": name is not unique (object 1 \"book\" has it too)");

  words = WordFile();
  words[words.Character(3)] = "Wally";
  ExpectOnly("glimtext.wdt: character 3 \"Wally\": name is not one lower-case word");

  words = WordFile();
  words[words.Scenery(17)] = "blue sky";
  ExpectOnly("glimtext.wdt: scenery word 17 \"blue sky\": name is not one lower-case word");

  // A scenery word named like an object is just as ambiguous.
  words = WordFile();
  words[words.Scenery(17)] = "rose";
  ExpectOnly("glimtext.wdt: scenery word 17 \"rose\": name is not unique (object 3 \"rose\" has it too)");
}

TEST_F(WorldCheckTest, QualifierWordsMustNotHideTypedWords) {
  words[words.Object(1) + 1] = "of take";
  ExpectOnly("glimtext.wdt: object 1 \"book\": qualifier word \"take\" is verb 17, which the parser would drop");

  // Typed words are lower-cased before they are compared with qualifiers.
  words = WordFile();
  words[words.Character(5) + 1] = "Count Rose";
  ExpectOnly(
      "glimtext.wdt: character 5 \"vampire\": qualifier word \"Rose\" is the name of object 3 \"rose\", "
      "which the parser would drop");

  words = WordFile();
  words[words.Object(6) + 1] = "n";
  ExpectOnly(
      "glimtext.wdt: object 6 \"flask\": qualifier word \"n\" is the one-letter command n, which the parser "
      "would drop");

  // Only the first blank splits: the last two words stay one entry, which no
  // typed word can equal.
  words = WordFile();
  words[words.Object(5) + 1] = "of take drop";
  EXPECT_EQ(Check(), Lines{});
}

TEST_F(WorldCheckTest, ExitsAndLinksStayOnTheMap) {
  const int last = rooms.Rooms();
  const std::string map = " (rooms 1-" + std::to_string(last) + ")";
  ASSERT_EQ(rooms.Exit(1, glim::DirNorth), 0);
  rooms[rooms.Room(1)] = "999";
  ExpectOnly("glimroom.dat: room 1: north exit leads to room 999, outside the map" + map);

  rooms = RoomFile();
  words[words.UpLink(1)] = "999";
  ExpectOnly("glimtext.wdt: up link 1: upper room 999 is outside the map" + map);

  words = WordFile();
  words[words.Object(1) + 2] = std::to_string(last + 1);
  ExpectOnly("glimtext.wdt: object 1 \"book\": starts in room " + std::to_string(last + 1) + ", outside the map" + map);
}

TEST_F(WorldCheckTest, DoorsStandOnExitsAndTakeObjectsAsKeys) {
  // Door 7 moved to a side of its room that has no exit.
  const size_t door = words.Door(7);
  const int room = std::stoi(words[door + 1]);
  int wall = 0;
  for (int d = glim::DirNorth; d <= glim::DirWest && !wall; ++d)
    if (rooms.Exit(room, d) == 0) wall = d;
  ASSERT_NE(wall, 0);
  const char* names[] = {"", "north", "south", "east", "west"};
  words[door + 2] = std::to_string(wall);
  ExpectOnly("glimtext.wdt: door 7 (room " + std::to_string(room) + " " + names[wall] + "): room " +
             std::to_string(room) + " has no exit on that side");

  // A door on a side the game opens during play is in order: room 15's north
  // is opened by a spell.
  words = WordFile();
  ASSERT_EQ(rooms.Exit(15, glim::DirNorth), 0);
  words[door + 1] = "15";
  words[door + 2] = "1";
  EXPECT_EQ(Check(), Lines{});

  // The two sides of the gate must face each other.
  words = WordFile();
  const size_t gate = words.Door(2);
  words[gate + 1] = "1";
  words[gate + 2] = "2";
  const std::string inner = words[words.Door(1) + 1];
  ExpectOnly("glimtext.wdt: doors 1 and 2: not the two sides of one door (room " + inner + " west leads to room " +
             std::to_string(rooms.Exit(std::stoi(inner), glim::DirWest)) + ", room 1 south to room " +
             std::to_string(rooms.Exit(1, glim::DirSouth)) + ")");

  words = WordFile();
  words[door + 3] = "46";
  ExpectOnly("glimtext.wdt: door 7: key 46 is not an object");

  words = WordFile();
  words[door + 1] = "0";
  ExpectOnly("glimtext.wdt: door 7: room 0 is outside the map (rooms 1-" + std::to_string(rooms.Rooms()) + ")");
}

TEST_F(WorldCheckTest, EveryRoomIsReachableFromRoomOne) {
  // A new last room that no exit, link or event leads to.
  const int added = rooms.Rooms() + 1;
  rooms[0] = std::to_string(added + 1);
  for (const char* l : {"1", "0", "0", "0", "2", "in a sealed vault."}) rooms.lines.push_back(l);
  ExpectOnly("glimroom.dat: room " + std::to_string(added) + ": cannot be reached from room 1");

  // Linked up from room 1, it can be reached.
  const auto at = words.lines.begin() + static_cast<long>(words.UpLink(words.Count(6) + 1));
  words.lines.insert(at, {std::to_string(added), "1"});
  words[6] = std::to_string(words.Count(6) + 1);
  EXPECT_EQ(Check(), Lines{});
}

TEST_F(WorldCheckTest, EntriesTheGameUsesAreFilled) {
  words[words.Verb(25)] = "";
  ExpectOnly("glimtext.wdt: verb 25 is empty, but the game uses it (bribe)");

  words = WordFile();
  words[words.Adverb(12)] = "";
  ExpectOnly("glimtext.wdt: adverb 12 is empty, but the game uses it (the topic asked about)");

  words = WordFile();
  words[words.Object(40)] = "";
  ExpectOnly("glimtext.wdt: object 40 is empty, but the game uses it (staff)");

  // Object 36 has no rule of its own; leaving it empty is allowed.
  words = WordFile();
  words[words.Object(36)] = "";
  EXPECT_EQ(Check(), Lines{});
}

TEST_F(WorldCheckTest, CapacitiesAndMalformedRecords) {
  words[0] = "60";
  ExpectOnly("glimtext.wdt: verb count 60 is above the capacity of 54");

  words = WordFile();
  rooms[rooms.Room(3) + 4] = "8";
  ExpectOnly("glimroom.dat: room 3: 7 description lines, above the capacity of 5");

  rooms = RoomFile();
  rooms[0] = "230";
  ExpectOnly("glimroom.dat: room count 229 is above the capacity of 220");

  rooms = RoomFile();
  const std::string promised = std::to_string(rooms.Rooms() + 1);
  rooms[0] = std::to_string(rooms.Rooms() + 2);
  ExpectOnly("glimroom.dat: room " + promised + ": the file ends before its record (the header promises " + promised +
             " rooms)");

  // Two new words in every object's qualifier: the characters' qualifiers
  // then bring the dropped words above their table, at the crowd's "of".
  rooms = RoomFile();
  for (int k = 1; k <= 45; ++k) words[words.Object(k) + 1] = "q" + std::to_string(k) + "a q" + std::to_string(k) + "b";
  ExpectOnly(
      "glimtext.wdt: character 8 \"crowd\": its qualifier brings the words the parser drops above the "
      "capacity of 101");

  // A line the readers cannot take is named by its entry and its line,
  // counted from 1 as editors count.
  words = WordFile();
  const size_t location = words.Object(3) + 2;
  words[location] = "x";
  ExpectOnly("glimtext.wdt: object 3 \"rose\": location \"x\" (line " + std::to_string(location + 1) +
             ") is not a number");

  words = WordFile();
  words[words.Door(2)] = "";
  ExpectOnly("glimtext.wdt: door 2: state \"\" (line " + std::to_string(words.Door(2) + 1) + ") is empty");

  words = WordFile();
  words.lines.resize(words.Door(words.Count(5)) + 2);
  ExpectOnly("glimtext.wdt: door " + words[5] + ": the file ends before its direction (line " +
             std::to_string(words.lines.size() + 1) + ")");

  words = WordFile();
  const size_t east = rooms.Room(4) + 2;
  rooms[east] = "12a";
  ExpectOnly("glimroom.dat: room 4: east exit \"12a\" (line " + std::to_string(east + 1) + ") is not a number");
}

// A room text must not show what may be gone: an object that can be taken
// (by its name or a qualifier word, plural too) in a room where it starts or
// where the game puts it, or a character that can leave.
TEST_F(WorldCheckTest, RoomTextsNameNothingThatMayBeGone) {
  const std::string book = words[words.Object(1)];
  ASSERT_EQ(words[words.Object(1) + 2], "2");  // the book starts in room 2
  rooms[rooms.Room(2) + 5] = "in the study, where a fat " + book + " lies open on the desk.";
  ExpectOnly("glimroom.dat: room 2: its text names object 1 \"" + book + "\" (\"" + book +
             "\"), which can be taken or moved away, so the text may show it when it is gone");

  // Plural, capitals and a qualifier word count; a room the object never
  // reaches may name it.
  rooms = RoomFile();
  const std::string qualifier = words[words.Object(3) + 1];
  const std::string qword = qualifier.substr(qualifier.rfind(' ') + 1);
  rooms[rooms.Room(50) + 5] = "in a glade full of " + qword + "S.";
  rooms[rooms.Room(12) + 5] = "at the garden gate, where a " + words[words.Object(3)] + " grew once.";
  ExpectOnly("glimroom.dat: room 50: its text names object 3 \"" + words[words.Object(3)] + "\" (\"" +
             glim::LowerAscii(qword) +
             "\"), which can be taken or moved away, so the text may show it when it is gone");

  // Where the game puts a thing counts as much as where it starts: the
  // camera is left on the summit by the god.
  rooms = RoomFile();
  rooms[rooms.Room(73) + 5] = "on the summit, where a " + words[words.Object(11)] + " lies.";
  ExpectOnly("glimroom.dat: room 73: its text names object 11 \"" + words[words.Object(11)] + "\" (\"" +
             words[words.Object(11)] +
             "\"), which can be taken or moved away, so the text may show it when it is gone");

  // A character who leaves; one who never leaves, and a fixed object, may be
  // described.
  rooms = RoomFile();
  const std::string sentry = words[words.Character(10)];
  rooms[rooms.Room(77) + 5] = "at the mouth of the tunnels, where a " + sentry + " weeps.";
  rooms[rooms.Room(197) + 5] = "in the hall, where the " + words[words.Character(20)] + " floats.";
  rooms[rooms.Room(26) + 5] = "outside the lodge, under a " + words[words.Object(30)] + ".";
  ExpectOnly("glimroom.dat: room 77: its text names character 10 \"" + sentry + "\" (\"" + sentry +
             "\"), which can leave, so the text may show it when it is gone");

  // The cat goes everywhere: no room may show it.
  rooms = RoomFile();
  rooms[rooms.Room(150) + 5] = "in the cellars, where a " + words[words.Character(23)] + " would be happy.";
  ExpectOnly("glimroom.dat: room 150: its text names character 23 \"" + words[words.Character(23)] + "\" (\"" +
             words[words.Character(23)] + "\"), which can leave, so the text may show it when it is gone");
}

// Every direction a room text names has a way out on that side, counting
// the ways the game opens (the laughing tree's north).
TEST_F(WorldCheckTest, RoomTextDirectionsAgreeWithTheExits) {
  ASSERT_EQ(rooms.Exit(2, glim::DirWest), 0);
  ASSERT_EQ(rooms.Exit(15, glim::DirNorth), 0);
  rooms[rooms.Room(2) + 5] = "in the study. A door leads West.";
  rooms[rooms.Room(15) + 5] = "before a laughing tree, which stands to the north.";
  ExpectOnly("glimroom.dat: room 2: its text names west, but the room has no way out to the west");
}

}  // namespace
