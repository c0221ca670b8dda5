// The dead-end search. The game runs on a quiet platform of its own here:
// the two data files come from memory, pictures and sounds are left out,
// nothing is written, and time passes only inside the game's own pauses, on a
// simulated clock. Every state is a copy of the world value (with the event
// timer's time left), so a search goes back to a state without replaying the
// walkthrough from the start.
//
// From a state after a deviation the search tries to rejoin the walkthrough
// as a player would: it plays on; when a walkthrough command fails (it kills
// the player, leaves the player elsewhere than the walkthrough, does not
// print what the walkthrough expects, or changes nothing where the
// walkthrough changed something), it goes back to the moment before that
// command, walks to each object the walkthrough carries there and the player
// does not (path-finding over the exits, the up and down links and the open
// doors of that moment), takes it, walks back to where the walkthrough is and
// tries again. A player behind a one-way passage who cannot walk back picks
// the walkthrough up further on, in the room the player is in. Whatever
// cannot be fetched, or reached, ends the attempt: the deviation was a dead
// end.
#include "tools/worldcheck/DeadEnds.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <queue>
#include <set>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "world/Game.h"
#include "world/Text.h"

namespace worldcheck {

namespace {

const char* const kFolder = "/glimmerhold-world/";  // the game's folder: served from memory
const char* const kWordFile = "glimtext.wdt";
const char* const kRoomFile = "glimroom.dat";
const char* const kRoomShown = "what shall we do now?";  // the last line of every showing of a room

// The platform of the search: see the top of this file.
class QuietPlatform : public glim::Platform {
 public:
  QuietPlatform(std::string words, std::string rooms) : words_(std::move(words)), rooms_(std::move(rooms)) {}

  std::string Take() { return std::exchange(out_, std::string()); }

  struct Timer {
    bool armed = false;
    uint64_t left = 0;
  };
  Timer SaveTimer() const { return {armed_, deadline_ > now_ ? deadline_ - now_ : 0}; }
  void LoadTimer(Timer t) {
    armed_ = t.armed;
    deadline_ = now_ + t.left;
  }

  void Advance(uint64_t ms) {
    const uint64_t target = now_ + ms;
    while (armed_ && deadline_ <= target) {
      now_ = std::max(now_, deadline_);
      FireIfDue();
    }
    now_ = target;
  }

  void PrintLine(const std::string& text) override {
    out_ += text;
    out_ += '\n';
  }
  void ClearPanel() override {}
  void SetCommandText(const std::string&) override {}
  // The boxes a player would see count as printed; the pictures left out
  // make the game say so at every showing, which no player sees.
  void MessageBox(const std::string& text) override {
    if (text.rfind("Error: The default image", 0) != 0 && text.rfind("File error: No image", 0) != 0)
      PrintLine("[box] " + text);
  }
  void Notice(const std::string&) override {}
  void ErrorBox(const std::string& text) override { PrintLine("[box] " + text); }
  bool ConfirmBox(const std::string&) override { return false; }
  std::string InputBox(const std::string&, const std::string&, const std::string& def) override { return def; }
  std::optional<std::string> OpenFileDialog(const glim::FileDialogSpec&) override { return std::nullopt; }
  std::optional<std::string> SaveFileDialog(const glim::FileDialogSpec&) override { return std::nullopt; }
  void EnableDirection(int, bool) override {}
  void ShowScene(const glim::Image&) override {}
  void ShowCarried(const glim::Image&) override {}
  glim::SoundResult PlaySoundFile(const std::string&, bool) override { return glim::SoundResult::Ok; }
  void StopSoundFile() override {}
  void SetSoundRepeat(bool) override {}
  void StartTimer(int intervalMs) override {
    armed_ = true;
    deadline_ = now_ + static_cast<uint64_t>(std::max(intervalMs, 0));
  }
  void StopTimer() override { armed_ = false; }
  int TimerLeft() override {
    if (!armed_) return -1;
    return deadline_ <= now_ ? 0 : static_cast<int>(std::min<uint64_t>(deadline_ - now_, 0x7fffffff));
  }
  void WaitSeconds(int seconds) override { Advance(static_cast<uint64_t>(std::max(seconds, 0)) * 1000u); }
  void PumpEvents() override { FireIfDue(); }
  bool FileExists(const std::string& path) override { return File(path) != nullptr; }
  bool ReadFile(const std::string& path, std::string& out, size_t limit) override {
    const std::string* f = File(path);
    if (!f || f->size() > limit) return false;
    out = *f;
    return true;
  }
  bool WriteFile(const std::string& path, const std::string&, std::string& error) override {
    error = "the dead-end search writes no files: " + path;
    return false;
  }
  bool FolderWritable(const std::string&) override { return false; }
  std::string ProgramFolder() override { return kFolder; }
  std::string ShowHelpFile(const std::string&) override { return ""; }
  void CloseMainWindow() override {}

 private:
  const std::string* File(const std::string& path) const {
    if (path == std::string(kFolder) + kWordFile) return &words_;
    if (path == std::string(kFolder) + kRoomFile) return &rooms_;
    return nullptr;
  }
  void FireIfDue() {
    if (!armed_ || now_ < deadline_) return;
    deadline_ = now_ + 0x7fffffff;  // once per expiry: the game disarms it in its handler
    if (events_) events_->OnEventTimer();
  }

  std::string words_, rooms_, out_;
  uint64_t now_ = 0, deadline_ = 0;
  bool armed_ = false;
};

// A game in progress, saved: the world and the event timer.
struct Snap {
  glim::World world;
  QuietPlatform::Timer timer;
};

// One game that the search plays: a state is loaded, commands run on it.
class Session {
 public:
  Session(const std::string& words, const std::string& rooms) : platform_(words, rooms), game_(platform_) {
    game_.FormActivate();
    start_ = platform_.Take();
  }
  const std::string& StartText() const { return start_; }
  glim::Game& Game() { return game_; }
  const glim::World& World() const { return game_.world(); }

  Snap Save() const { return {game_.world(), platform_.SaveTimer()}; }
  void Load(const Snap& s) {
    game_.world() = s.world;
    platform_.LoadTimer(s.timer);
  }

  // Runs one walkthrough line; `died` tells whether the player died in it.
  std::string Run(const std::string& command, bool& died) {
    const int32_t deaths = game_.DeathCount;
    ++commands_;
    if (command.rfind(":wait ", 0) == 0) {
      platform_.Advance(static_cast<uint64_t>(std::max(glim::StrictInt(command.substr(6)).value_or(0), 0)) * 1000u);
    } else {
      game_.txtCommandKeyDown(command);
    }
    // The search takes nothing back: the game's undo steps only cost time.
    game_.UndoSteps.clear();
    game_.RedoSteps.clear();
    died = game_.DeathCount != deaths;
    std::string printed = platform_.Take();
    if (trace_) trace_(command, printed);
    return printed;
  }
  void Trace(std::function<void(const std::string&, const std::string&)> t) { trace_ = std::move(t); }
  long Commands() const { return commands_; }

 private:
  QuietPlatform platform_;
  glim::Game game_;
  std::string start_;
  long commands_ = 0;
  std::function<void(const std::string&, const std::string&)> trace_;
};

// ---------------------------------------------------------------------------
// A state's key: what of the world a later command can depend on. The
// objects' screen positions are left out: they follow from the rest when a
// room is shown, and only a click on a picture reads them.
class Hash {
 public:
  void Add(uint64_t v) {
    h_ ^= Mix(v + 0x9e3779b97f4a7c15ULL);
    h_ = Mix(h_);
  }
  void Add(const std::string& s) {
    uint64_t f = 1469598103934665603ULL;
    for (unsigned char c : s) f = (f ^ c) * 1099511628211ULL;
    Add(f ^ s.size());
  }
  uint64_t Value() const { return h_; }
  static uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }

 private:
  uint64_t h_ = 0;
};

uint64_t U(int64_t v) { return static_cast<uint64_t>(v); }

uint64_t StateKey(const glim::World& w) {
  Hash h;
  const glim::PlayerState& p = w;
  for (int64_t v : {int64_t{p.CurrentRoom}, int64_t{p.CarriedCount}, int64_t{p.CarryLimit}, int64_t{p.DoorIndex}})
    h.Add(U(v));
  h.Add(U(p.PlayerDirty) | U(p.PlayerWarm) << 1 | U(p.PlayerInvisible) << 2 | U(p.TrollsScared) << 3 |
        U(p.WallsStopped) << 4 | U(p.CompanionFollows) << 5 | U(w.DrinkFlag) << 6 | U(w.EventTEnabled) << 7);
  h.Add(U(w.EventTInterval));
  for (int o = 1; o <= std::min(w.ObjectCount, glim::MaxObjects); ++o) {
    const glim::TObjectRec& r = w.Obj(o);
    h.Add(r.Name);
    h.Add(r.Qualifier);
    for (int64_t v : {int64_t{r.Location}, int64_t{r.State}, int64_t{r.Tense}, int64_t{r.Number}}) h.Add(U(v));
  }
  for (int k = 1; k <= std::min(w.BaddieCount, glim::MaxBaddies); ++k) {
    const glim::TBaddieRec& b = w.Baddie(k);
    h.Add(b.Name);
    h.Add(b.Qualifier);
    for (int64_t v : {int64_t{b.Location}, int64_t{b.BlockCode}, int64_t{b.Pronoun}, int64_t{b.Tense}, int64_t{b.Lying},
                      int64_t{b.Picture}, int64_t{b.LyingPicture}})
      h.Add(U(v));
  }
  for (int d = 1; d <= std::min(w.DoorCount, glim::MaxDoors); ++d) {
    const glim::TDoor& door = w.Doors[d];
    for (int64_t v : {int64_t{door.State}, int64_t{door.Room}, int64_t{door.Direction}, int64_t{door.Key}}) h.Add(U(v));
  }
  for (int r = 1; r <= std::min(w.RoomCount, glim::MaxRooms); ++r)
    for (int d = glim::DirNorth; d <= glim::DirWest; ++d) h.Add(U(w.Rooms[r].Exit(d)));
  return h.Value();
}

// ---------------------------------------------------------------------------
// The map as it stands: the steps a player can take from a room.

// The block codes with which a character closes each side (as the game's
// movement has them).
constexpr int kBlockCodes[5][8] = {
    {0, 0, 0, 0, 0, 0, 0, 0},     {2, 6, 7, 10, 11, 12, 13, 14}, {4, 5, 8, 9, 10, 12, 13, 15},
    {3, 7, 8, 9, 11, 12, 14, 15}, {1, 5, 6, 9, 10, 11, 14, 15},
};
const char* const kStepCommands[7] = {"", "n", "s", "e", "w", "u", "d"};

bool InMap(const glim::World& w, int room) { return room >= 1 && room <= std::min(w.RoomCount, glim::MaxRooms); }

bool SideOpen(const glim::World& w, int room, int dir) {
  for (int k = 1; k <= std::min(w.BaddieCount, glim::MaxBaddies); ++k)
    if (w.Baddie(k).Location == room)
      for (int code : kBlockCodes[dir])
        if (w.Baddie(k).BlockCode == code) return false;
  // The first door on that side decides, as in the game.
  for (int d = 1; d <= std::min(w.DoorCount, glim::MaxDoors); ++d)
    if (w.Doors[d].Room == room && w.Doors[d].Direction == dir) return w.Doors[d].State == glim::DoorOpen;
  return true;
}

struct Step {
  int command;  // index into kStepCommands
  int to;
};

std::vector<Step> StepsFrom(const glim::World& w, int room) {
  std::vector<Step> v;
  if (!InMap(w, room)) return v;
  for (int d = glim::DirNorth; d <= glim::DirWest; ++d) {
    const int to = w.Rooms[room].Exit(d);
    if (InMap(w, to) && SideOpen(w, room, d)) v.push_back({d, to});
  }
  // Up and down take the first link of the room, as the game does.
  for (int k = 1; k <= std::min(w.UpCount, glim::MaxLinks); ++k)
    if (w.UpLinks[k].Lower == room) {
      if (InMap(w, w.UpLinks[k].Upper)) v.push_back({5, w.UpLinks[k].Upper});
      break;
    }
  for (int k = 1; k <= std::min(w.DownCount, glim::MaxLinks); ++k)
    if (w.DownLinks[k].Upper == room) {
      if (InMap(w, w.DownLinks[k].Lower)) v.push_back({6, w.DownLinks[k].Lower});
      break;
    }
  return v;
}

// The shortest walk from one room to another, as step commands; nullopt
// when there is none.
std::optional<std::vector<Step>> FindPath(const glim::World& w, int from, int to) {
  if (!InMap(w, from) || !InMap(w, to)) return std::nullopt;
  std::vector<Step> came(static_cast<size_t>(glim::MaxRooms) + 1, Step{-1, 0});
  std::queue<int> todo;
  todo.push(from);
  came[static_cast<size_t>(from)] = {0, from};
  while (!todo.empty() && came[static_cast<size_t>(to)].command < 0) {
    const int r = todo.front();
    todo.pop();
    for (const Step& s : StepsFrom(w, r))
      if (came[static_cast<size_t>(s.to)].command < 0) {
        came[static_cast<size_t>(s.to)] = {s.command, r};
        todo.push(s.to);
      }
  }
  if (came[static_cast<size_t>(to)].command < 0) return std::nullopt;
  std::vector<Step> path;
  for (int r = to; r != from; r = came[static_cast<size_t>(r)].to)
    path.push_back({came[static_cast<size_t>(r)].command, r});
  std::reverse(path.begin(), path.end());
  return path;
}

std::string Lower(const std::string& s) { return glim::LowerAscii(s); }

// ---------------------------------------------------------------------------

class Search {
 public:
  Search(const std::string& words, const std::string& rooms, const std::vector<WalkStep>& steps,
         const SearchOptions& options)
      : session_(words, rooms), steps_(steps), options_(options) {}

  DeadEndReport Run() {
    if (options_.patch) options_.patch(session_.Game().world());
    if (PlayWalkthrough()) {
      session_.Trace(options_.trace);
      for (int j = 0; j < static_cast<int>(steps_.size()); ++j) {
        if (!options_.onlySteps.empty() &&
            std::find(options_.onlySteps.begin(), options_.onlySteps.end(), j) == options_.onlySteps.end())
          continue;
        ++report_.states;
        TryObjectDeviations(j);
        TryWalkDeviations(j);
      }
    }
    report_.commands = session_.Commands();
    return std::move(report_);
  }

 private:
  // A state of the walkthrough: after `j` of its commands.
  struct WalkState {
    Snap snap;
    uint64_t key;
    std::string lastShow;     // what the last showing of the room printed
    std::string printed;      // what the command that led here printed
    std::vector<bool> reach;  // the rooms the player can walk to from here (filled when asked)
  };
  static constexpr int kMaxFailures = 12;  // recoveries one rejoining may try
  static constexpr int kMaxReplans = 4;    // fresh paths one walk may take

  int StepCount() const { return static_cast<int>(steps_.size()); }
  int WalkRoom(int j) const { return walk_[static_cast<size_t>(j)].snap.world.CurrentRoom; }
  uint64_t WalkKey(int j) const { return walk_[static_cast<size_t>(j)].key; }

  void Record(const std::string& printed) {
    const std::string& before = walk_.empty() ? printed : walk_.back().lastShow;
    walk_.push_back({session_.Save(),
                     StateKey(session_.World()),
                     printed.find(kRoomShown) != std::string::npos ? printed : before,
                     printed,
                     {}});
  }

  bool PlayWalkthrough() {
    Record(session_.StartText());
    for (const WalkStep& s : steps_) {
      bool died = false;
      const std::string printed = session_.Run(s.command, died);
      const std::string where = "line " + std::to_string(s.line) + ": " + s.command;
      if (died) report_.walkFaults.push_back(where + ": the player dies");
      for (const std::string& e : s.expect)
        if (printed.find(e) == std::string::npos)
          report_.walkFaults.push_back(where + ": does not print \"" + e + "\"");
      if (!report_.walkFaults.empty()) return false;
      Record(printed);
    }
    return true;
  }

  static uint64_t MemoKey(int j, uint64_t key) { return Hash::Mix(key ^ (static_cast<uint64_t>(j) << 40)); }

  // Whether walkthrough command j did what it does in the walkthrough.
  bool StepOk(int j, uint64_t before, const std::string& printed, bool died) {
    const WalkStep& s = steps_[static_cast<size_t>(j)];
    if (died || session_.World().CurrentRoom != WalkRoom(j + 1)) return false;
    for (const std::string& e : s.expect)
      if (printed.find(e) == std::string::npos) return false;
    return WalkKey(j) == WalkKey(j + 1) || StateKey(session_.World()) != before;
  }

  // Walks the player to `room`; false when there is no way or the player dies.
  bool WalkTo(int room) {
    for (int plan = 0; plan < kMaxReplans; ++plan) {
      const auto path = FindPath(session_.World(), session_.World().CurrentRoom, room);
      if (!path) return false;
      bool onPath = true;
      for (const Step& s : *path) {
        bool died = false;
        session_.Run(kStepCommands[s.command], died);
        if (died) return false;
        if (session_.World().CurrentRoom != s.to) {
          onPath = false;
          break;
        }
      }
      if (onPath) return true;
    }
    return session_.World().CurrentRoom == room;
  }

  // Before walkthrough command j, which failed: fetches what the walkthrough
  // carries there and the player does not, and goes back to the
  // walkthrough's room; else picks the walkthrough up further on, in the
  // player's room. False when nothing can be done.
  bool Recover(int& j) {
    const glim::World& want = walk_[static_cast<size_t>(j)].snap.world;
    const int32_t deaths = session_.Game().DeathCount;
    auto alive = [&] { return session_.Game().DeathCount == deaths; };
    bool changed = false;
    for (int o = 1; o <= std::min(want.ObjectCount, glim::MaxObjects); ++o) {
      if (want.Obj(o).Location != glim::LocCarried || session_.World().Obj(o).Location == glim::LocCarried) continue;
      const int at = session_.World().Obj(o).Location;
      if (!InMap(session_.World(), at) || !WalkTo(at)) return alive() && SkipAhead(j);
      bool died = false;
      session_.Run("get " + session_.World().Obj(o).Name, died);
      if (died || session_.World().Obj(o).Location != glim::LocCarried) return false;
      PutBackToUse(j, o);
      changed = true;
    }
    if (session_.World().CurrentRoom != WalkRoom(j)) {
      if (!WalkTo(WalkRoom(j))) return alive() && SkipAhead(j);
      changed = true;
    }
    const bool bumped = Rebump(j);
    return alive() && (bumped || changed);
  }

  // A thing taken back is put to use again as the walkthrough used it last
  // when leaving it changed the player or the thing (the coat worn again,
  // the apple poisoned again): the last command before j that names it and
  // neither takes nor leaves it, kept when it changes the world without
  // moving or killing the player.
  void PutBackToUse(int j, int o) {
    const glim::World& want = walk_[static_cast<size_t>(j)].snap.world;
    const glim::World& now = session_.World();
    if (now.PlayerWarm == want.PlayerWarm && now.PlayerInvisible == want.PlayerInvisible &&
        now.PlayerDirty == want.PlayerDirty && now.Obj(o).State == want.Obj(o).State)
      return;
    const std::string name = session_.World().Obj(o).Name;
    for (int k = j - 1; k >= 0; --k) {
      const std::string& c = steps_[static_cast<size_t>(k)].command;
      const size_t blank = c.find(' ');
      if (blank == std::string::npos || (" " + c + " ").find(" " + name + " ") == std::string::npos) continue;
      const std::string verb = c.substr(0, blank);
      if (verb == "get" || verb == "take" || verb == "drop" || verb == "give" || verb == "put") return;
      const Snap before = session_.Save();
      const uint64_t key = StateKey(session_.World());
      bool died = false;
      session_.Run(c, died);
      if (died || session_.World().CurrentRoom != before.world.CurrentRoom || StateKey(session_.World()) == key)
        session_.Load(before);
      return;
    }
  }

  // A door the walkthrough bumped into before command j (an unlock acts on
  // the door met last) is bumped into again after a walk back.
  bool Rebump(int j) {
    if (session_.World().DoorIndex == walk_[static_cast<size_t>(j)].snap.world.DoorIndex) return false;
    for (int k = j - 1; k >= 0 && WalkRoom(k + 1) == WalkRoom(j); --k) {
      const std::string& c = steps_[static_cast<size_t>(k)].command;
      if (WalkRoom(k) != WalkRoom(j) || (c != "n" && c != "s" && c != "e" && c != "w")) continue;
      bool died = false;
      session_.Run(c, died);
      return !died && session_.World().CurrentRoom == WalkRoom(j);
    }
    return false;
  }

  bool SkipAhead(int& j) {
    for (int k = j + 1; k < StepCount(); ++k)
      if (WalkRoom(k) == session_.World().CurrentRoom) {
        j = k;
        return true;
      }
    return false;
  }

  // From the session's state, before walkthrough command j: can the game
  // still be won?
  bool Rejoin(int j) {
    std::vector<uint64_t> visited;
    bool won = false;
    for (int failures = 0;;) {
      if (j >= StepCount()) {
        won = true;
        break;
      }
      const uint64_t key = StateKey(session_.World());
      if (key == WalkKey(j)) {
        won = true;
        break;
      }
      const auto known = memo_.find(MemoKey(j, key));
      if (known != memo_.end()) {
        won = known->second;
        break;
      }
      visited.push_back(MemoKey(j, key));
      const Snap before = session_.Save();
      bool died = false;
      const std::string printed = session_.Run(steps_[static_cast<size_t>(j)].command, died);
      if (StepOk(j, key, printed, died)) {
        ++j;
        continue;
      }
      session_.Load(before);
      if (++failures > kMaxFailures || !Recover(j)) break;
    }
    for (uint64_t v : visited) memo_[v] = won;
    return won;
  }

  // Whether the walkthrough, in its state k, can walk to `room`.
  bool WalkCanReach(int k, int room) {
    WalkState& w = walk_[static_cast<size_t>(k)];
    if (w.reach.empty()) {
      w.reach.assign(static_cast<size_t>(glim::MaxRooms) + 1, false);
      std::vector<int> todo{w.snap.world.CurrentRoom};
      if (InMap(w.snap.world, todo[0])) w.reach[static_cast<size_t>(todo[0])] = true;
      while (!todo.empty()) {
        const int r = todo.back();
        todo.pop_back();
        for (const Step& s : StepsFrom(w.snap.world, r))
          if (!w.reach[static_cast<size_t>(s.to)]) {
            w.reach[static_cast<size_t>(s.to)] = true;
            todo.push_back(s.to);
          }
      }
    }
    return InMap(w.snap.world, room) && w.reach[static_cast<size_t>(room)];
  }

  // Where the walkthrough after state j loses the way back to `room`: the
  // command that closes it, and whether what it showed warns.
  void FindClosing(int j, int room, DeadEnd& d) {
    for (int k = j + 1; k <= StepCount(); ++k) {
      if (WalkCanReach(k, room)) continue;
      const WalkStep& s = steps_[static_cast<size_t>(k - 1)];
      d.closedLine = s.line;
      d.closedBy = s.command + " in room " + std::to_string(WalkRoom(k - 1));
      d.closedWarning = FindWarning(walk_[static_cast<size_t>(k)].printed + walk_[static_cast<size_t>(k - 1)].lastShow);
      return;
    }
  }

  // The session holds the state after a deviation from walkthrough state
  // j; `leftIn` is the room where it left a thing (0: none).
  void Judge(int j, const std::string& deviation, const std::string& printed, int leftIn = 0) {
    ++report_.deviations;
    if (memo_.count(MemoKey(j, StateKey(session_.World())))) ++report_.answered;
    if (Rejoin(j)) return;
    const WalkState& w = walk_[static_cast<size_t>(j)];
    DeadEnd d;
    d.step = j;
    d.line = j > 0 ? steps_[static_cast<size_t>(j - 1)].line : 0;
    d.room = w.snap.world.CurrentRoom;
    d.deviation = deviation;
    d.seen = printed + w.lastShow;
    d.warning = FindWarning(d.seen);
    if (leftIn > 0) FindClosing(j, leftIn, d);
    report_.deadEnds.push_back(d);
  }

  // Runs a deviation from walkthrough state j; nullopt when it killed the
  // player, changed nothing, or ended where a deviation tried before or the
  // walkthrough's own next command ends.
  std::optional<std::string> Deviate(int j, const std::string& command, std::set<uint64_t>& seen) {
    if (command == steps_[static_cast<size_t>(j)].command) return std::nullopt;
    session_.Load(walk_[static_cast<size_t>(j)].snap);
    if (options_.trace) options_.trace("(a deviation from step " + std::to_string(j) + ")", "");
    bool died = false;
    std::string printed = session_.Run(command, died);
    if (died) {
      ++report_.deaths;
      return std::nullopt;
    }
    if (!seen.insert(StateKey(session_.World())).second) return std::nullopt;
    return printed;
  }

  void TryObjectDeviations(int j) {
    std::set<uint64_t> seen{WalkKey(j), WalkKey(j + 1)};
    const glim::World& w = walk_[static_cast<size_t>(j)].snap.world;
    for (int o = 1; o <= std::min(w.ObjectCount, glim::MaxObjects); ++o) {
      if (w.Obj(o).Location != glim::LocCarried) continue;
      for (const char* verb : {"drop", "give", "eat", "use", "break"}) {
        const std::string command = std::string(verb) + " " + w.Obj(o).Name;
        // Only a thing left lying here can be walked back for.
        if (auto printed = Deviate(j, command, seen)) {
          const int at = session_.World().Obj(o).Location;
          Judge(j, command, *printed, at == WalkRoom(j) ? at : 0);
        }
      }
    }
  }

  void TryWalkDeviations(int j) {
    std::set<uint64_t> seen{WalkKey(j), WalkKey(j + 1)};
    for (int c = 1; c <= 6; ++c) {
      auto printed = Deviate(j, kStepCommands[c], seen);
      const int to = session_.World().CurrentRoom;
      // Only a step that leaves no way back is a deviation worth a search.
      if (!printed || to == WalkRoom(j) || FindPath(session_.World(), to, WalkRoom(j))) continue;
      Judge(j, std::string("walk ") + kStepCommands[c] + " to room " + std::to_string(to), *printed);
    }
  }

  Session session_;
  const std::vector<WalkStep>& steps_;
  SearchOptions options_;
  std::vector<WalkState> walk_;
  std::unordered_map<uint64_t, bool> memo_;  // (step, state) -> can still win
  DeadEndReport report_;
};

std::string Collapse(const std::string& text) {
  std::string s;
  for (char c : Lower(text)) {
    const bool blank = c == '\n' || c == '\r' || c == '\t' || c == ' ';
    if (blank && (s.empty() || s.back() == ' ')) continue;
    s += blank ? ' ' : c;
  }
  return s;
}

}  // namespace

std::vector<WalkStep> ReadWalkthrough(const std::string& text) {
  std::vector<WalkStep> steps;
  const std::string marker = "# expect:";
  int n = 0;
  for (const std::string& line : glim::SplitLines(text)) {
    ++n;
    if (line.rfind(marker, 0) == 0) {
      std::string e = line.substr(marker.size());
      e.erase(0, std::min(e.find_first_not_of(' '), e.size()));
      if (!steps.empty()) steps.back().expect.push_back(e);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    steps.push_back({line, {}, n});
  }
  return steps;
}

const std::vector<std::string>& WarningPhrases() {
  // The one list of what warns of a dead end; the world's texts are tuned
  // against it. Lower case; a phrase is found anywhere in the text.
  static const std::vector<std::string> phrases = {
      "no way back",      // the garden gate
      "no going back",    // the ice cliffs
      "never get back",   // the crushing walls
      "you will need",    // "take all you will need"
      "no guest leaves",  // the village gates
      "for ever",         // the enchanted woods, the wood beyond the avalanche
      "forever",         "no return",         "cannot return", "can't return",      "cannot come back",
      "can't come back", "hard to come back", "one-way",       "nobody comes back",
  };
  return phrases;
}

std::string FindWarning(const std::string& text) {
  const std::string t = Collapse(text);
  for (const std::string& p : WarningPhrases())
    if (t.find(p) != std::string::npos) return p;
  return "";
}

DeadEndReport FindDeadEnds(const std::string& wordText, const std::string& roomText, const std::vector<WalkStep>& steps,
                           const SearchOptions& options) {
  return Search(wordText, roomText, steps, options).Run();
}

namespace {

// The report's lines, with the number of warned dead ends and of faults
// among them.
struct Summary {
  std::vector<std::string> lines;
  int warned = 0, faults = 0;
};

Summary Summarise(const DeadEndReport& report) {
  Summary sum;
  std::vector<std::string>& out = sum.lines;
  std::string phrases;
  for (const std::string& p : WarningPhrases()) phrases += (phrases.empty() ? "\"" : ", \"") + p + "\"";
  out.push_back("dead ends: a warning is one of " + phrases);
  for (const std::string& f : report.walkFaults) out.push_back("FAULT: the walkthrough fails: " + f);
  // The same deviation in the same room, alike warned, is one line.
  std::map<std::tuple<int, std::string, std::string>, std::vector<const DeadEnd*>> groups;
  std::vector<std::tuple<int, std::string, std::string>> order;
  for (const DeadEnd& d : report.deadEnds) {
    auto key = std::make_tuple(d.room, d.deviation, d.warning);
    auto& g = groups[key];
    if (g.empty()) order.push_back(key);
    g.push_back(&d);
  }
  int& warned = sum.warned;
  int& faults = sum.faults;
  faults = static_cast<int>(report.walkFaults.size());
  for (const auto& key : order) {
    const auto& g = groups[key];
    const DeadEnd& d = *g.front();
    std::string l = "step " + std::to_string(d.step) + " (line " + std::to_string(d.line) + "), room " +
                    std::to_string(d.room) + ": " + d.deviation + ": ";
    // A thing left behind is lost for good only where the way back closes:
    // a warning there, in the room the player leaves by the one-way step,
    // warns of the loss as well as one at the deviation itself.
    const bool isWarned = !d.warning.empty() || !d.closedWarning.empty();
    if (!d.warning.empty())
      l += "warned: \"" + d.warning + "\"";
    else if (isWarned)
      l += "warned where the way back closes";
    else
      l += "FAULT: no warning";
    (isWarned ? warned : faults)++;
    if (g.size() > 1) {
      l += " (also after steps";
      for (size_t i = 1; i < g.size(); ++i) l += (i > 1 ? ", " : " ") + std::to_string(g[i]->step);
      l += ")";
    }
    if (d.closedLine > 0)
      l += "; the way back closes at line " + std::to_string(d.closedLine) + " (" + d.closedBy + ", " +
           (d.closedWarning.empty() ? std::string("no warning there") : "warned there: \"" + d.closedWarning + "\"") +
           ")";
    out.push_back(l);
  }
  out.push_back("dead-end search: " + std::to_string(report.states) + " states, " + std::to_string(report.deviations) +
                " deviations tried (" + std::to_string(report.answered) + " answered by an equivalent state), " +
                std::to_string(report.deaths) + " deaths, " + std::to_string(warned) + " dead ends warned, " +
                std::to_string(faults) + " faults");
  return sum;
}

}  // namespace

std::vector<std::string> FormatDeadEnds(const DeadEndReport& report) { return Summarise(report).lines; }

int DeadEndReport::Faults() const { return Summarise(*this).faults; }

}  // namespace worldcheck
