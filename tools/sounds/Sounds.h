// The game's sounds, as the generator makes them.
#pragma once

#include <string>
#include <vector>

#include "Dsp.h"

namespace gensnd {

struct SoundDef {
  std::string Name;  // the file name in the sounds folder
  Buf (*Make)();
  bool Loop;    // played repeating: must join its own start without a click
  double Peak;  // the loudest sample, as a fraction of full scale
};

// Every synthesised WAV sound.
std::vector<SoundDef> AllSounds();

// The voice of the echoing hall, spoken by espeak-ng and given its echo.
// Empty (with a reason) when espeak-ng cannot be run.
Buf EchoWarn(const std::string& workDir, std::string& why);

// The title music as the bytes of a Standard MIDI File.
std::string TitleMusic();

}  // namespace gensnd
