// Sentence analysis: the small grammar of one to five words, the sentence
// fields the actions read, and the parser's messages.
#include "world/Game.h"
#include "world/Text.h"

namespace glim {

void Game::ProcessCommand() {
  // One command at a time: the parse state belongs to the command in
  // progress. Input that arrives during a pause of a running command is
  // refused by the entry handlers; this is the last line of defence.
  if (CommandRunning) return;
  CommandRunning = true;
  struct Done {
    Game& g;
    ~Done() {
      g.CommandLine.clear();
      g.CommandRunning = false;
    }
  } done{*this};

  // An empty line (or one of blanks) is no command: nothing is echoed or
  // answered, and the sentence fields keep the last command's values.
  if (CommandLine.find_first_not_of(' ') == std::string::npos) return;
  ParseError = ParseErr::None;
  AdverbNumber = 0;
  WordFound.fill(false);
  WordClass.fill(0);
  WordNumber.fill(0);
  PrintLine(CommandLine);
  const int n = SplitCommand(CommandLine);
  if (n > 5) {
    PrintLine("TOO MANY WORDS");
    return;
  }
  // A line that keeps no words must not re-run the words of an older line.
  if (n == 0) Words[1].clear();
  if (Trim(Words[1]).size() == 1) {
    SingleWordCommand();
  } else {
    WordPosition = 1;
    LookupWord(Words[1], WcVerb);
    if (!WordFound[WcVerb]) {
      ParseError = ParseErr::NotAVerb;
    } else {
      switch (n) {
        case 0: ParseError = ParseErr::NotAVerb; break;
        case 1:
          if (VerbLeftAlone())
            PrintLine(Words[1] + " what? -please be more specific");
          else
            SingleWordCommand();
          break;
        case 2: AnalyseTwoWords(); break;
        case 3: AnalyseThreeWords(); break;
        case 4: AnalyseFourWords(); break;
        default: AnalyseFiveWords(); break;
      }
    }
  }
  if (ParseError > ParseErr::None) {
    ReportParseError();
  } else if (n >= 2 && n <= 5) {
    AssignNouns(n);
    DispatchVerb();
  }
}

namespace {

// "talk to cat", "talk to the cat": a talk verb whose only noun is a
// character is accepted with any adverb before it, so that the natural way of
// speaking to someone is not refused for the adverb's number.
bool TalkToCharacter(const Game& g, int nounPosition) {
  const int32_t v = g.WordNumber[1];
  const bool talkVerb = v == Verb::Talk || v == Verb::Ask || v == Verb::Speak || v == Verb::Tell;
  return talkVerb && g.WordClass[static_cast<size_t>(nounPosition)] == WcBaddie;
}

}  // namespace

// "examine tank" when "tank" is a qualifier word keeps only "examine": the
// player named a thing, so the line must not become the one-letter command of
// the verb's first letter (east). Only action verbs are caught; a command word
// ("north old") and the chase verbs (run, shout), which do not act by their
// first letter, keep their meaning, and a word typed alone is untouched.
bool Game::VerbLeftAlone() const {
  if (DroppedWords == 0 || WordNumber[1] <= Verb::Help) return false;
  const int32_t v = WordNumber[1];
  return v != Verb::Shout && v != Verb::Yell && v != Verb::Scream && v != Verb::Run;
}

void Game::AnalyseTwoWords() {
  WordPosition = 2;
  LookupNoun(2);
  if (!NounFound()) ParseError = ParseErr::UnknownNoun;
}

void Game::AnalyseThreeWords() {
  WordPosition = 2;
  LookupWord(Words[2], WcAdverb);
  const bool adverb = WordFound[WcAdverb];
  if (adverb) {
    WordPosition = 3;
    LookupNoun(3);
    if (!NounFound()) ParseError = ParseErr::UnknownNoun;
  } else {
    ParseError = ParseErr::UnknownAdverb;
  }
  const int32_t a = adverb ? WordNumber[2] : 0;
  const bool talk = ParseError == ParseErr::None && TalkToCharacter(*this, 3);
  if (a >= Adverb::To && a <= Adverb::On && !talk) ParseError = ParseErr::BeMoreSpecific;
  if (a >= Adverb::Onto && a <= Adverb::From && !talk) ParseError = ParseErr::What;
  if (ParseError == ParseErr::None) AdverbNumber = a;
}

void Game::AnalyseFourWords() {
  WordClass[2] = WcAdverb;
  WordPosition = 2;
  LookupWord(Words[2], WcAdverb);
  if (!WordFound[WcAdverb]) {
    LookupNoun(2);
    if (!NounFound()) ParseError = ParseErr::UnknownNoun;
  } else {
    const int32_t a = WordNumber[2];
    // Adverbs Into to To here are refused below, once the noun is known,
    // unless the sentence speaks to a character ("talk to the cat").
    if (a == Adverb::The)
      ParseError = ParseErr::NotUnderstood;
    else if (a >= Adverb::With && a <= Adverb::On)
      AdverbNumber = a;
    // Towards and About are accepted but not recorded
  }
  if (ParseError == ParseErr::None) {
    WordPosition = 3;
    LookupWord(Words[3], WcAdverb);
    const bool third = WordFound[WcAdverb];
    if (WordClass[2] == WcAdverb) {
      if (third && WordNumber[3] != Adverb::The) {
        ParseError = ParseErr::NotUnderstood;
      } else if (!third) {
        LookupNoun(3);
        if (!NounFound()) ParseError = ParseErr::UnknownNoun;
      }
    } else {
      if (!third)
        ParseError = ParseErr::UnknownAdverb;
      else if (WordNumber[3] == Adverb::The)
        ParseError = ParseErr::NotUnderstood;
      else
        AdverbNumber = WordNumber[3];
    }
  }
  if (ParseError == ParseErr::None) {
    if (WordClass[3] == WcAdverb) {
      WordPosition = 4;
      LookupNoun(4);
      if (!NounFound()) ParseError = ParseErr::UnknownNoun;
    } else {
      ParseError = ParseErr::BeMoreSpecific;
    }
  }
  const bool lowAdverb = WordClass[2] == WcAdverb && WordNumber[2] >= Adverb::Into && WordNumber[2] <= Adverb::To;
  if (lowAdverb && !(ParseError == ParseErr::None && TalkToCharacter(*this, 4))) ParseError = ParseErr::NotUnderstood;
}

void Game::AnalyseFiveWords() {
  WordPosition = 2;
  LookupWord(Words[2], WcAdverb);
  const bool secondIsAdverb = WordFound[WcAdverb];
  if (secondIsAdverb) {
    if (WordNumber[2] != Adverb::The) ParseError = ParseErr::NotUnderstood;
  } else {
    LookupNoun(2);
    if (!NounFound()) ParseError = ParseErr::UnknownNoun;
  }
  bool thirdIsAdverb = false;
  if (ParseError == ParseErr::None) {
    WordPosition = 3;
    if (secondIsAdverb) {
      LookupNoun(3);
      if (!NounFound()) ParseError = ParseErr::UnknownNoun;
    } else {
      LookupWord(Words[3], WcAdverb);
      thirdIsAdverb = WordFound[WcAdverb];
      if (!thirdIsAdverb || WordNumber[3] == Adverb::The)
        ParseError = ParseErr::NotUnderstood;
      else
        AdverbNumber = WordNumber[3];
    }
  }
  if (ParseError == ParseErr::None) {
    WordPosition = 4;
    LookupWord(Words[4], WcAdverb);
    if (!WordFound[WcAdverb]) {
      ParseError = ParseErr::NotUnderstood;
    } else if (thirdIsAdverb) {
      if (WordNumber[4] != Adverb::The) ParseError = ParseErr::NotUnderstood;
    } else {
      if (WordNumber[4] == Adverb::The)
        ParseError = ParseErr::NotUnderstood;
      else
        AdverbNumber = WordNumber[4];
    }
  }
  if (ParseError == ParseErr::None) {
    WordPosition = 5;
    LookupNoun(5);
    if (!NounFound()) ParseError = ParseErr::UnknownNoun;
  }
}

void Game::AssignNouns(int count) {
  int k = 0;
  for (int p = 1; p <= count && p <= 5; ++p) {
    const uint8_t c = WordClass[static_cast<size_t>(p)];
    if (c != WcUnreal && c != WcObject && c != WcBaddie) continue;
    ++k;
    if (k == 1) {
      FirstNoun = WordNumber[static_cast<size_t>(p)];
      FirstNounClass = c;
      SecondNounClass = c;
    } else if (k == 2) {
      SecondNoun = WordNumber[static_cast<size_t>(p)];
      SecondNounClass = c;
    } else {
      ParseError = ParseErr::TooManyNouns;
    }
  }
  VerbNumber = WordNumber[1];
  if (VerbNumber == 0) ParseError = ParseErr::CommandWordAlone;
}

void Game::ReportParseError() {
  // The "not here" messages name the object by the word the player typed,
  // and so give nothing away about a thing not yet found.
  auto objectPhrase = [this](int32_t o) {
    if (!Table<TObjectRec, MaxObjects>::InRange(o)) return std::string(" ");
    return Obj(o).Name;
  };
  PrintLine(ParseErr::Message(ParseError, Words[1], objectPhrase(FirstNoun), objectPhrase(SecondNoun)));
}

}  // namespace glim
