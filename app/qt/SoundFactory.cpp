#include "app/qt/SoundFactory.h"

#ifdef GLIM_HAVE_SOUND
#include "app/sound/SdlSoundPlayer.h"
#endif

namespace glim {

std::unique_ptr<SoundPlayer> MakeSoundPlayer() {
#ifdef GLIM_HAVE_SOUND
  return MakeSdlSoundPlayer();
#else
  return nullptr;
#endif
}

}  // namespace glim
