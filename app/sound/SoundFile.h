// What the sound player checks before it hands a file to the mixer: the
// caps on a sound's file and on the samples it decodes to, the size a WAV
// file's samples take once converted to the output's format, and whether a
// MIDI tune is one that can be looped.
//
// The caps keep the game's memory small whatever lies in the sounds
// folder (the terminal game plays in under 60 MB with the shipped sounds,
// the soundfont's samples included). The shipped effects are WAV files of
// at most 0.7 MB whose samples take at most 2.6 MB once converted, and the
// title music is a MIDI file of 7 kB:
//  - a WAV file is read only up to 4 MB;
//  - its samples, converted to the output's rate and format, may take at
//    most 4 MB (24 seconds of CD-quality stereo, half as long again as the
//    longest shipped sound): a small file that claims a very low rate (1 Hz)
//    would otherwise be resampled to a gigabyte, and a resampled sound needs
//    a few times its size while it is converted;
//  - the sounds kept for playing again take at most 8 MB together;
//  - a MIDI file is read only up to 256 kB: the synthesiser holds each
//    event of a tune in memory at some 30 times its size in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace glim {

constexpr size_t MaxWavFileBytes = 4u << 20;
constexpr uint64_t MaxDecodedSoundBytes = 4u << 20;
constexpr uint64_t MaxKeptSoundBytes = 8u << 20;
constexpr size_t MaxMusicFileBytes = 256u << 10;

// A tune shorter than this (or one without a note) ends at once: looped, it
// would start again without pause inside the mixer.
constexpr double MinLoopSeconds = 0.25;

// The bytes a RIFF WAVE file's samples take at most once converted to
// `outRate` frames a second of `outFrameBytes` bytes each, or on the way
// there, whichever is more; nullopt when the
// bytes are no RIFF WAVE file with a format and a data chunk, or claim a
// rate, a channel count or a sample size of 0.
std::optional<uint64_t> WavDecodedBytes(const std::string& bytes, int outRate, int outFrameBytes);

// True when the bytes are a MIDI file that plays at least MinLoopSeconds
// and sounds at least one note, so that it can be looped.
bool LoopableTune(const std::string& bytes);

}  // namespace glim
