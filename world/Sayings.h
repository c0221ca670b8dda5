// Fixed lines the game says about one thing, kept as tables by the actions
// and the characters: what an object looks like, what is written on a door,
// what a character answers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "world/Game.h"

namespace glim {

struct TSaying {
  int32_t Key;                       // the object, room or character it is about
  std::array<const char*, 6> Lines;  // unused lines stay null
};

// Prints the lines of the table's entry for `key`, one PrintLine each; false
// when the table has no entry for it.
template <size_t N>
bool Say(Game& g, const TSaying (&table)[N], int32_t key) {
  for (const TSaying& t : table) {
    if (t.Key != key) continue;
    for (const char* line : t.Lines)
      if (line != nullptr) g.PrintLine(line);
    return true;
  }
  return false;
}

}  // namespace glim
