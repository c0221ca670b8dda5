// Reader of the word data file: vocabulary, objects, characters, links and
// doors, and the table of ignored qualifier words derived from it.
#include <optional>

#include "world/Game.h"
#include "world/Text.h"

namespace glim {

namespace {

// Thrown inside the reader to end the load; the message has been shown.
struct LoadStop {};

class WordReader {
 public:
  WordReader(Game& g, const std::vector<std::string>& lines) : g_(g), lines_(lines) {}

  const std::string& Line(long i) {
    if (i < 0 || i >= static_cast<long>(lines_.size())) Fail(ListIndexMessage(i));
    return lines_[static_cast<size_t>(i)];
  }
  const std::string& Next() { return Line(pos_++); }
  int32_t Int() {
    const std::string& s = Next();
    auto v = StrictInt(s);
    if (!v) Fail(NotAnIntegerMessage(s));
    return *v;
  }
  int32_t TrimmedInt() {
    const std::string& s = Next();
    auto v = StrictInt(Trim(s));
    if (!v) Fail(NotAnIntegerMessage(Trim(s)));
    return *v;
  }
  uint8_t Code() {
    const std::string& s = Next();
    if (s.empty()) Fail(RangeCheckError);
    return (s[0] >= '0' && s[0] <= '4') ? static_cast<uint8_t>(s[0] - '0') : 0;
  }
  void Capacity(int k, int cap) {
    if (k > cap) Fail(RangeCheckError);
  }
  [[noreturn]] void Fail(const std::string& msg) {
    g_.P.ErrorBox(msg);
    throw LoadStop{};
  }
  void Run();

 private:
  Game& g_;
  const std::vector<std::string>& lines_;
  long pos_ = 8;
};

void WordReader::Run() {
  int32_t* counts[8] = {&g_.VerbCount,   &g_.AdverbCount, &g_.UnrealCount, &g_.ObjectCount,
                        &g_.BaddieCount, &g_.DoorCount,   &g_.UpCount,     &g_.DownCount};
  for (int i = 0; i < 8; ++i) {
    auto v = LenientInt(Line(i));
    if (v) *counts[i] = *v;
  }
  WList& w = g_.WordLists;
  for (int k = 1; k <= g_.VerbCount; ++k) {
    const std::string& s = Next();
    Capacity(k, MaxVerbs);
    w.Verbs[k] = s;
  }
  for (int k = 1; k <= g_.AdverbCount; ++k) {
    const std::string& s = Next();
    Capacity(k, MaxAdverbs);
    w.AdVerbs[k] = s;
  }
  for (int k = 1; k <= g_.UnrealCount; ++k) {
    Capacity(k, MaxUnreals);
    w.Unreals[k].Name = Next();
    w.Unreals[k].Qualifier = Next();
  }
  for (int k = 1;; ++k) {  // at least one record, even for a count of 0
    Capacity(k, MaxObjects);
    TObjectRec& o = w.Objects[k];
    o.Name = Next();
    o.Qualifier = Next();
    o.Location = Int();
    o.State = Int();
    o.Tense = Int();
    o.X = Int();
    o.Y = Int();
    if (k + 1 > g_.ObjectCount) break;
  }
  for (int k = 1;; ++k) {
    Capacity(k, MaxBaddies);
    TBaddieRec& b = w.Baddies[k];
    b.Name = Next();
    b.Qualifier = Next();
    b.Location = Int();
    b.BlockCode = Int();
    const int32_t v = Int();
    b.Pronoun = (v & 12) >> 2;
    b.Tense = v & 3;
    b.Picture = Int();
    b.LyingPicture = Int();
    b.Lying = 0;
    if (k + 1 > g_.BaddieCount) break;
  }
  for (int k = 1; k <= g_.UpCount; ++k) {
    Capacity(k, MaxLinks);
    g_.UpLinks[k].Upper = TrimmedInt();
    g_.UpLinks[k].Lower = TrimmedInt();
  }
  for (int k = 1; k <= g_.DownCount; ++k) {
    Capacity(k, MaxLinks);
    g_.DownLinks[k].Upper = TrimmedInt();
    g_.DownLinks[k].Lower = TrimmedInt();
  }
  for (int k = 1; k <= g_.DoorCount; ++k) {
    Capacity(k, MaxDoors);
    TDoor& d = g_.Doors[k];
    d.State = Code();
    d.Room = Int();
    d.Direction = Code();
    d.Key = Int();
  }
}

}  // namespace

bool Game::LoadWordData(const std::vector<std::string>& lines) {
  WordReader r(*this, lines);
  bool ok = true;
  try {
    r.Run();
  } catch (const LoadStop&) {
    ok = false;
  }
  // A count says how many entries are in use; after a load that stopped at a
  // table's capacity it must not claim entries the table cannot hold.
  auto clamp = [](int32_t& c, int cap) { c = c < 0 ? 0 : (c > cap ? cap : c); };
  clamp(VerbCount, MaxVerbs);
  clamp(AdverbCount, MaxAdverbs);
  clamp(UnrealCount, MaxUnreals);
  clamp(ObjectCount, MaxObjects);
  clamp(BaddieCount, MaxBaddies);
  clamp(DoorCount, MaxDoors);
  clamp(UpCount, MaxLinks);
  clamp(DownCount, MaxLinks);
  return ok;
}

bool Game::AddIgnoredWord(const std::string& w) {
  if (w.empty()) return true;
  for (const std::string& e : IgnoredWords)
    if (e == w) return true;
  if (IgnoredFill >= MaxIgnored) {
    P.ErrorBox(RangeCheckError);
    return false;
  }
  IgnoredWords[static_cast<size_t>(IgnoredFill++)] = w;
  return true;
}

std::vector<std::string> QualifierWords(const std::string& q) {
  const size_t p = q.find(' ');
  if (p == std::string::npos) return {q.substr(0, 100)};
  return {q.substr(p + 1, 100), Trim(q.substr(0, p))};
}

bool Game::BuildIgnoredWords() {
  IgnoredFill = 0;
  auto offer = [this](const std::string& q) {
    for (const std::string& w : QualifierWords(q))
      if (!AddIgnoredWord(w)) return false;
    return true;
  };
  for (int k = 1; k <= ObjectCount && k <= MaxObjects; ++k)
    if (!offer(WordLists.Objects[k].Qualifier)) return false;
  for (int k = 1; k <= BaddieCount && k <= MaxBaddies; ++k)
    if (!offer(WordLists.Baddies[k].Qualifier)) return false;
  for (int k = 1; k <= UnrealCount && k <= MaxUnreals; ++k)
    if (!offer(WordLists.Unreals[k].Qualifier)) return false;
  return true;
}

}  // namespace glim
