// The saved-game file: the file of a world and its reading back, and the
// encodings it shares with the word data file's door codes: flags, door
// states and directions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "world/World.h"

namespace glim {

// Flags are written "1" or "0"; only "1" and "True" read back as true.
std::string FlagToText(bool value);
bool TextToFlag(const std::string& text);

// Codes are one digit. The first character "1".."4" reads as 1..4, any other
// first character (an empty text included) as 0; a value outside 1..4 is
// written "0".
TDoorState StrToDoorState(const std::string& text);
TDirection StrToDirection(const std::string& text);
std::string DoorStateToStr(int value);
std::string DirectionToStr(int value);

// The saved-game file of a world: its bytes, every line ending in CR LF.
std::string SaveText(const World& w);
// Reads the lines of a saved-game file into w. A file that is short, holds
// a line that is not a number where a number belongs, an empty door code,
// or a value outside the world's tables is refused: the message is
// returned and w is left exactly as it was.
std::optional<std::string> ReadSavedGame(World& w, const std::vector<std::string>& lines);

}  // namespace glim
