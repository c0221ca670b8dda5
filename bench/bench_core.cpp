// Benchmarks of the game's core on the shipped world: a command from the
// command line to the composed scene over the whole walkthrough, beside the
// decoding of the room pictures it shows; the scene's composition beside the
// same composition through a pixel-by-pixel canvas; and the start-up to the
// first room shown, with its parts; and the world checker's dead-end search.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <turbojpeg.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchCommon.h"
#include "tools/worldcheck/DeadEnds.h"
#include "tools/worldcheck/WorldCheck.h"

namespace {

using glimbench::Session;

const std::vector<std::string>& Commands() {
  static const std::vector<std::string> cmds = glimbench::ReadCommands(glimbench::WalkthroughFile());
  return cmds;
}

// Reports a per-command figure: the time of one iteration divided by the
// commands it played, as a counter shown in seconds.
void PerCommand(benchmark::State& st, size_t commands) {
  st.counters["commands"] = static_cast<double>(commands);
  st.counters["per_command"] = benchmark::Counter(
      static_cast<double>(commands), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  st.SetItemsProcessed(static_cast<int64_t>(st.iterations() * commands));
}

// What one play of the walkthrough shows: the room picture on view after
// each command, and whether the game was won.
struct Shown {
  std::vector<std::string> picture;  // path, one per command
  std::vector<bool> changed;         // the picture differs from the one before
  std::map<std::string, std::string> bytes;
  bool won = false;
};

const Shown& WalkthroughPictures() {
  static const Shown shown = [] {
    Shown r;
    Session s;
    s.Start();
    std::string last = s.game.PicturePath;
    for (const std::string& c : Commands()) {
      s.Send(c);
      const std::string& p = s.game.PicturePath;
      r.picture.push_back(p);
      r.changed.push_back(p != last);
      if (!r.bytes.count(p)) r.bytes[p] = glimbench::ReadAll(p);
      last = p;
    }
    r.won = s.game.Obj(40).Location == glim::LocCarried;
    return r;
  }();
  return shown;
}

// Every command of the walkthrough through the text platform, as the
// terminal game plays them from a pipe: parsing, the action, the
// characters' reactions, the room shown with its picture and the scene
// composed. The start-up before the first command is not timed.
void BM_WalkthroughCommand(benchmark::State& st) {
  const std::vector<std::string>& cmds = Commands();
  if (cmds.size() < 100) {
    st.SkipWithError("walkthrough not found");
    return;
  }
  for (auto _ : st) {
    st.PauseTiming();
    auto s = std::make_unique<Session>();
    s->Start();
    st.ResumeTiming();
    for (const std::string& c : cmds) s->Send(c);
    if (!glimbench::EndPlay(st, s)) break;
  }
  PerCommand(st, cmds.size());
}
BENCHMARK(BM_WalkthroughCommand)->Unit(benchmark::kMillisecond);

// The floor: the room picture on view after each command, decoded from its
// bytes in memory with the game's own decoder, once per command.
void BM_PictureDecodeFloor(benchmark::State& st) {
  const Shown& shown = WalkthroughPictures();
  if (!shown.won) {
    st.SkipWithError("the walkthrough did not end with the staff carried");
    return;
  }
  std::vector<const std::string*> bytes;
  for (const std::string& p : shown.picture) bytes.push_back(&shown.bytes.at(p));
  for (auto _ : st) {
    for (const std::string* b : bytes) {
      glim::Image img;
      if (!glim::DecodeJpeg(*b, img)) st.SkipWithError("a room picture does not decode");
      benchmark::DoNotOptimize(img.Px.data());
    }
  }
  PerCommand(st, bytes.size());
}
BENCHMARK(BM_PictureDecodeFloor)->Unit(benchmark::kMillisecond);

// The decodes the game really does on the walkthrough: a picture already in
// the view is not decoded again, so only the commands that change it cost a
// decode. Reported per command of the whole walkthrough as well.
void BM_PictureDecodeChanges(benchmark::State& st) {
  const Shown& shown = WalkthroughPictures();
  std::vector<const std::string*> bytes;
  for (size_t i = 0; i < shown.picture.size(); ++i)
    if (shown.changed[i]) bytes.push_back(&shown.bytes.at(shown.picture[i]));
  for (auto _ : st) {
    for (const std::string* b : bytes) {
      glim::Image img;
      glim::DecodeJpeg(*b, img);
      benchmark::DoNotOptimize(img.Px.data());
    }
  }
  PerCommand(st, shown.picture.size());
  st.counters["decodes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_PictureDecodeChanges)->Unit(benchmark::kMillisecond);

Session& BusyScene();

// Where a decode's time goes: the same pictures (one per command) decoded by
// libjpeg-turbo alone into a ready 24-bit buffer, without the pixels the game
// needs; the game itself has the library write its 32-bit pixels directly
// and then clears their pad byte.
void BM_PictureDecodeLibraryOnly(benchmark::State& st) {
  const Shown& shown = WalkthroughPictures();
  std::vector<const std::string*> bytes;
  for (const std::string& p : shown.picture) bytes.push_back(&shown.bytes.at(p));
  tjhandle h = tjInitDecompress();
  std::vector<unsigned char> rgb;
  for (auto _ : st) {
    for (const std::string* b : bytes) {
      auto* src = reinterpret_cast<const unsigned char*>(b->data());
      int w = 0, ht = 0, sub = 0, cs = 0;
      tjDecompressHeader3(h, src, static_cast<unsigned long>(b->size()), &w, &ht, &sub, &cs);
      rgb.resize(static_cast<size_t>(w) * ht * 3);
      if (tjDecompress2(h, src, static_cast<unsigned long>(b->size()), rgb.data(), w, 0, ht, TJPF_RGB, 0) != 0)
        st.SkipWithError("a room picture does not decode");
      benchmark::DoNotOptimize(rgb.data());
    }
  }
  tjDestroy(h);
  PerCommand(st, bytes.size());
}
BENCHMARK(BM_PictureDecodeLibraryOnly)->Unit(benchmark::kMillisecond);

// The way the game decoded before it had the library write its pixels: into
// a fresh 24-bit buffer, then copied into 0x00RRGGBB pixels. Kept to show
// what decoding straight into the image's pixels saves.
void BM_PictureDecodeViaRgb(benchmark::State& st) {
  const Shown& shown = WalkthroughPictures();
  std::vector<const std::string*> bytes;
  for (const std::string& p : shown.picture) bytes.push_back(&shown.bytes.at(p));
  auto decode = [](tjhandle h, const std::string& b) {
    auto* src = reinterpret_cast<const unsigned char*>(b.data());
    int w = 0, ht = 0, sub = 0, cs = 0;
    tjDecompressHeader3(h, src, static_cast<unsigned long>(b.size()), &w, &ht, &sub, &cs);
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * ht * 3);
    tjDecompress2(h, src, static_cast<unsigned long>(b.size()), rgb.data(), w, 0, ht, TJPF_RGB, 0);
    glim::Image img(w, ht);
    for (size_t i = 0, n = img.Px.size(); i < n; ++i)
      img.Px[i] = (uint32_t{rgb[3 * i]} << 16) | (uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
    return img;
  };
  tjhandle h = tjInitDecompress();
  // The same pixels as the game's decoder gives, or the figure means nothing.
  glim::Image ref;
  glim::DecodeJpeg(*bytes.front(), ref);
  if (decode(h, *bytes.front()).Px != ref.Px) {
    tjDestroy(h);
    st.SkipWithError("decoding through 24 bits gives other pixels");
    return;
  }
  for (auto _ : st) {
    for (const std::string* b : bytes) {
      glim::Image img = decode(h, *b);
      benchmark::DoNotOptimize(img.Px.data());
    }
  }
  tjDestroy(h);
  PerCommand(st, bytes.size());
}
BENCHMARK(BM_PictureDecodeViaRgb)->Unit(benchmark::kMillisecond);

// The copies of a whole scene a command makes besides the decode: the
// composed scene starts as a copy of the room picture, and the text
// platform keeps a copy of what it is shown.
void BM_SceneCopy(benchmark::State& st) {
  glim::Game& g = BusyScene().game;
  glim::Image copy;
  for (auto _ : st) {
    copy = g.View;
    benchmark::DoNotOptimize(copy.Px.data());
    benchmark::ClobberMemory();
  }
  st.counters["bytes"] = static_cast<double>(g.View.Px.size() * sizeof(uint32_t));
}
BENCHMARK(BM_SceneCopy)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------------------
// Composition of a scene with characters and objects.

// The busiest scene of the walkthrough: the game is played up to the command
// after which the most characters and objects stand in the room (at least
// one character, and objects too where any command leaves both), and left
// there.
Session& BusyScene() {
  static std::unique_ptr<Session> busy = [] {
    const std::vector<std::string>& cmds = Commands();
    size_t best = 0;
    int bestScore = -1;
    {
      Session s;
      s.Start();
      for (size_t i = 0; i < cmds.size(); ++i) {
        s.Send(cmds[i]);
        int chars = 0, objs = 0;
        for (int k = 1; k <= s.game.BaddieCount; ++k) chars += s.game.CharacterIsHere(k) ? 1 : 0;
        for (int k = 1; k <= s.game.ObjectCount; ++k) objs += s.game.Obj(k).Location == s.game.CurrentRoom ? 1 : 0;
        // A scene with both characters and objects beats one with only
        // characters; among those, the more things the better.
        const int score = chars == 0 ? -1 : (objs > 0 ? 1000 : 0) + chars + objs;
        if (score > bestScore) {
          bestScore = score;
          best = i;
        }
      }
    }
    auto s = std::make_unique<Session>();
    s->Start();
    for (size_t i = 0; i <= best && i < cmds.size(); ++i) s->Send(cmds[i]);
    return s;
  }();
  return *busy;
}

// The game's own path: the room picture copied, then the characters and the
// objects blitted with black transparent.
void BM_ComposeScene(benchmark::State& st) {
  glim::Game& g = BusyScene().game;
  glim::Image scene;
  int chars = 0, objs = 0;
  for (int k = 1; k <= g.BaddieCount; ++k) chars += g.CharacterIsHere(k) ? 1 : 0;
  for (int k = 1; k <= g.ObjectCount; ++k) objs += g.Obj(k).Location == g.CurrentRoom ? 1 : 0;
  for (auto _ : st) {
    g.DrawCharacters(scene);
    g.DrawObjects(scene);
    benchmark::DoNotOptimize(scene.Px.data());
    benchmark::ClobberMemory();
  }
  st.counters["characters"] = chars;
  st.counters["objects"] = objs;
  st.counters["room"] = g.CurrentRoom;
}
BENCHMARK(BM_ComposeScene)->Unit(benchmark::kMicrosecond);

// A drawing surface as a widget toolkit's canvas offers it: every pixel read
// and written through a virtual call that checks its coordinates.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual uint32_t GetPixel(int x, int y) const = 0;
  virtual void SetPixel(int x, int y, uint32_t colour) = 0;
};

class ImageCanvas : public Canvas {
 public:
  explicit ImageCanvas(glim::Image& img) : img_(img) {}
  // Out of line, as behind a toolkit's library boundary.
  [[gnu::noinline]] int Width() const override { return img_.W; }
  [[gnu::noinline]] int Height() const override { return img_.H; }
  [[gnu::noinline]] uint32_t GetPixel(int x, int y) const override {
    if (x < 0 || y < 0 || x >= img_.W || y >= img_.H) return 0;
    return img_.At(x, y);
  }
  [[gnu::noinline]] void SetPixel(int x, int y, uint32_t colour) override {
    if (x < 0 || y < 0 || x >= img_.W || y >= img_.H) return;
    img_.At(x, y) = colour;
  }

 private:
  glim::Image& img_;
};

// Draws src onto dst at (x, y) pixel by pixel; black is transparent.
void NaiveDraw(Canvas& dst, const Canvas& src, int x, int y) {
  const int w = src.Width(), h = src.Height();
  for (int sy = 0; sy < h; ++sy)
    for (int sx = 0; sx < w; ++sx) {
      const uint32_t c = src.GetPixel(sx, sy);
      if (c != 0) dst.SetPixel(x + sx, y + sy, c);
    }
}

struct NaiveSprites {
  std::vector<glim::Image> images[3];  // characters, lying characters, objects
  std::vector<std::unique_ptr<Canvas>> canvases[3];

  explicit NaiveSprites(const glim::Game& g) {
    images[0] = g.lstCharacters;
    images[1] = g.Chars2;
    images[2] = g.LstObjImages;
    for (int i = 0; i < 3; ++i)
      for (glim::Image& im : images[i]) canvases[i].push_back(std::make_unique<ImageCanvas>(im));
  }
  const Canvas* Get(int list, int i) const {
    if (i < 0 || static_cast<size_t>(i) >= canvases[list].size()) return nullptr;
    return canvases[list][static_cast<size_t>(i)].get();
  }
};

// The same scene as DrawCharacters and DrawObjects compose, at the same
// places, every pixel through the canvas.
void NaiveCompose(glim::Game& g, const NaiveSprites& sprites, Canvas& scene, const Canvas& view) {
  const int w = view.Width(), h = view.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) scene.SetPixel(x, y, view.GetPixel(x, y));
  for (int k = 1; k <= g.BaddieCount; ++k) {
    const glim::TBaddieRec& b = g.Baddie(k);
    if (b.Location != g.CurrentRoom) continue;
    if (b.Lying != 0) {
      if (const Canvas* c = sprites.Get(1, b.LyingPicture)) NaiveDraw(scene, *c, 90, 285);
    } else if (const Canvas* c = sprites.Get(0, b.Picture)) {
      if (k == 23)
        NaiveDraw(scene, *c, 0, 265);
      else
        NaiveDraw(scene, *c, 25, 200);
    }
  }
  int x = 220;
  for (int k = 1; k <= g.ObjectCount; ++k) {
    const glim::TObjectRec& o = g.Obj(k);
    if (o.Location != g.CurrentRoom) continue;
    x += 60;
    if (const Canvas* c = sprites.Get(2, k - 1)) NaiveDraw(scene, *c, x, o.Y);
  }
}

void BM_ComposeSceneNaive(benchmark::State& st) {
  glim::Game& g = BusyScene().game;
  const NaiveSprites sprites(g);
  glim::Image view = g.View;
  glim::Image out(view.W, view.H);
  ImageCanvas viewCanvas(view), outCanvas(out);
  Canvas* scene = &outCanvas;
  const Canvas* src = &viewCanvas;
  // The canvases are only known through their interface here.
  benchmark::DoNotOptimize(scene);
  benchmark::DoNotOptimize(src);

  // Both ways must give the same picture, or the comparison means nothing.
  glim::Image fast;
  g.DrawCharacters(fast);
  g.DrawObjects(fast);
  NaiveCompose(g, sprites, *scene, *src);
  if (fast.W != out.W || fast.H != out.H || fast.Px != out.Px) {
    st.SkipWithError("the naive composition differs from the game's");
    return;
  }
  for (auto _ : st) {
    NaiveCompose(g, sprites, *scene, *src);
    benchmark::DoNotOptimize(out.Px.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ComposeSceneNaive)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------------------
// Start-up: from nothing to the first room shown, without the splash.

// Reading both data files, the image lists, the new game and the first
// ShowRoom, as the program does at its first activation.
void BM_Startup(benchmark::State& st) {
  for (auto _ : st) {
    auto s = std::make_unique<Session>();
    s->Start();
    benchmark::DoNotOptimize(s->game.Composed.Px.data());
    st.PauseTiming();
    const bool shown = !s->game.Composed.Empty() && s->game.CurrentRoom == 1;
    s.reset();
    st.ResumeTiming();
    if (!shown) {
      st.SkipWithError("the first room was not shown");
      break;
    }
  }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);

// Its parts. The word and room files read and parsed.
void BM_StartupDataFiles(benchmark::State& st) {
  Session s;
  s.game.GameFolder = glimbench::DataDir();
  for (auto _ : st) {
    if (!s.game.LoadDataFiles()) st.SkipWithError("the data files do not load");
  }
  st.counters["words"] = static_cast<double>(s.game.VerbCount + s.game.ObjectCount + s.game.BaddieCount);
}
BENCHMARK(BM_StartupDataFiles)->Unit(benchmark::kMillisecond);

// The three sprite sheets read, decoded and cut into images.
void BM_StartupImageLists(benchmark::State& st) {
  Session s;
  s.game.GameFolder = glimbench::DataDir();
  for (auto _ : st) {
    s.game.SpritesFolder.clear();
    s.game.LoadImageLists();
    benchmark::DoNotOptimize(s.game.LstObjImages.data());
  }
  st.counters["sprites"] =
      static_cast<double>(s.game.lstCharacters.size() + s.game.Chars2.size() + s.game.LstObjImages.size());
}
BENCHMARK(BM_StartupImageLists)->Unit(benchmark::kMillisecond);

// The first room shown on a fresh view: its picture read and decoded, the
// text printed, the scene composed.
void BM_StartupFirstRoom(benchmark::State& st) {
  Session s;
  s.Start();
  for (auto _ : st) {
    s.game.View = glim::Image();
    s.game.ViewFile.clear();
    s.game.InitialiseState();
    s.game.ShowRoom(true);
    benchmark::DoNotOptimize(s.game.Composed.Px.data());
  }
}
BENCHMARK(BM_StartupFirstRoom)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// Undo: the step kept before every command, one undo with its room shown,
// and the memory of a full history.

// A game played along the walkthrough to the middle, where the world holds
// a fair share of moved things, opened doors and exits.
std::unique_ptr<Session> MidGame() {
  auto s = std::make_unique<Session>();
  s->Start();
  const std::vector<std::string>& cmds = Commands();
  for (size_t i = 0; i < cmds.size() / 2; ++i) s->Send(cmds[i]);
  return s;
}

// What a command adds for undo: the snapshot taken before it (the world
// copied, the timer asked), the comparison after it, and the step kept in
// a full history (the oldest dropped). Nothing else of the command runs.
void BM_UndoStep(benchmark::State& st) {
  auto s = MidGame();
  glim::Game& g = s->game;
  while (g.UndoSteps.size() < glim::Game::MaxUndoSteps) g.UndoSteps.push_back(g.TakeSnapshot());
  for (auto _ : st) {
    g.BeginStep();
    g.CarriedCount ^= 1;  // a change, so that the step is kept
    g.EndStep();
  }
  st.counters["world_bytes"] = static_cast<double>(sizeof(glim::World));
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMicrosecond);

// The same for a command that changes nothing: the snapshot is compared and
// dropped.
void BM_UndoStepUnchanged(benchmark::State& st) {
  auto s = MidGame();
  glim::Game& g = s->game;
  for (auto _ : st) {
    g.BeginStep();
    g.EndStep();
  }
}
BENCHMARK(BM_UndoStepUnchanged)->Unit(benchmark::kMicrosecond);

// One undo of a move and one redo, each with its room shown (the panel
// cleared, the events and the characters run, a different picture read and
// decoded, the scene composed); the figure is per operation.
void BM_UndoWithRoomShown(benchmark::State& st) {
  auto s = MidGame();
  glim::Game& g = s->game;
  const int32_t from = g.CurrentRoom;
  const int32_t deaths = g.DeathCount;
  for (const char* move : {"n", "s", "e", "w", "u", "d"}) {
    s->Send(move);
    if (g.CurrentRoom == from) continue;
    if (g.DeathCount == deaths) break;
    g.Undo();  // a move that kills is not the one to measure
  }
  if (g.CurrentRoom == from) {
    st.SkipWithError("no move leads out of the room");
    return;
  }
  for (auto _ : st) {
    if (!g.Undo() || !g.Redo()) {
      st.SkipWithError("undo or redo refused");
      break;
    }
  }
  st.counters["operations"] = 2;
  st.counters["per_operation"] =
      benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoWithRoomShown)->Unit(benchmark::kMicrosecond);

// The heap that a history of 100 steps holds after the whole walkthrough:
// the allocator's bytes in use with the history and after it is emptied.
void BM_UndoHistoryMemory(benchmark::State& st) {
  size_t held = 0, steps = 0;
  for (auto _ : st) {
    st.PauseTiming();
    auto s = std::make_unique<Session>();
    s->Start();
    for (const std::string& c : Commands()) s->Send(c);
    steps = s->game.UndoSteps.size();
    const size_t with = mallinfo2().uordblks;
    s->game.UndoSteps.clear();
    s->game.UndoSteps.shrink_to_fit();
    held = with - mallinfo2().uordblks;
    s.reset();
    st.ResumeTiming();
  }
  st.counters["steps"] = static_cast<double>(steps);
  st.counters["heap_bytes"] = static_cast<double>(held);
  st.counters["snapshot_bytes"] = static_cast<double>(sizeof(glim::Game::Snapshot));
}
BENCHMARK(BM_UndoHistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The world checker's dead-end search over the whole walkthrough: every
// deviation from every state, each followed until the walkthrough is
// rejoined or found lost. Reported per game command the search ran.
void BM_DeadEndSearch(benchmark::State& st) {
  std::string words, rooms, walk;
  if (!worldcheck::ReadWhole(glimbench::DataDir() + "glimtext.wdt", words) ||
      !worldcheck::ReadWhole(glimbench::DataDir() + "glimroom.dat", rooms) ||
      !worldcheck::ReadWhole(glimbench::WalkthroughFile(), walk)) {
    st.SkipWithError("the data files or the walkthrough cannot be read");
    return;
  }
  const std::vector<worldcheck::WalkStep> steps = worldcheck::ReadWalkthrough(walk);
  long commands = 0;
  for (auto _ : st) {
    const worldcheck::DeadEndReport r = worldcheck::FindDeadEnds(words, rooms, steps);
    if (!r.walkFaults.empty() || r.deviations == 0) {
      st.SkipWithError("the walkthrough does not win, or nothing was searched");
      break;
    }
    commands = r.commands;
  }
  PerCommand(st, static_cast<size_t>(commands));
}
BENCHMARK(BM_DeadEndSearch)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
