// Sound output with SDL2_mixer. One mixer channel carries the WAV effects and
// the mixer's music stream carries the MIDI music; only one of them sounds at
// a time.
//
// Threads: Play, Stop and SetRepeat run on the caller's thread under `api_`.
// The mixer calls back on its own thread (channel and music end reports, the
// channel effect, the post-mix hook), and also synchronously on the caller's
// thread while it halts a sound. Those callbacks touch only atomics and the
// report queue; anything that needs a mixer call is handed to a small worker
// thread, so no callback ever calls into the mixer. Every play has a
// generation number; a callback whose generation is no longer the active one
// belongs to a play that was stopped or replaced.
#include "app/sound/SdlSoundPlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "app/sound/MidiFile.h"
#include "app/sound/SoundFile.h"
#include "ui/Platform.h"
#include "world/Text.h"

namespace glim {

namespace {

constexpr int kChannel = 0;
constexpr size_t kMaxReports = 256;
// A sound told to stop at the end of its pass fades over its last few
// milliseconds, so a looping background does not end in a click.
constexpr double kRampSeconds = 0.008;
// The synthesiser's loop runs a little longer than the notes' timing says;
// ending the music's last pass a touch early never lets the next pass in.
constexpr double kMusicEndMargin = 0.03;

enum class Kind { None, Wav, Music };

bool IsMusicFile(const std::string& path) {
  const std::string ext = LowerAscii(std::filesystem::path(path).extension().string());
  return ext == ".mid" || ext == ".midi" || ext == ".rmi";
}

// The synthesiser's gain, set so that the title music peaks a few dB below
// full scale and sits as loud as the effects (measured by rendering it):
// TimGM6mb peaks at -3.9 dBFS with 72; FluidR3 is about 6 dB quieter.
int MusicVolume(const std::string& soundfont) {
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::weakly_canonical(soundfont, ec);
  const std::string name = LowerAscii((ec ? std::filesystem::path(soundfont) : real).filename().string());
  if (name.find("fluidr3") != std::string::npos) return 112;
  return 72;
}

// Standard error sent to /dev/null for as long as it lives.
class QuietStderr {
 public:
  QuietStderr() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      dup2(saved_, STDERR_FILENO);
      close(saved_);
    }
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

class Engine;
std::atomic<Engine*> g_engine{nullptr};

class Engine {
 public:
  explicit Engine(std::string soundfont) : soundfont_(std::move(soundfont)) {
    Engine* none = nullptr;
    owner_ = g_engine.compare_exchange_strong(none, this);
    worker_ = std::thread([this] { WorkerLoop(); });
  }

  ~Engine() {
    {
      std::lock_guard<std::mutex> lk(workMu_);
      quit_ = true;
    }
    workCv_.notify_all();
    worker_.join();
    std::lock_guard<std::mutex> lk(api_);
    if (open_) {
      HaltCurrent();
      Mix_ChannelFinished(nullptr);
      Mix_HookMusicFinished(nullptr);
      Mix_SetPostMix(nullptr, nullptr);
      Mix_UnregisterAllEffects(kChannel);
      for (auto& [path, chunk] : chunks_) Mix_FreeChunk(chunk);
      for (auto& [path, tune] : tunes_) Mix_FreeMusic(tune.Music);
      Mix_CloseAudio();
      Mix_Quit();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (owner_) g_engine.store(nullptr);
  }

  SoundResult Play(const std::string& path, bool repeat) {
    std::lock_guard<std::mutex> lk(api_);
    repeat_ = repeat;
    // A new sound closes the old one, whether or not the new one can play.
    if (open_) HaltCurrent();
    const std::string file = ResolveNoCase(path);
    if (file.empty()) return SoundResult::Missing;
    if (!EnsureOpen()) return SoundResult::NoDevice;
    if (IsMusicFile(file)) {
      Tune* tune = LoadTune(file);
      if (!tune) return SoundResult::Missing;
      const uint64_t gen = Begin();
      musicGen_ = gen;
      musicFrames_ = tune->Frames;
      musicCut_ = 0;
      musicPasses_ = 0;
      kind_ = Kind::Music;
      curMusic_ = tune->Music;
      active_ = gen;
      // The music starts with the next mixed buffer; counting from here
      // errs early, which only ever ends a last pass early.
      musicStart_ = mixed_.load();
      // A tune that is not known to last (garbage, empty, cut short, no
      // notes) plays once, even when asked to repeat: looped, a tune that
      // ends at once would be started again and again inside the mixer.
      musicLoopable_ = tune->Loopable;
      musicLooping_ = repeat && tune->Loopable;
      if (Mix_PlayMusic(tune->Music, musicLooping_ ? -1 : 1) != 0) {
        Fail(gen);
        return SoundResult::Missing;
      }
      return SoundResult::Ok;
    }
    Mix_Chunk* chunk = LoadChunk(file);
    if (!chunk) return SoundResult::Missing;
    const uint64_t gen = Begin();
    StartChunk(gen, chunk, repeat);
    if (active_ != gen) return SoundResult::Missing;
    return SoundResult::Ok;
  }

  void Stop() {
    std::lock_guard<std::mutex> lk(api_);
    if (open_) HaltCurrent();
  }

  void SetRepeat(bool repeat) {
    std::lock_guard<std::mutex> lk(api_);
    repeat_ = repeat;
    const uint64_t gen = active_;
    if (!open_ || gen == 0) return;
    if (kind_ == Kind::Wav && chanGen_ == gen) {
      // Only a looping play needs telling; a single play simply ends, or is
      // started again by the end report when repetition was switched on.
      if (wavLooping_) stopAtEnd_ = !repeat;
    } else if (kind_ == Kind::Music && musicGen_ == gen && musicLooping_) {
      if (repeat) {
        musicCut_ = 0;
      } else if (musicFrames_ > 0) {
        const uint64_t now = mixed_.load();
        const uint64_t start = musicStart_;
        const uint64_t len = musicFrames_;
        const uint64_t pass = now > start ? (now - start) / len : 0;
        const uint64_t margin = static_cast<uint64_t>(kMusicEndMargin * rate_);
        uint64_t cut = start + (pass + 1) * len;
        cut = cut > margin ? cut - margin : cut;
        musicCut_ = std::max(cut, now + 1);
      } else {
        // A tune of unknown length cannot be let run to its end: it stops.
        HaltCurrent();
      }
    }
  }

  uint64_t Generation() const { return lastGen_; }

  bool Sounding() {
    std::lock_guard<std::mutex> lk(api_);
    if (!open_ || active_ == 0) return false;
    return kind_ == Kind::Music ? Mix_PlayingMusic() != 0 : Mix_Playing(kChannel) != 0;
  }

  std::optional<SoundReport> WaitReport(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lk(reportMu_);
    if (!reportCv_.wait_for(lk, timeout, [this] { return !reports_.empty(); })) return std::nullopt;
    SoundReport r = reports_.front();
    reports_.pop_front();
    return r;
  }

  // --- mixer callbacks (mixer thread, or the caller's thread during a halt)

  void OnChannelDone(int channel) {
    if (channel != kChannel) return;
    const uint64_t gen = chanGen_;
    if (gen == 0) return;
    if (active_ != gen) {
      Final(gen, SoundReport::Kind::Aborted);
      return;
    }
    if (repeat_) {
      Request(restartReq_, gen);  // played once, but repetition was switched on since
      return;
    }
    Finish(gen);
  }

  void OnMusicDone() {
    const uint64_t gen = musicGen_;
    if (gen == 0) return;
    if (active_ != gen) {
      Final(gen, SoundReport::Kind::Aborted);
      return;
    }
    if (repeat_ && musicLoopable_) {
      Request(restartReq_, gen);
      return;
    }
    Finish(gen);
  }

  // Runs on every piece of the channel's sound before it is mixed. The mixer
  // hands the end of one pass and the start of the next as separate pieces,
  // so a piece that starts at offset 0 after the first is a new pass.
  void OnChannelEffect(void* stream, int len) {
    if (len <= 0) return;
    if (wavFinished_) {
      std::memset(stream, 0, static_cast<size_t>(len));
      return;
    }
    const uint64_t gen = effGen_;
    if (wavPos_ == 0 && wavStarted_) {
      if (stopAtEnd_) {
        // The pass that repetition was switched off in has ended.
        wavFinished_ = true;
        std::memset(stream, 0, static_cast<size_t>(len));
        if (Finish(gen)) Request(haltReq_, gen);
        return;
      }
      Post(SoundReport::Kind::Restarted, gen);
    }
    wavStarted_ = true;
    const uint32_t chunkLen = wavLen_;
    if (stopAtEnd_ && s16_) {
      const uint64_t first = wavPos_ / frameBytes_;
      const uint64_t total = chunkLen / frameBytes_;
      RampDown(static_cast<int16_t*>(stream), len, first, total);
    }
    wavPos_ = chunkLen ? static_cast<uint32_t>((uint64_t{wavPos_} + static_cast<uint32_t>(len)) % chunkLen) : 0;
  }

  // Runs on every mixed buffer: counts the frames played, follows the passes
  // of a looping tune and ends its last pass when repetition was switched off.
  void OnPostMix(uint8_t* stream, int len) {
    const uint64_t frames = static_cast<uint64_t>(len) / frameBytes_;
    const uint64_t before = mixed_.fetch_add(frames);
    const uint64_t after = before + frames;
    if (kind_ != Kind::Music) return;
    const uint64_t gen = musicGen_;
    if (gen == 0) return;
    if (mutedGen_ == gen) {
      std::memset(stream, 0, static_cast<size_t>(len));
      return;
    }
    if (active_ != gen || !musicLooping_) return;
    const uint64_t cut = musicCut_;
    if (cut != 0) {
      const uint64_t ramp = static_cast<uint64_t>(kRampSeconds * rate_);
      if (after + ramp > cut && s16_) {
        int16_t* s = reinterpret_cast<int16_t*>(stream);
        for (uint64_t f = 0; f < frames; ++f) {
          const uint64_t at = before + f;
          const double gain = at >= cut ? 0.0 : std::min(1.0, double(cut - at) / double(ramp ? ramp : 1));
          for (int c = 0; c < channels_; ++c) s[f * channels_ + c] = static_cast<int16_t>(s[f * channels_ + c] * gain);
        }
      }
      if (after >= cut) {
        mutedGen_ = gen;
        if (Finish(gen)) Request(haltReq_, gen);
        return;
      }
    }
    const uint64_t passLen = musicFrames_;
    const uint64_t start = musicStart_;
    if (passLen > 0 && after > start) {
      const uint64_t passes = (after - start) / passLen;
      if (passes > musicPasses_) {
        musicPasses_ = passes;
        Post(SoundReport::Kind::Restarted, gen);
      }
    }
  }

 private:
  struct Tune {
    std::string Bytes;  // the file, read by the mixer as it plays
    Mix_Music* Music = nullptr;
    uint64_t Frames = 0;    // the length of one pass; 0 when unknown
    bool Loopable = false;  // a tune with notes that lasts (LoopableTune)
  };

  bool EnsureOpen() {
    if (triedOpen_) return open_;
    triedOpen_ = true;
    if (!owner_) return false;
    // The sound libraries write their own complaints (ALSA's "cannot find
    // card" lines) to standard error while they look for a device; the
    // game reports a missing device itself, once, so they are kept quiet.
    QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
      Mix_Quit();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    int freq = 44100, channels = 2;
    Uint16 format = AUDIO_S16SYS;
    Mix_QuerySpec(&freq, &format, &channels);
    rate_ = freq > 0 ? freq : 44100;
    channels_ = channels > 0 ? channels : 2;
    s16_ = format == AUDIO_S16SYS;
    frameBytes_ = static_cast<uint32_t>(channels_ * SDL_AUDIO_BITSIZE(format) / 8);
    if (frameBytes_ == 0) frameBytes_ = 4;
    Mix_AllocateChannels(1);
    if (!soundfont_.empty()) Mix_SetSoundFonts(soundfont_.c_str());
    Mix_VolumeMusic(MusicVolume(soundfont_));
    Mix_ChannelFinished([](int channel) {
      if (Engine* e = g_engine.load()) e->OnChannelDone(channel);
    });
    Mix_HookMusicFinished([] {
      if (Engine* e = g_engine.load()) e->OnMusicDone();
    });
    Mix_SetPostMix([](void* self, Uint8* stream, int len) { static_cast<Engine*>(self)->OnPostMix(stream, len); },
                   this);
    open_ = true;
    return true;
  }

  // A WAV file of a sensible size (SoundFile.h) whose samples, converted,
  // stay under their cap; anything else is not a sound the game plays.
  Mix_Chunk* LoadChunk(const std::string& file) {
    auto it = chunks_.find(file);
    if (it != chunks_.end()) return it->second;
    std::string bytes;
    if (!ReadRegularFile(file, bytes, MaxWavFileBytes)) return nullptr;
    const std::optional<uint64_t> need = WavDecodedBytes(bytes, rate_, static_cast<int>(frameBytes_));
    if (!need || *need > MaxDecodedSoundBytes) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    // The conversion's working buffers (several times the sound's size when
    // it is resampled) are handed back to the system at once, so that the
    // loads of a long game do not add up to the largest of them many times.
    bytes = std::string();
    malloc_trim(0);
    if (!chunk) return nullptr;
    // Whole frames only, so that the offset arithmetic of the passes holds.
    chunk->alen -= chunk->alen % frameBytes_;
    if (chunk->alen == 0 || chunk->alen > MaxDecodedSoundBytes) {
      Mix_FreeChunk(chunk);
      return nullptr;
    }
    // The sounds kept stay under their cap: when this one would pass it,
    // the others are let go (none of them plays: Play halted it).
    if (keptBytes_ + chunk->alen > MaxKeptSoundBytes) {
      for (auto& [path, kept] : chunks_) Mix_FreeChunk(kept);
      chunks_.clear();
      keptBytes_ = 0;
      curChunk_ = nullptr;
    }
    keptBytes_ += chunk->alen;
    chunks_[file] = chunk;
    return chunk;
  }

  Tune* LoadTune(const std::string& file) {
    auto it = tunes_.find(file);
    if (it != tunes_.end()) return &it->second;
    // Loading a MIDI tune loads the whole soundfont, so each tune is loaded
    // once and kept. The mixer reads the tune from its bytes, which are kept
    // with it.
    std::string bytes;
    if (!ReadRegularFile(file, bytes, MaxMusicFileBytes)) return nullptr;
    Tune& t = tunes_[file];
    t.Bytes = std::move(bytes);
    t.Music = Mix_LoadMUS_RW(SDL_RWFromConstMem(t.Bytes.data(), static_cast<int>(t.Bytes.size())), 1);
    if (!t.Music) {
      tunes_.erase(file);
      return nullptr;
    }
    t.Loopable = LoopableTune(t.Bytes);
    if (auto midi = ParseMidi(t.Bytes)) {
      t.Frames = static_cast<uint64_t>(MidiDurationSeconds(*midi) * rate_ + 0.5);
    }
    return &t;
  }

  uint64_t Begin() {
    const uint64_t gen = ++lastGen_;
    Post(SoundReport::Kind::Started, gen);
    return gen;
  }

  // Called with api_ held and the channel idle.
  void StartChunk(uint64_t gen, Mix_Chunk* chunk, bool loop) {
    Mix_UnregisterAllEffects(kChannel);
    effGen_ = gen;
    wavLen_ = chunk->alen;
    wavPos_ = 0;
    wavStarted_ = false;
    wavFinished_ = false;
    stopAtEnd_ = false;
    wavLooping_ = loop;
    curChunk_ = chunk;
    Mix_RegisterEffect(
        kChannel,
        [](int, void* stream, int len, void* self) { static_cast<Engine*>(self)->OnChannelEffect(stream, len); },
        nullptr, this);
    chanGen_ = gen;
    kind_ = Kind::Wav;
    active_ = gen;
    if (Mix_PlayChannel(kChannel, chunk, loop ? -1 : 0) < 0) Fail(gen);
  }

  void Fail(uint64_t gen) {
    uint64_t g = gen;
    active_.compare_exchange_strong(g, 0);
    Final(gen, SoundReport::Kind::Aborted);
  }

  // Stops whatever plays; its end is reported as aborted.
  void HaltCurrent() {
    const uint64_t gen = active_.exchange(0);
    if (Mix_Playing(kChannel)) Mix_HaltChannel(kChannel);
    if (Mix_PlayingMusic()) Mix_HaltMusic();
    if (gen != 0) Final(gen, SoundReport::Kind::Aborted);
  }

  // The play came to its natural end. False when it had been ended already.
  bool Finish(uint64_t gen) {
    uint64_t g = gen;
    if (!active_.compare_exchange_strong(g, 0)) return false;
    Final(gen, SoundReport::Kind::Completed);
    return true;
  }

  // Every play gets one final report: the first one made for it wins.
  void Final(uint64_t gen, SoundReport::Kind what) {
    uint64_t done = finalDone_;
    while (gen > done) {
      if (finalDone_.compare_exchange_weak(done, gen)) {
        Post(what, gen);
        return;
      }
    }
  }

  void Post(SoundReport::Kind what, uint64_t gen) {
    {
      std::lock_guard<std::mutex> lk(reportMu_);
      reports_.push_back({what, gen});
      while (reports_.size() > kMaxReports) reports_.pop_front();
    }
    reportCv_.notify_all();
  }

  void Request(std::atomic<uint64_t>& slot, uint64_t gen) {
    {
      std::lock_guard<std::mutex> lk(workMu_);
      slot = gen;
    }
    workCv_.notify_one();
  }

  // Does for the callbacks what they may not do themselves: halt a sound
  // that has ended its last pass, or start again one that played once while
  // repetition was switched on.
  void WorkerLoop() {
    std::unique_lock<std::mutex> lk(workMu_);
    for (;;) {
      workCv_.wait(lk, [this] { return quit_ || haltReq_ != 0 || restartReq_ != 0; });
      if (quit_) return;
      const uint64_t halt = haltReq_.exchange(0);
      const uint64_t restart = restartReq_.exchange(0);
      lk.unlock();
      {
        std::lock_guard<std::mutex> api(api_);
        if (halt != 0) {
          if (kind_ == Kind::Wav && chanGen_ == halt && Mix_Playing(kChannel)) Mix_HaltChannel(kChannel);
          if (kind_ == Kind::Music && musicGen_ == halt && Mix_PlayingMusic()) Mix_HaltMusic();
        }
        if (restart != 0 && active_ == restart && repeat_) {
          if (kind_ == Kind::Wav && chanGen_ == restart && curChunk_) {
            Post(SoundReport::Kind::Restarted, restart);
            StartChunk(restart, curChunk_, true);
          } else if (kind_ == Kind::Music && musicGen_ == restart && curMusic_) {
            Post(SoundReport::Kind::Restarted, restart);
            musicCut_ = 0;
            musicPasses_ = 0;
            musicStart_ = mixed_.load();
            musicLooping_ = true;
            if (Mix_PlayMusic(curMusic_, -1) != 0) Fail(restart);
          }
        } else if (restart != 0) {
          Finish(restart);
        }
      }
      lk.lock();
    }
  }

  void RampDown(int16_t* s, int len, uint64_t firstFrame, uint64_t totalFrames) {
    const uint64_t ramp = static_cast<uint64_t>(kRampSeconds * rate_);
    const uint64_t frames = static_cast<uint64_t>(len) / frameBytes_;
    if (firstFrame + frames + ramp <= totalFrames) return;
    for (uint64_t f = 0; f < frames; ++f) {
      const uint64_t at = firstFrame + f;
      const uint64_t left = at < totalFrames ? totalFrames - at : 0;
      if (left >= ramp) continue;
      const double gain = double(left) / double(ramp ? ramp : 1);
      for (int c = 0; c < channels_; ++c) s[f * channels_ + c] = static_cast<int16_t>(s[f * channels_ + c] * gain);
    }
  }

  const std::string soundfont_;
  bool owner_ = false;

  std::mutex api_;  // never taken by a mixer callback
  bool triedOpen_ = false;
  bool open_ = false;
  int rate_ = 44100;
  int channels_ = 2;
  bool s16_ = true;
  uint32_t frameBytes_ = 4;
  std::map<std::string, Mix_Chunk*> chunks_;
  uint64_t keptBytes_ = 0;  // the samples of chunks_
  std::map<std::string, Tune> tunes_;
  Mix_Chunk* curChunk_ = nullptr;
  Mix_Music* curMusic_ = nullptr;

  // Shared with the callbacks.
  std::atomic<uint64_t> lastGen_{0};
  std::atomic<uint64_t> active_{0};     // the play that should be sounding; 0 none
  std::atomic<uint64_t> finalDone_{0};  // the latest play given its final report
  std::atomic<bool> repeat_{false};
  std::atomic<Kind> kind_{Kind::None};
  // The channel.
  std::atomic<uint64_t> chanGen_{0};
  std::atomic<bool> wavLooping_{false};
  std::atomic<bool> stopAtEnd_{false};
  // Touched only by the channel effect once the channel plays; set while the
  // channel is idle and published by the mixer's lock in Mix_PlayChannel.
  uint64_t effGen_ = 0;
  uint32_t wavLen_ = 0;
  uint32_t wavPos_ = 0;
  bool wavStarted_ = false;
  bool wavFinished_ = false;
  // The music.
  std::atomic<uint64_t> mixed_{0};  // frames mixed since the device opened
  std::atomic<uint64_t> musicGen_{0};
  std::atomic<uint64_t> musicStart_{0};
  std::atomic<uint64_t> musicFrames_{0};
  std::atomic<uint64_t> musicCut_{0};  // where the last pass ends; 0 none
  std::atomic<uint64_t> musicPasses_{0};
  std::atomic<uint64_t> mutedGen_{0};  // a tune past its last pass, awaiting its halt
  std::atomic<bool> musicLooping_{false};
  std::atomic<bool> musicLoopable_{false};

  // The worker.
  std::thread worker_;
  std::mutex workMu_;
  std::condition_variable workCv_;
  std::atomic<uint64_t> haltReq_{0};
  std::atomic<uint64_t> restartReq_{0};
  bool quit_ = false;

  // The reports.
  std::mutex reportMu_;
  std::condition_variable reportCv_;
  std::deque<SoundReport> reports_;
};

}  // namespace

std::string DefaultSoundFont() {
  static const char* const kCandidates[] = {
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/default-GM.sf2",
      "/usr/share/soundfonts/default.sf2",
  };
  std::error_code ec;
  for (const char* p : kCandidates) {
    if (std::filesystem::is_regular_file(p, ec)) return p;
  }
  return {};
}

struct SdlSoundPlayer::Impl {
  explicit Impl(const std::string& soundfont) : engine(soundfont) {}
  Engine engine;
};

SdlSoundPlayer::SdlSoundPlayer(const std::string& soundfont) : impl_(std::make_unique<Impl>(soundfont)) {}
SdlSoundPlayer::~SdlSoundPlayer() = default;

SoundResult SdlSoundPlayer::Play(const std::string& path, bool repeat) { return impl_->engine.Play(path, repeat); }
void SdlSoundPlayer::Stop() { impl_->engine.Stop(); }
void SdlSoundPlayer::SetRepeat(bool repeat) { impl_->engine.SetRepeat(repeat); }
uint64_t SdlSoundPlayer::Generation() const { return impl_->engine.Generation(); }
bool SdlSoundPlayer::Sounding() const { return impl_->engine.Sounding(); }
std::optional<SoundReport> SdlSoundPlayer::WaitReport(std::chrono::milliseconds timeout) {
  return impl_->engine.WaitReport(timeout);
}

std::unique_ptr<SoundPlayer> MakeSdlSoundPlayer(const std::string& soundfont) {
  return std::make_unique<SdlSoundPlayer>(soundfont.empty() ? DefaultSoundFont() : soundfont);
}

}  // namespace glim
