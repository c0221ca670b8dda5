// A real sound output behind the platform's sound operations (one sound at a
// time). Front ends that can make sound hand one of these to their platform.
#pragma once

#include <string>

#include "ui/Platform.h"

namespace glim {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual SoundResult Play(const std::string& path, bool repeat) = 0;
  virtual void Stop() = 0;
  virtual void SetRepeat(bool repeat) = 0;
};

// Finds path, or a file in the same folder whose name differs from it only in
// letter case ("Paper1.wav" finds "paper1.wav"). Empty when there is none.
std::string ResolveNoCase(const std::string& path);

}  // namespace glim
