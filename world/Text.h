// Text helpers shared by the data-file readers and the saved-game file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glim {

// Splits 8-bit text into lines at CR LF, LF or CR. Terminators are dropped;
// a last line without terminator counts; a terminator at the very end does
// not start another line.
std::vector<std::string> SplitLines(const std::string& text);

// Removes blanks and control characters (codes 0..32) from both ends.
std::string Trim(const std::string& s);

// Strict integer: optional leading blanks, optional sign, decimal digits and
// nothing after them; the value must fit in 32 bits.
std::optional<int32_t> StrictInt(const std::string& s);

// Lenient integer: as StrictInt, but a hexadecimal number written with a
// leading $ or 0x (after the sign) is accepted as well.
std::optional<int32_t> LenientInt(const std::string& s);

// Position (counted from 1) of the first character of s that is not part of
// a leading integer (sign and digits); length + 1 when the whole text is one.
int FirstNonNumberPosition(const std::string& s);

// ASCII-only lower case; every other byte is unchanged.
std::string LowerAscii(const std::string& s);

// A value as a message quotes it: cut to its first 40 bytes (with "..."
// after a cut) and every control byte shown as '?'.
std::string QuotedValue(const std::string& s);

// "'%s' is not a valid integer value", the value quoted as above.
std::string NotAnIntegerMessage(const std::string& s);
// "List index out of bounds (%d)"
std::string ListIndexMessage(long index);
extern const char* const RangeCheckError;

}  // namespace glim
