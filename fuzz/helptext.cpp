// The help pages' reader on any text: the text read as a page and as a
// contents file, the page laid out at several widths (no line wider than
// asked), and a page of the contents chosen by the text.
#include "shell/HelpText.h"

#include "FuzzWorld.h"
#include "ui/TextWrap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  const std::string text = glimfuzz::AsText(data, size);
  const glim::HelpPage page = glim::ParseHelpPage(text, "/sub/page.html");
  for (const std::string& link : page.Links)
    if (link.empty() || link[0] != '/') glimfuzz::Fail("a link that is no path inside the file: " + link);
  for (int width : {0, 1, 9, 40, 80})
    for (const std::string& line : glim::RenderHelpPage(page, width))
      if (width > 0 && glim::TextColumns(line) > width)
        glimfuzz::Fail("a line wider than " + std::to_string(width) + ": " + line);
  const std::vector<glim::HelpEntry> contents = glim::ParseHelpContents(text);
  (void)glim::FindHelpTopic(contents, text.substr(0, 40));
  (void)glim::DecodeEntities(text);
  return 0;
}
