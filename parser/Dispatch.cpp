// Dispatch: lone words (the one-letter commands, running and shouting) and
// sentences, which reach the action of their verb number.
#include "world/Game.h"

namespace glim {

namespace {

bool IsVerb(Game& g, int v, const std::string& word) { return v <= g.VerbCount && g.WordLists.Verbs[v] == word; }

}  // namespace

void Game::SingleWordCommand() {
  std::string& word = Words[1];
  if (IsVerb(*this, 52, word) || IsVerb(*this, 44, word) || IsVerb(*this, 45, word) || IsVerb(*this, 46, word)) {
    if (CurrentRoom == 69 && !word.empty() && word[0] == 'n') word = "run";
    if (IsVerb(*this, 52, word))
      RunAway();
    else
      Shout();
    return;
  }
  const char c = word.empty() ? '\0' : word[0];
  switch (c) {
    case 'n':
    case 's':
    case 'e':
    case 'w': MovePlayer(std::string(1, c)); return;
    case 'u': GoUp(); return;
    case 'd': GoDown(); return;
    case 'l': ShowRoom(true); return;
    case 'q': ConfirmExit(); return;
    case 'i': ShowInventory(); return;
    case 'h': ShowHelp(); return;
    default: break;
  }
  for (int v = 1; v <= VerbCount && v <= MaxVerbs; ++v) {
    if (WordLists.Verbs[v] == word) {
      PrintLine(word + " what? -please be more specific");
      return;
    }
  }
  PrintLine("I do Not know that Command " + word);
}

void Game::DispatchVerb() {
  if (VerbNumber < 10) {
    ParseError = 10;
    ReportParseError();
    return;
  }
  PrintLine("");
  switch (VerbNumber) {
    case 11:
    case 43: Read(); break;
    case 12:
    case 13:
    case 14:
    case 15: Attack(); break;
    case 16:
    case 17: Take(); break;
    case 18:
    case 19:
    case 20: Drop(); break;
    case 21:
    case 22: Unlock(); break;
    case 23: Eat(); break;
    case 24: Drink(); break;
    case 25: Bribe(); break;
    case 27:
    case 28: Light(); break;
    case 29: Use(); break;
    case 30: Wear(); break;
    case 31:
    case 32: GoUp(); break;
    case 33:
    case 34:
    case 35:
    case 40: TalkTo(); break;
    case 36: Insert(); break;
    case 37: Examine(); break;
    case 38: Break(); break;
    case 39:
    case 41: Lock(); break;
    case 42: Ram(); break;
    case 44:
    case 45:
    case 46: Shout(); break;
    case 47:
    case 48:
    case 49: Place(); break;
    case 50: Clean(); break;
    case 51: Wash(); break;
    case 52: RunAway(); break;
    case 53: Pour(); break;
    case 54: CallCat(); break;
    default: ParseError = 12; break;  // verbs 10 and 26 have no action
  }
  if (ParseError > 0) ReportParseError();
}

}  // namespace glim
