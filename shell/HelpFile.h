// The compiled help file (glimhelp.chm) read with chmlib: its files, its
// title, its table of contents and its pages as text. Kept out of the core
// library, which needs no more than the picture libraries: front ends that
// show the help link the small library glimhelp.
#pragma once

#include <string>
#include <vector>

#include "shell/HelpText.h"

struct chmFile;

namespace glim {

class HelpFile {
 public:
  HelpFile() = default;
  ~HelpFile();
  HelpFile(const HelpFile&) = delete;
  HelpFile& operator=(const HelpFile&) = delete;

  // Opens a help file and reads its title and contents; false when it is
  // not a compiled help file that can be read.
  bool Open(const std::string& path);
  bool IsOpen() const { return h_ != nullptr; }

  // Reads one file of the archive ("/index.html"); names are matched as
  // stored, then without regard to letter case. False for a missing file,
  // one that cannot be read whole, or one of unreasonable size.
  bool Read(const std::string& path, std::string& out) const;
  bool Exists(const std::string& path) const { return !Resolve(path).empty(); }
  // Every file path in the archive.
  std::vector<std::string> Files() const;

  const std::string& Title() const { return title_; }
  const std::string& DefaultTopic() const { return defaultTopic_; }  // "/index.html"
  const std::string& ContentsFile() const { return contentsFile_; }  // "/contents.hhc", or empty
  // The table of contents, depth first.
  const std::vector<HelpEntry>& Contents() const { return contents_; }

  // A page read and converted; false when the page cannot be read.
  bool Page(const std::string& path, HelpPage& page) const;

 private:
  void ReadSystem();
  std::string Resolve(const std::string& path) const;

  ::chmFile* h_ = nullptr;
  std::string title_, defaultTopic_, contentsFile_;
  std::vector<HelpEntry> contents_;
};

}  // namespace glim
