// Reader of the word data file: vocabulary, objects, characters, links and
// doors, and the table of ignored qualifier words derived from it.
#include <optional>

#include "world/Game.h"
#include "world/Text.h"

namespace glim {

namespace {

// Thrown inside the reader to end the load with its message.
struct LoadStop {
  std::string Message;
};

class WordReader {
 public:
  WordReader(World& w, const std::vector<std::string>& lines) : w_(w), lines_(lines) {}

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
  [[noreturn]] void Fail(const std::string& msg) { throw LoadStop{msg}; }
  void Run();

 private:
  World& w_;
  const std::vector<std::string>& lines_;
  long pos_ = 8;
};

void WordReader::Run() {
  int32_t* counts[8] = {&w_.VerbCount,   &w_.AdverbCount, &w_.UnrealCount, &w_.ObjectCount,
                        &w_.BaddieCount, &w_.DoorCount,   &w_.UpCount,     &w_.DownCount};
  for (int i = 0; i < 8; ++i) {
    auto v = LenientInt(Line(i));
    if (v) *counts[i] = *v;
  }
  WList& w = w_.WordLists;
  for (int k = 1; k <= w_.VerbCount; ++k) {
    const std::string& s = Next();
    Capacity(k, MaxVerbs);
    w.Verbs[k] = s;
  }
  for (int k = 1; k <= w_.AdverbCount; ++k) {
    const std::string& s = Next();
    Capacity(k, MaxAdverbs);
    w.AdVerbs[k] = s;
  }
  for (int k = 1; k <= w_.UnrealCount; ++k) {
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
    if (k + 1 > w_.ObjectCount) break;
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
    if (k + 1 > w_.BaddieCount) break;
  }
  for (int k = 1; k <= w_.UpCount; ++k) {
    Capacity(k, MaxLinks);
    w_.UpLinks[k].Upper = TrimmedInt();
    w_.UpLinks[k].Lower = TrimmedInt();
  }
  for (int k = 1; k <= w_.DownCount; ++k) {
    Capacity(k, MaxLinks);
    w_.DownLinks[k].Upper = TrimmedInt();
    w_.DownLinks[k].Lower = TrimmedInt();
  }
  for (int k = 1; k <= w_.DoorCount; ++k) {
    Capacity(k, MaxDoors);
    TDoor& d = w_.Doors[k];
    d.State = Code();
    d.Room = Int();
    d.Direction = Code();
    d.Key = Int();
  }
}

}  // namespace

ReadReport ReadWordData(World& w, const std::vector<std::string>& lines) {
  WordReader r(w, lines);
  ReadReport report;
  try {
    r.Run();
  } catch (const LoadStop& stop) {
    report.Errors.push_back(stop.Message);
    report.Ends = true;
  }
  // A count says how many entries are in use; after a load that stopped at a
  // table's capacity it must not claim entries the table cannot hold.
  auto clamp = [](int32_t& c, int cap) { c = c < 0 ? 0 : (c > cap ? cap : c); };
  clamp(w.VerbCount, MaxVerbs);
  clamp(w.AdverbCount, MaxAdverbs);
  clamp(w.UnrealCount, MaxUnreals);
  clamp(w.ObjectCount, MaxObjects);
  clamp(w.BaddieCount, MaxBaddies);
  clamp(w.DoorCount, MaxDoors);
  clamp(w.UpCount, MaxLinks);
  clamp(w.DownCount, MaxLinks);
  return report;
}

namespace {

// Adds a word to the ignored words unless it is empty or there already,
// at the slot the build's fill counter gives; false when the table is full.
bool AddIgnoredWord(World& world, int& fill, const std::string& w) {
  if (w.empty()) return true;
  for (const std::string& e : world.IgnoredWords)
    if (e == w) return true;
  if (fill >= MaxIgnored) return false;
  world.IgnoredWords[static_cast<size_t>(fill++)] = w;
  return true;
}

}  // namespace

std::vector<std::string> QualifierWords(const std::string& q) {
  const size_t p = q.find(' ');
  if (p == std::string::npos) return {q.substr(0, 100)};
  return {q.substr(p + 1, 100), Trim(q.substr(0, p))};
}

ReadReport BuildIgnoredWords(World& w) {
  // The fill counter starts at 0; the table keeps the words of an earlier
  // build.
  int fill = 0;
  auto offer = [&w, &fill](const std::string& q) {
    for (const std::string& word : QualifierWords(q))
      if (!AddIgnoredWord(w, fill, word)) return false;
    return true;
  };
  bool ok = true;
  for (int k = 1; ok && k <= w.ObjectCount && k <= MaxObjects; ++k) ok = offer(w.WordLists.Objects[k].Qualifier);
  for (int k = 1; ok && k <= w.BaddieCount && k <= MaxBaddies; ++k) ok = offer(w.WordLists.Baddies[k].Qualifier);
  for (int k = 1; ok && k <= w.UnrealCount && k <= MaxUnreals; ++k) ok = offer(w.WordLists.Unreals[k].Qualifier);
  if (ok) return {};
  return {{RangeCheckError}, true};
}

bool Game::ShowReport(const ReadReport& report) {
  for (const std::string& e : report.Errors) P.ErrorBox(e);
  return !report.Ends;
}

bool Game::LoadWordData(const std::vector<std::string>& lines) { return ShowReport(ReadWordData(*this, lines)); }

bool Game::BuildIgnoredWords() { return ShowReport(glim::BuildIgnoredWords(*this)); }

}  // namespace glim
