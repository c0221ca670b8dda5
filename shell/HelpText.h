// The help pages as plain text, for front ends without an HTML view: the
// table of contents of the compiled help, a page's HTML turned into headings,
// paragraphs, list items and tables, laid out as lines of a given width, and
// the choice of a page by number or by name. Nothing here reads the help
// file itself (shell/HelpFile.h does) or talks to the player.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace glim {

// One entry of the table of contents, in the contents' order.
struct HelpEntry {
  std::string Name;  // as the contents show it
  std::string File;  // absolute path inside the help file ("/commands.html"), no #anchor
  int Depth = 0;     // 0 for the top level, 1 for a page under it, ...
};

// The entries of a contents file (nested lists of sitemap objects), depth
// first. Entries without a page are left out.
std::vector<HelpEntry> ParseHelpContents(const std::string& hhc);

// A link or picture path of a page as an absolute path inside the help file:
// relative to the page's folder, with "..", "#anchor" and a "file.chm::"
// prefix taken off. Empty for a link that leaves the help (http:, mailto:) or
// only moves within the page.
std::string HelpPathFor(const std::string& pagePath, const std::string& href);

struct HelpBlock {
  enum class Kind { Heading, SubHeading, Text, Item, Table };
  Kind Type = Kind::Text;
  std::string Text;                            // inline text with blanks collapsed; '\n' for a line break
  int Level = 0;                               // a list item's nesting, from 0
  std::string Mark;                            // a list item's bullet or number ("*", "3.")
  bool ListStart = false;                      // the first item of a list that is not inside another
  std::vector<std::vector<std::string>> Rows;  // a table's cells, row by row
  bool HeaderRow = false;                      // the table's first row is its header
};

struct HelpPage {
  std::string Title;
  std::vector<HelpBlock> Blocks;
  // The pages the page links to, as paths inside the help file, each once,
  // in the order the page first names them.
  std::vector<std::string> Links;
};

// Reads a page's HTML. Pictures become "[picture: alt text]", entities are
// decoded (to UTF-8), the head, scripts, styles and the navigation bar that
// every page repeats (class "nav") are left out.
HelpPage ParseHelpPage(const std::string& html, const std::string& pagePath);

// The page as lines of at most `width` columns (0: paragraphs on one line
// each and tables as wide as they need): headings underlined, list items
// with their bullets, tables in aligned columns.
std::vector<std::string> RenderHelpPage(const HelpPage& page, int width);

// Decodes the character and entity references of a text ("&amp;", "&#233;",
// "&mdash;") to UTF-8; an unknown or broken reference is kept as it stands.
std::string DecodeEntities(const std::string& text);

// The page a player means by `choice`: its number in the contents (from 1),
// its name, or the beginning of exactly one name, in any letter case; the
// file name without ".html" also names it. Fills `candidates` with the names
// an ambiguous beginning fits.
std::optional<size_t> FindHelpTopic(const std::vector<HelpEntry>& topics, const std::string& choice,
                                    std::vector<std::string>* candidates = nullptr);

// The entry of the contents that shows `file`, if any.
std::optional<size_t> TopicOfFile(const std::vector<HelpEntry>& topics, const std::string& file);

}  // namespace glim
