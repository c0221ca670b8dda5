// The sound output of the desktop window.
#pragma once

#include <memory>

#include "shell/SoundPlayer.h"

namespace glim {

// The real sound player when the game is built with one; otherwise none,
// and the window only checks that a sound file is there.
std::unique_ptr<SoundPlayer> MakeSoundPlayer();

}  // namespace glim
