// Sound and music: one sound at a time through the platform's player.
#include "world/Game.h"

namespace glim {

void Game::PlaySound(const std::string& fileName, bool repeat) {
  RepeatSound = repeat;
  const std::string path = GameFolder + "sounds/" + fileName;
  switch (P.PlaySoundFile(path, repeat)) {
    case SoundResult::Ok: break;
    case SoundResult::Missing: P.MessageBox("Can't find Sound file " + path); break;
    case SoundResult::NoDevice:
      // Without any audio output the game goes on silently; saying so once,
      // without a box to click, is enough.
      if (!NoDeviceReported) {
        NoDeviceReported = true;
        P.Notice("No sound device could be opened, so the game will continue without sound");
      }
      break;
  }
}

void Game::StopSound() { P.StopSoundFile(); }

void Game::SetRepeatSound(bool repeat) {
  RepeatSound = repeat;
  P.SetSoundRepeat(repeat);
}

}  // namespace glim
