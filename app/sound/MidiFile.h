// Reading a Standard MIDI File far enough to know how long it plays: the
// tempo map and the time of the last event (the end-of-track marks included),
// which is where a looping player starts the piece again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glim {

struct MidiEvent {
  uint32_t Tick = 0;
  int Track = 0;
  uint8_t Status = 0;         // 0x80..0xEF channel messages, 0xFF meta, 0xF0/0xF7 sysex
  uint8_t Meta = 0;           // meta type when Status is 0xFF
  std::vector<uint8_t> Data;  // the data bytes (meta and sysex: the payload)
};

struct MidiFile {
  int Format = 0;
  int Division = 0;  // ticks per quarter note
  int Tracks = 0;
  std::vector<MidiEvent> Events;  // every event of every track, in track order
  std::vector<bool> TrackEnded;   // each track closed with an end-of-track event
};

// Parses the file's bytes; nullopt (with a reason) when they are not a
// well-formed Standard MIDI File with metrical time.
std::optional<MidiFile> ParseMidi(const std::string& bytes, std::string* why = nullptr);

// Seconds from the start to a tick, following every tempo change of the file.
double MidiTickSeconds(const MidiFile& midi, uint32_t tick);

// Seconds from the start to the last event of any track.
double MidiDurationSeconds(const MidiFile& midi);

}  // namespace glim
