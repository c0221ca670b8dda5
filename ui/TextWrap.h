// Word wrap of 8-bit text to a width in columns, shared by the terminal game
// and the help pages' text.
#pragma once

#include <string>
#include <vector>

namespace glim {

// Breaks one printed line into lines of at most `width` columns, at blanks
// where it can; a word longer than a whole line is cut. Continuation lines
// start with `indent` blanks. A line that fits, or a width of 0 or less,
// gives the line unchanged. Columns are counted in characters of UTF-8.
std::vector<std::string> WrapText(const std::string& line, int width, int indent = 0);

// Columns taken by s: every byte but the continuation bytes of UTF-8.
int TextColumns(const std::string& s);

}  // namespace glim
