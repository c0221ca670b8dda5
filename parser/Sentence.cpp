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

  ParseError = 0;
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
      ParseError = 5;
    } else {
      switch (n) {
        case 0: ParseError = 5; break;
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
  if (ParseError > 0) {
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
  const bool talkVerb = v == 33 || v == 34 || v == 35 || v == 40;
  return talkVerb && g.WordClass[static_cast<size_t>(nounPosition)] == WcBaddie;
}

}  // namespace

// "examine tank" when "tank" is a qualifier word keeps only "examine": the
// player named a thing, so the line must not become the one-letter command of
// the verb's first letter (east). Only action verbs are caught; a command word
// ("north old") and the chase verbs (run, shout), which do not act by their
// first letter, keep their meaning, and a word typed alone is untouched.
bool Game::VerbLeftAlone() const {
  if (DroppedWords == 0 || WordNumber[1] <= 10) return false;
  const int32_t v = WordNumber[1];
  return v != 44 && v != 45 && v != 46 && v != 52;
}

void Game::AnalyseTwoWords() {
  WordPosition = 2;
  LookupNoun(2);
  if (!NounFound()) ParseError = 2;
}

void Game::AnalyseThreeWords() {
  WordPosition = 2;
  LookupWord(Words[2], WcAdverb);
  const bool adverb = WordFound[WcAdverb];
  if (adverb) {
    WordPosition = 3;
    LookupNoun(3);
    if (!NounFound()) ParseError = 2;
  } else {
    ParseError = 3;
  }
  const int32_t a = adverb ? WordNumber[2] : 0;
  const bool talk = ParseError == 0 && TalkToCharacter(*this, 3);
  if (a >= 6 && a <= 9 && !talk) ParseError = 13;
  if (a >= 2 && a <= 4 && !talk) ParseError = 7;
  if (ParseError == 0) AdverbNumber = a;
}

void Game::AnalyseFourWords() {
  WordClass[2] = WcAdverb;
  WordPosition = 2;
  LookupWord(Words[2], WcAdverb);
  if (!WordFound[WcAdverb]) {
    LookupNoun(2);
    if (!NounFound()) ParseError = 2;
  } else {
    const int32_t a = WordNumber[2];
    // Adverbs 1 to 6 here are refused below, once the noun is known, unless
    // the sentence speaks to a character ("talk to the cat").
    if (a == 10)
      ParseError = 4;
    else if (a >= 7 && a <= 9)
      AdverbNumber = a;
    // adverbs 11 and 12 are accepted but not recorded
  }
  if (ParseError == 0) {
    WordPosition = 3;
    LookupWord(Words[3], WcAdverb);
    const bool third = WordFound[WcAdverb];
    if (WordClass[2] == WcAdverb) {
      if (third && WordNumber[3] != 10) {
        ParseError = 4;
      } else if (!third) {
        LookupNoun(3);
        if (!NounFound()) ParseError = 2;
      }
    } else {
      if (!third)
        ParseError = 3;
      else if (WordNumber[3] == 10)
        ParseError = 4;
      else
        AdverbNumber = WordNumber[3];
    }
  }
  if (ParseError == 0) {
    if (WordClass[3] == WcAdverb) {
      WordPosition = 4;
      LookupNoun(4);
      if (!NounFound()) ParseError = 2;
    } else {
      ParseError = 13;
    }
  }
  const bool lowAdverb = WordClass[2] == WcAdverb && WordNumber[2] >= 1 && WordNumber[2] <= 6;
  if (lowAdverb && !(ParseError == 0 && TalkToCharacter(*this, 4))) ParseError = 4;
}

void Game::AnalyseFiveWords() {
  WordPosition = 2;
  LookupWord(Words[2], WcAdverb);
  const bool secondIsAdverb = WordFound[WcAdverb];
  if (secondIsAdverb) {
    if (WordNumber[2] != 10) ParseError = 4;
  } else {
    LookupNoun(2);
    if (!NounFound()) ParseError = 2;
  }
  bool thirdIsAdverb = false;
  if (ParseError == 0) {
    WordPosition = 3;
    if (secondIsAdverb) {
      LookupNoun(3);
      if (!NounFound()) ParseError = 2;
    } else {
      LookupWord(Words[3], WcAdverb);
      thirdIsAdverb = WordFound[WcAdverb];
      if (!thirdIsAdverb || WordNumber[3] == 10)
        ParseError = 4;
      else
        AdverbNumber = WordNumber[3];
    }
  }
  if (ParseError == 0) {
    WordPosition = 4;
    LookupWord(Words[4], WcAdverb);
    if (!WordFound[WcAdverb]) {
      ParseError = 4;
    } else if (thirdIsAdverb) {
      if (WordNumber[4] != 10) ParseError = 4;
    } else {
      if (WordNumber[4] == 10)
        ParseError = 4;
      else
        AdverbNumber = WordNumber[4];
    }
  }
  if (ParseError == 0) {
    WordPosition = 5;
    LookupNoun(5);
    if (!NounFound()) ParseError = 2;
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
      ParseError = 9;
    }
  }
  VerbNumber = WordNumber[1];
  if (VerbNumber == 0) ParseError = 12;
}

void Game::ReportParseError() {
  auto objectPhrase = [this](int32_t o) {
    if (!Table<TObjectRec, MaxObjects>::InRange(o)) return std::string(" ");
    return ObjectPhrase(o);
  };
  switch (ParseError) {
    case 0: PrintLine("No error"); break;
    case 1: PrintLine("That Verb is not in my vocabulary"); break;
    case 2: PrintLine("I don't know what it is that you are talking about"); break;
    case 3: PrintLine("I don't know the Adverb that you are using"); break;
    case 4: PrintLine("I dont understand"); break;
    case 5: PrintLine("I dont understand the the word " + Words[1] + " in that Sentence"); break;
    case 6: PrintLine("You are not making sense."); break;
    case 7: PrintLine("What"); break;
    case 8: PrintLine("Dont be Silly"); break;
    case 9: PrintLine("There are too many objest's in that Sentence"); break;
    case 10: PrintLine("I wouldn't recommend it"); break;
    case 11: PrintLine("I cant do that, Sorry"); break;
    case 12: PrintLine("Please use Command words alone."); break;
    case 13: PrintLine("Please be more specific"); break;
    case 14: PrintLine("that character is not here"); break;
    case 15: PrintLine("there is no " + objectPhrase(FirstNoun) + " here"); break;
    case 16: PrintLine("there is no " + objectPhrase(SecondNoun) + " here"); break;
    case 17: PrintLine("you are not carrying it"); break;
    default: PrintLine("Undefined Error " + std::to_string(ParseError)); break;
  }
}

}  // namespace glim
