// Splitting a command line into words and looking words up in the
// vocabulary. Matching is by whole words only.
#include <algorithm>
#include <cctype>
#include <vector>

#include "world/Game.h"
#include "world/Text.h"

namespace glim {

namespace {

// Whether `lower` is one of the words of qualifier `q` (brackets and
// punctuation aside, any case); `capitalised` asks that it be written there
// with a capital letter, as a name is.
bool QualifierHas(const std::string& q, const std::string& lower, bool capitalised) {
  std::string w;
  for (const char c : q + " ") {
    if (c == ' ') {
      if (LowerAscii(w) == lower && (!capitalised || std::isupper(static_cast<unsigned char>(w[0])) != 0)) return true;
      w.clear();
    } else if (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '\'') {
      w += c;
    }
  }
  return false;
}

}  // namespace

std::string Game::ProperNameOf(const std::string& lower) const {
  // The word must stand, capitalised, in the qualifier of exactly one
  // character, and in no other qualifier at all ("old" is a plain word of
  // the hermit's; "Wendle" names the staff as well as the ghost).
  std::string found;
  int owners = 0;
  for (int k = 1; k <= std::min(BaddieCount, MaxBaddies); ++k) {
    if (!QualifierHas(Baddie(k).Qualifier, lower, false)) continue;
    ++owners;
    if (QualifierHas(Baddie(k).Qualifier, lower, true)) found = Baddie(k).Name;
  }
  for (int o = 1; o <= std::min(ObjectCount, MaxObjects); ++o) owners += QualifierHas(Obj(o).Qualifier, lower, false);
  for (int u = 1; u <= std::min(UnrealCount, MaxUnreals); ++u)
    owners += QualifierHas(WordLists.Unreals[u].Qualifier, lower, false);
  return owners == 1 ? found : std::string();
}

int Game::SplitCommand(const std::string& text) {
  const std::string line = text + " ";
  int count = 0;
  DroppedWords = 0;
  size_t start = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != ' ') continue;
    const std::string token = line.substr(start, i - start);
    start = i + 1;
    const std::string lower = LowerAscii(token);
    bool ignored = false;
    for (const std::string& w : IgnoredWords) {
      if (LowerAscii(w) == lower) {
        ignored = true;
        break;
      }
    }
    if (ignored) {
      // A character's own name ("Rowena", "Anieron") stands in its
      // qualifier, whose words are dropped; typed alone it means the
      // character, so it becomes the character's word, unless that word
      // was typed just before it ("woman called Rowena").
      const std::string alias = ProperNameOf(lower);
      if (alias.empty() || (count >= 1 && count <= 5 && Words[static_cast<size_t>(count)] == alias)) {
        if (!token.empty()) ++DroppedWords;
        continue;
      }
      ++count;
      if (count <= 5) Words[static_cast<size_t>(count)] = alias;
      continue;
    }
    ++count;
    // Words after the fifth are counted (the line is then refused) but
    // never stored.
    if (count <= 5) Words[static_cast<size_t>(count)] = lower;
  }
  return count;
}

namespace {

const std::string& Entry(Game& g, int wordClass, int i) {
  switch (wordClass) {
    case WcVerb: return g.WordLists.Verbs[i];
    case WcAdverb: return g.WordLists.AdVerbs[i];
    case WcUnreal: return g.WordLists.Unreals[i].Name;
    case WcObject: return g.WordLists.Objects[i].Name;
    default: return g.WordLists.Baddies[i].Name;
  }
}

int Count(Game& g, int wordClass) {
  switch (wordClass) {
    case WcVerb: return std::min(g.VerbCount, MaxVerbs);
    case WcAdverb: return std::min(g.AdverbCount, MaxAdverbs);
    case WcUnreal: return std::min(g.UnrealCount, MaxUnreals);
    case WcObject: return std::min(g.ObjectCount, MaxObjects);
    default: return std::min(g.BaddieCount, MaxBaddies);
  }
}

}  // namespace

void Game::LookupWord(const std::string& word, int wordClass) {
  if (wordClass < WcVerb || wordClass > WcBaddie) {
    P.MessageBox("Wordtype error");
    return;
  }
  const size_t pos = (WordPosition >= 1 && WordPosition <= 5) ? static_cast<size_t>(WordPosition) : 0;
  const int n = Count(*this, wordClass);
  for (int i = 1; i <= n; ++i) {
    if (Entry(*this, wordClass, i) == word) {
      WordFound[static_cast<size_t>(wordClass)] = true;
      if (pos) {
        WordClass[pos] = static_cast<uint8_t>(wordClass);
        WordNumber[pos] = i;
      }
      return;
    }
  }
  WordFound[static_cast<size_t>(wordClass)] = false;
  if (pos) WordNumber[pos] = 0;
}

void Game::LookupNoun(int position) {
  if (position < 1 || position > 5) return;
  const std::string word = Words[static_cast<size_t>(position)];
  LookupWord(word, WcObject);
  if (WordFound[WcObject]) return;
  LookupWord(word, WcBaddie);
  if (WordFound[WcBaddie]) return;
  LookupWord(word, WcUnreal);
}

bool Game::NounFound() { return WordFound[WcUnreal] || WordFound[WcObject] || WordFound[WcBaddie]; }

}  // namespace glim
