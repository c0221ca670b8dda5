// The encodings of the saved-game file, shared with the word data file's
// door codes: flags, door states and directions.
#pragma once

#include <string>

#include "world/Types.h"

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

}  // namespace glim
