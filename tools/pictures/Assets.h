// Writing every picture of the game to its place.
#pragma once

#include <map>
#include <string>

namespace pics {

struct RoomScene {
  std::string region;
  std::string elements;
  bool fromText = false;  // made up from the room's words, not written by hand
};

// The scene of every room: hand-written lines of tools/pictures/scenes.tsv,
// else one made from the room's line in docs/rooms.tsv, else from its text
// in data/glimroom.dat.
std::map<int, RoomScene> RoomScenes(const std::string& root);
// A scene line made from the words of a room's description.
RoomScene SceneFromWords(const std::string& region, const std::string& text);

bool MakeAll(const std::string& root, bool roomsOnly);

}  // namespace pics
