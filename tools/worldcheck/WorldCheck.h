// Consistency checks of the world's two data files, read through the game's
// own readers. Every fault is one line that names the file and the entry.
#pragma once

#include <string>
#include <vector>

namespace worldcheck {

// Checks the word data text and the room data text (whole files, as read
// from disk). Returns the faults found, in a stable order; empty when the
// world is sound.
std::vector<std::string> CheckWorld(const std::string& wordText, const std::string& roomText);

// Reads a whole file as bytes; false when it cannot be read.
bool ReadWhole(const std::string& path, std::string& text);

// Reads glimtext.wdt and glimroom.dat from `folder` and checks them; a file
// that cannot be read is a fault of its own.
std::vector<std::string> CheckFolder(const std::string& folder);

}  // namespace worldcheck
