// The dead-noun listing (see Nouns.h): a heuristic, read as a report.
#include "tools/worldcheck/Nouns.h"

#include <algorithm>
#include <set>

#include "world/Text.h"
#include "world/World.h"

namespace worldcheck {

namespace {

bool OneOf(const std::string& w, std::initializer_list<const char*> list) {
  return std::any_of(list.begin(), list.end(), [&](const char* s) { return w == s; });
}

bool IsDeterminer(const std::string& w) {
  return OneOf(w, {"a", "an", "the", "its", "his", "her", "your", "their", "some", "every", "each", "no"});
}

// Words that end a noun phrase: the noun is the word before them.
bool EndsPhrase(const std::string& w) {
  return IsDeterminer(w) ||
         OneOf(w, {"of",     "and",    "or",    "but",     "nor",    "to",     "in",      "on",      "at",     "by",
                   "for",    "from",   "with",  "into",    "onto",   "over",   "under",   "through", "across", "along",
                   "behind", "before", "after", "above",   "below",  "beside", "between", "beyond",  "round",  "around",
                   "is",     "are",    "was",   "were",    "be",     "been",   "has",     "have",    "had",    "that",
                   "which",  "who",    "whose", "where",   "when",   "as",     "than",    "then",    "there",  "here",
                   "it",     "they",   "you",   "can",     "will",   "would",  "could",   "may",     "might",  "must",
                   "not",    "if",     "so",    "up",      "down",   "out",    "off",     "away",    "back",   "all",
                   "too",    "still",  "only",  "without", "within", "while",  "until",   "just",    "ever",   "never",
                   "even",   "once",   "again", "also"}) ||
         // The verbs room texts use most after a noun.
         OneOf(w, {"stand", "stands", "lie",    "lies",   "lay",     "lead",  "leads", "run",     "runs",
                   "rise",  "rises",  "grow",   "grows",  "hang",    "hangs", "shut",  "shuts",   "open",
                   "opens", "sing",   "sings",  "wind",   "winds",   "go",    "goes",  "come",    "comes",
                   "fall",  "falls",  "look",   "looks",  "seem",    "seems", "sit",   "sits",    "wait",
                   "waits", "block",  "blocks", "tumble", "tumbles", "roll",  "rolls", "stretch", "stretches"});
}

// A word after the phrase's first that ends in -ed is read as the verb after
// the noun ("the master brewed"), not as the noun.
bool VerbForm(const std::string& w) {
  auto ends = [&](const std::string& e) {
    return w.size() > e.size() + 2 && w.compare(w.size() - e.size(), e.size(), e) == 0;
  };
  return ends("ed");
}

// Nouns that name no thing a player would want to type.
bool NamesNoThing(const std::string& w) {
  return OneOf(w, {"way",    "side", "rest",  "end",   "other", "one",  "same", "most",     "top",    "bottom",
                   "middle", "left", "right", "north", "south", "east", "west", "distance", "moment", "time"});
}

// The lower-case words of the text, a punctuation mark as its own token.
std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::string w;
  auto flush = [&] {
    while (!w.empty() && (w.back() == '\'' || w.back() == '-')) w.pop_back();
    if (!w.empty()) tokens.push_back(w);
    w.clear();
  };
  for (char c : glim::LowerAscii(text)) {
    if ((c >= 'a' && c <= 'z') || ((c == '\'' || c == '-') && !w.empty())) {
      w += c;
      continue;
    }
    flush();
    if (c != ' ' && c != '\t') tokens.emplace_back(1, '.');
  }
  flush();
  return tokens;
}

bool IsWord(const std::string& t) { return !t.empty() && t[0] >= 'a' && t[0] <= 'z'; }

// Whether the game knows the word, or the word is the plural of one it knows.
bool Known(const std::set<std::string>& known, std::string w) {
  if (w.size() > 2 && w.compare(w.size() - 2, 2, "'s") == 0) w.resize(w.size() - 2);
  if (known.count(w)) return true;
  auto ends = [&](const char* e) {
    const std::string s(e);
    return w.size() > s.size() && w.compare(w.size() - s.size(), s.size(), s) == 0;
  };
  const std::string stem3 = w.substr(0, w.size() >= 3 ? w.size() - 3 : 0);
  if (ends("ies") && known.count(stem3 + "y")) return true;
  if (ends("ves") && (known.count(stem3 + "f") || known.count(stem3 + "fe"))) return true;
  if (ends("es") && known.count(w.substr(0, w.size() - 2))) return true;
  return ends("s") && known.count(w.substr(0, w.size() - 1));
}

// The nouns of the noun phrases of a text.
std::vector<std::string> PhraseNouns(const std::vector<std::string>& tokens) {
  std::vector<std::string> nouns;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (!IsDeterminer(tokens[i])) continue;
    size_t n = 0;  // words of the phrase after the determiner
    while (n < 3 && i + 1 + n < tokens.size() && IsWord(tokens[i + 1 + n]) && !EndsPhrase(tokens[i + 1 + n]) &&
           !(n > 0 && VerbForm(tokens[i + 1 + n])))
      ++n;
    if (n > 0) nouns.push_back(tokens[i + n]);
  }
  return nouns;
}

}  // namespace

std::vector<RoomNouns> DeadNouns(const std::string& wordText, const std::string& roomText) {
  glim::World w;
  if (!glim::ReadWordData(w, glim::SplitLines(wordText)).Errors.empty() ||
      !glim::ReadRoomData(w, glim::SplitLines(roomText)).Errors.empty())
    return {};
  std::set<std::string> known;
  for (int k = 1; k <= std::min(w.VerbCount, glim::MaxVerbs); ++k) known.insert(w.WordLists.Verbs[k]);
  for (int k = 1; k <= std::min(w.AdverbCount, glim::MaxAdverbs); ++k) known.insert(w.WordLists.AdVerbs[k]);
  for (int k = 1; k <= std::min(w.ObjectCount, glim::MaxObjects); ++k) known.insert(w.Obj(k).Name);
  for (int k = 1; k <= std::min(w.BaddieCount, glim::MaxBaddies); ++k) known.insert(w.Baddie(k).Name);
  for (int k = 1; k <= std::min(w.UnrealCount, glim::MaxUnreals); ++k) known.insert(w.WordLists.Unreals[k].Name);

  std::vector<RoomNouns> rooms;
  for (int r = 1; r <= std::min(w.RoomCount, glim::MaxRooms); ++r) {
    std::string text;
    for (int l = 1; l < w.Rooms[r].LineCount && l <= glim::MaxRoomLines; ++l) text += w.RoomText[r][l] + " ";
    RoomNouns dead{r, {}};
    for (const std::string& n : PhraseNouns(Tokens(text)))
      if (!Known(known, n) && !NamesNoThing(n) &&
          std::find(dead.nouns.begin(), dead.nouns.end(), n) == dead.nouns.end())
        dead.nouns.push_back(n);
    if (!dead.nouns.empty()) rooms.push_back(dead);
  }
  return rooms;
}

std::vector<std::string> FormatDeadNouns(const std::vector<RoomNouns>& rooms) {
  std::vector<std::string> out;
  std::set<std::string> distinct;
  size_t total = 0;
  for (const RoomNouns& r : rooms) {
    std::string l = "room " + std::to_string(r.room) + ":";
    for (size_t i = 0; i < r.nouns.size(); ++i) l += (i ? ", " : " ") + r.nouns[i];
    out.push_back(l);
    total += r.nouns.size();
    distinct.insert(r.nouns.begin(), r.nouns.end());
  }
  out.push_back("dead nouns: " + std::to_string(total) + " in " + std::to_string(rooms.size()) + " rooms (" +
                std::to_string(distinct.size()) + " different words)");
  return out;
}

}  // namespace worldcheck
