// Dispatch: lone words (the one-letter commands, running and shouting) and
// sentences, which reach the action of their verb number.
#include "world/Game.h"

namespace glim {

namespace {

bool IsVerb(Game& g, int v, const std::string& word) { return v <= g.VerbCount && g.WordLists.Verbs[v] == word; }

}  // namespace

void Game::SingleWordCommand() {
  std::string& word = Words[1];
  if (IsVerb(*this, Verb::Run, word) || IsVerb(*this, Verb::Shout, word) || IsVerb(*this, Verb::Yell, word) ||
      IsVerb(*this, Verb::Scream, word)) {
    if (CurrentRoom == Room::MarketLane && !word.empty() && word[0] == 'n') word = "run";
    if (IsVerb(*this, Verb::Run, word))
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
  if (VerbNumber < Verb::Help) {
    ParseError = ParseErr::NotRecommended;
    ReportParseError();
    return;
  }
  PrintLine("");
  const uint64_t printedBefore = LinesPrinted;
  const World before = world();
  switch (VerbNumber) {
    case Verb::Read:
    case Verb::Study: Read(); break;
    case Verb::Attack:
    case Verb::Kill:
    case Verb::Fight:
    case Verb::Slay: Attack(); break;
    case Verb::Get:
    case Verb::Take: Take(); break;
    case Verb::Drop:
    case Verb::Give:
    case Verb::Put: Drop(); break;
    case Verb::Unlock:
    case Verb::Open: Unlock(); break;
    case Verb::Eat: Eat(); break;
    case Verb::Drink: Drink(); break;
    case Verb::Bribe: Bribe(); break;
    case Verb::Light:
    case Verb::Ignite: Light(); break;
    case Verb::Use: Use(); break;
    case Verb::Wear: Wear(); break;
    case Verb::Climb:
    case Verb::Ascend: GoUp(); break;
    case Verb::Talk:
    case Verb::Ask:
    case Verb::Speak:
    case Verb::Tell: TalkTo(); break;
    case Verb::Insert: Insert(); break;
    case Verb::Examine: Examine(); break;
    case Verb::Break: Break(); break;
    case Verb::Lock:
    case Verb::Bolt: Lock(); break;
    case Verb::Ram: Ram(); break;
    case Verb::Shout:
    case Verb::Yell:
    case Verb::Scream: Shout(); break;
    case Verb::Place:
    case Verb::Lay:
    case Verb::Set: Place(); break;
    case Verb::Clean: Clean(); break;
    case Verb::Wash: Wash(); break;
    case Verb::Run: RunAway(); break;
    case Verb::Pour: Pour(); break;
    case Verb::Call: CallCat(); break;
    default: ParseError = ParseErr::CommandWordAlone; break;  // Help and Go have no action
  }
  if (ParseError > 0) {
    ReportParseError();
  } else if (LinesPrinted == printedBefore && world() == before) {
    // Every command gets an answer: one that changed nothing and said
    // nothing is told so.
    PrintLine("nothing happens");
  }
}

}  // namespace glim
