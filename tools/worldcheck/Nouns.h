// The dead-noun listing: the nouns each room's text names that the game does
// not know, so that a player who types them is not understood.
#pragma once

#include <string>
#include <vector>

namespace worldcheck {

struct RoomNouns {
  int room = 0;
  std::vector<std::string> nouns;  // in the order the text names them, each once
};

// A noun is found by its phrase: a determiner (a, an, the, its, his, her,
// your, their, some, every, each, no), at most two adjectives, the noun, then
// a punctuation mark, a linking word ("of", "and", "is"...), a common verb
// ("stands"), a later word in -ed, or the end of the
// phrase's third word. It is dead when it is no verb, adverb, object name,
// character name or scenery word, nor the plural of one ("leaves" of
// "leaf"), nor on a short list of words that name no thing ("way", "side").
// Rooms without a dead noun are left out. Empty when the files cannot be read.
std::vector<RoomNouns> DeadNouns(const std::string& wordText, const std::string& roomText);

// One line per room ("room 12: gate, path") and a closing count.
std::vector<std::string> FormatDeadNouns(const std::vector<RoomNouns>& rooms);

}  // namespace worldcheck
