// The game's sound output: WAV effects and the MIDI music through SDL2_mixer.
//
// Using it from a front end:
//
//   #include "app/sound/SdlSoundPlayer.h"
//   std::unique_ptr<glim::SoundPlayer> sound = glim::MakeSdlSoundPlayer();
//   ...hand sound.get() to the platform, which forwards PlaySoundFile,
//   StopSoundFile and SetSoundRepeat to Play, Stop and SetRepeat.
//
// Link the `glimsound` library (CMake: `if(TARGET glimsound)`
// target_link_libraries(... glimsound)); it exists only where SDL2_mixer was
// found at configure time.
//
// What the player does:
//  - One sound at a time: starting a sound (WAV or MIDI) ends the one before.
//  - A repeating sound loops without a gap, using the mixer's own loop counts
//    (the music loops inside the synthesiser, so it does not wait for the
//    late end-of-music report).
//  - SetRepeat(false) while a repeating sound plays lets it finish the pass
//    it is in and then stop; SetRepeat(true) while a sound plays once makes
//    it start again when it ends.
//  - File names are matched without regard to letter case.
//  - Play returns SoundResult::Missing when the file is not there or cannot
//    be read, and SoundResult::NoDevice when no audio output could be opened
//    (then nothing is played, and every later Play says the same).
//  - The audio device is opened on the first Play; the soundfont is loaded
//    with the music, and every file (music included) is loaded once and kept.
//  - Every play ends with exactly one report: Completed when it came to its
//    natural end, Aborted when it was stopped or replaced. Reports may arise
//    on the mixer's thread; they are queued and read with WaitReport.
//
// SDL_mixer is one per process: only one player may exist at a time (a
// second one reports NoDevice until the first is gone).
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "shell/SoundPlayer.h"

namespace glim {

// The General MIDI soundfont the music is played with: TimGM6mb (Debian's
// timgm6mb-soundfont, 6 MB, loads in a tenth of a second) where installed,
// else another known system soundfont, else an empty string (the music is
// then silent).
std::string DefaultSoundFont();

struct SoundReport {
  enum class Kind {
    Started,    // a play began
    Restarted,  // a repeating sound reached its end and began again
    Completed,  // the play came to its natural end and nothing follows
    Aborted,    // the play was stopped or replaced by another sound
  };
  Kind What = Kind::Started;
  uint64_t Generation = 0;  // which play: every Play gets the next number
};

class SdlSoundPlayer : public SoundPlayer {
 public:
  explicit SdlSoundPlayer(const std::string& soundfont = DefaultSoundFont());
  ~SdlSoundPlayer() override;
  SdlSoundPlayer(const SdlSoundPlayer&) = delete;
  SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

  SoundResult Play(const std::string& path, bool repeat) override;
  void Stop() override;
  void SetRepeat(bool repeat) override;

  // The number of the latest play started (0 before any).
  uint64_t Generation() const;
  // True while a sound is audible (playing and not yet at its end).
  bool Sounding() const;
  // Takes the oldest queued report, waiting up to timeout for one to arrive.
  std::optional<SoundReport> WaitReport(std::chrono::milliseconds timeout);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The player as the platform sees it. soundfont: the .sf2 file for the MIDI
// music (DefaultSoundFont() when empty).
std::unique_ptr<SoundPlayer> MakeSdlSoundPlayer(const std::string& soundfont = {});

}  // namespace glim
