// Paints and writes every picture: the room pictures, the sprite sheets, the
// window's small pictures, the application icon, the title, the contact
// sheets and the pictures of the help.
#include "tools/pictures/Assets.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "tools/pictures/Scene.h"
#include "tools/pictures/Sprites.h"

namespace pics {

namespace {

void MakeDirs(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i)
    if (i == path.size() || path[i] == '/') mkdir(path.substr(0, i).c_str(), 0755);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> out;
  std::ifstream f(path, std::ios::binary);
  std::string line;
  while (std::getline(f, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> SplitTabs(const std::string& s) {
  std::vector<std::string> out;
  std::stringstream ss(s);
  std::string cell;
  while (std::getline(ss, cell, '\t')) out.push_back(cell);
  return out;
}

int ToInt(const std::string& s, int def) {
  try {
    size_t used = 0;
    const int v = std::stoi(s, &used);
    return used == s.size() ? v : def;
  } catch (...) {
    return def;
  }
}

// The rooms of the room data file with their description lines.
std::map<int, std::string> RoomTexts(const std::string& path) {
  std::map<int, std::string> out;
  const std::vector<std::string> L = ReadLines(path);
  if (L.empty()) return out;
  const int count = ToInt(L[0], 0);
  size_t i = 1;
  for (int r = 1; r < count && i + 5 <= L.size(); ++r) {
    const int lines = ToInt(L[i + 4], -1);
    if (lines < 1 || lines > 6) break;
    std::string text;
    for (int l = 0; l < lines - 1 && i + 5 + l < L.size(); ++l) text += (l ? " " : "") + L[i + 5 + l];
    out[r] = text;
    i += 5 + static_cast<size_t>(lines - 1);
  }
  return out;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool Says(const std::string& text, std::initializer_list<const char*> words) {
  for (const char* w : words)
    if (text.find(w) != std::string::npos) return true;
  return false;
}

}  // namespace

// The palette name of a region as the room list spells it.
static std::string RegionKey(const std::string& name) {
  const std::string n = Lower(name);
  if (n == "frozen wastes") return "frozen";
  if (n == "ice cave") return "icecave";
  if (n == "four doors") return "doors";
  if (n == "deep caves") return "deepcaves";
  if (n == "enchanted woods") return "enchanted";
  return n;
}

RoomScene SceneFromWords(const std::string& regionIn, const std::string& textIn) {
  const std::string t = Lower(textIn);
  std::string region = regionIn.empty() ? "land" : RegionKey(regionIn);
  std::string e;
  const bool snowy = Says(t, {"snow", "frozen", "ice", "icy", "frost"}) || region == "frozen";
  const bool inside = Says(t, {"room", "hall", "chamber", "kitchen", "cell", "corridor", "inside", "bedroom", "library",
                               "throne", "study", "cellar", "prison"});
  const bool underground = Says(t, {"tunnel", "passage", "cave", "cavern", "mine", "underground", "grotto"});
  if (Says(t, {"ice cave", "cave of ice", "ice cavern"})) {
    region = "icecave";
    e = "cave:kind=ice icicles crystals";
  } else if (underground) {
    e = Says(t, {"cave", "cavern", "grotto"}) ? "cave" : (Says(t, {"mine"}) ? "tunnel:kind=mine" : "tunnel");
    if (snowy) e = "cave:kind=ice icicles";
    if (!snowy) e += " torch:x=470,y=120";
  } else if (inside) {
    std::string wall = "stone", floor = "stone";
    if (Says(t, {"wooden", "cottage", "hut", "cabin", "kitchen"})) {
      wall = "wood";
      floor = "wood";
    }
    if (Says(t, {"marble", "palace", "throne"})) {
      wall = "marble";
      floor = "tile";
    }
    if (snowy) {
      wall = "ice";
      floor = "ice";
    }
    e = "room:wall=" + wall + ",floor=" + floor;
    if (Says(t, {"window"})) e += " window:x=390";
    if (Says(t, {"fire", "hearth"})) e += " fireplace:x=250";
    if (Says(t, {"book", "library", "shelves"})) e += " shelves:x=430";
    if (Says(t, {"bed"})) e += " bed";
    if (Says(t, {"table", "feast"})) e += std::string(" table:x=430,y=300") + (Says(t, {"feast"}) ? ",feast=1" : "");
    if (Says(t, {"throne"})) e += " throne";
    if (Says(t, {"pillar", "column"})) e += " pillars";
    if (Says(t, {"bars", "cell", "prison"})) e += " bars";
    if (Says(t, {"four doors"}))
      e += " doors:n=4";
    else if (Says(t, {"door"}))
      e += " door";
    if (Says(t, {"stair", "steps"})) e += " stairs:x=430";
    if (!Says(t, {"fire"})) e += " torch:x=160,y=120 torch:x=440,y=120";
  } else {
    std::string sky = "day";
    if (Says(t, {"night", "moon", "stars"})) sky = "night";
    if (Says(t, {"dusk", "sunset", "evening"})) sky = "dusk";
    if (Says(t, {"storm", "blizzard", "grey", "gray"}) || snowy) sky = "grey";
    if (region == "palace" || region == "castle") sky = "dusk";
    e = "sky:kind=" + sky;
    if (Says(t, {"mountain", "peak", "ridge", "pass"}) || region == "mountain" || snowy)
      e += std::string(" mountains") + (snowy ? ":far=0.4" : "");
    e += snowy ? " hills:snow=1" : " hills";
    e += std::string(" ground:kind=") + (snowy ? "snow" : (Says(t, {"rock", "stone", "boulder"}) ? "rock" : "grass"));
    if (Says(t, {"forest", "wood", "trees"}))
      e += " forest";
    else if (!snowy)
      e += " treeline";
    if (Says(t, {"lake", "pond", "pool"})) e += " lake";
    if (Says(t, {"sea", "ocean", "shore"})) e += " sea";
    if (Says(t, {"river", "stream", "brook"})) e += " river";
    if (Says(t, {"path", "track", "road", "lane"})) e += std::string(" path") + (snowy ? ":kind=snow" : "");
    if (Says(t, {"waterfall"})) e += " waterfall";
    if (Says(t, {"cliff", "ledge", "edge"})) e += " cliff";
    if (Says(t, {"chasm", "gorge", "abyss", "crevasse", "gap"})) e += " chasm";
    if (Says(t, {"bridge", "plank"})) e += " bridge";
    if (Says(t, {"village", "houses", "cottages"}))
      e += snowy ? " village:snow=1" : " village";
    else if (Says(t, {"cottage", "hut", "house"}))
      e += " cottage";
    if (Says(t, {"market", "stall"})) e += " stalls bunting";
    if (Says(t, {"castle", "fortress", "keep", "battlement"})) e += " castle";
    if (Says(t, {"tower"})) e += " tower:x=480";
    if (Says(t, {"palace"})) e += " palace";
    if (Says(t, {"well"})) e += " well";
    if (Says(t, {"sign"})) e += " signpost";
    if (Says(t, {"grave", "tomb"})) e += " graves";
    if (Says(t, {"rose", "flower", "meadow"})) e += " bushes:roses=1 flowers";
    if (Says(t, {"pine", "fir"}))
      e += std::string(" pines") + (snowy ? ":snow=1" : "");
    else if (Says(t, {"tree"}) && !Says(t, {"forest", "trees"}))
      e += " trees";
    if (Says(t, {"rock", "boulder", "stone"})) e += " rocks";
    if (Says(t, {"cave"})) e += " cavemouth";
    if (snowy) e += " drifts snowfall";
    if (Says(t, {"mist", "fog"})) e += " mist";
  }
  if (Says(t, {"dark", "pitch black"}) && !Says(t, {"darkness"})) e += " dark:k=0.4";
  return {region, e, true};
}

std::map<int, RoomScene> RoomScenes(const std::string& root) {
  std::map<int, RoomScene> out;
  const std::map<int, std::string> texts = RoomTexts(root + "/data/glimroom.dat");
  std::map<int, std::pair<std::string, std::string>> described;
  for (const std::string& line : ReadLines(root + "/docs/rooms.tsv")) {
    const auto cells = SplitTabs(line);
    if (cells.size() < 3) continue;
    const int room = ToInt(cells[0], -1);
    if (room >= 0) described[room] = {cells[1], cells[2]};
  }
  std::map<int, RoomScene> written;
  for (const std::string& line : ReadLines(root + "/tools/pictures/scenes.tsv")) {
    if (line.empty() || line[0] == '#') continue;
    const auto cells = SplitTabs(line);
    if (cells.size() < 3) continue;
    const int room = ToInt(cells[0], -1);
    if (room >= 0) written[room] = {cells[1], cells[2], false};
  }
  std::set<int> rooms;
  for (const auto& [r, t] : texts) rooms.insert(r);
  for (const auto& [r, d] : described) rooms.insert(r);
  rooms.insert(0);
  for (int r : rooms) {
    if (auto w = written.find(r); w != written.end()) {
      out[r] = w->second;
    } else if (auto d = described.find(r); d != described.end()) {
      out[r] = SceneFromWords(d->second.first, d->second.second + " " + (texts.count(r) ? texts.at(r) : ""));
    } else if (auto t = texts.find(r); t != texts.end()) {
      out[r] = SceneFromWords("", t->second);
    } else {
      out[r] = {"land", "sky:kind=grey mountains:far=0.7 hills ground treeline mist:k=0.6", false};
    }
  }
  return out;
}

namespace {

// A picture scaled down by averaging, for contact sheets.
glim::Image Shrink(const glim::Image& src, int w, int h) {
  glim::Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int x0 = x * src.W / w, x1 = std::max(x0 + 1, (x + 1) * src.W / w);
      const int y0 = y * src.H / h, y1 = std::max(y0 + 1, (y + 1) * src.H / h);
      uint32_t r = 0, g = 0, b = 0, n = 0;
      for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) {
          const uint32_t p = src.At(xx, yy);
          r += (p >> 16) & 255;
          g += (p >> 8) & 255;
          b += p & 255;
          ++n;
        }
      out.At(x, y) = ((r / n) << 16) | ((g / n) << 8) | (b / n);
    }
  return out;
}

glim::Image Enlarge(const glim::Image& src, int k) {
  glim::Image out(src.W * k, src.H * k);
  for (int y = 0; y < out.H; ++y)
    for (int x = 0; x < out.W; ++x) out.At(x, y) = src.At(x / k, y / k);
  return out;
}

void Label(glim::Image& img, const std::string& text, int x, int y, int h, uint32_t colour) {
  Canvas cv(static_cast<int>(TextWidth(text, static_cast<float>(h))) + 4, h + 4, {}, 0);
  DrawText(cv, text, 2, 2, static_cast<float>(h), std::max(0.6f, h / 11.f), Flat(Hex(colour)));
  glim::Blit(img, cv.ToSprite(false), x, y, true);
}

// Sprites shown on a grey checkerboard, so that their transparent black can
// be told from black that shows.
glim::Image OnChecker(const glim::Image& sprite) {
  glim::Image out(sprite.W, sprite.H);
  for (int y = 0; y < out.H; ++y)
    for (int x = 0; x < out.W; ++x) {
      const uint32_t p = sprite.At(x, y);
      out.At(x, y) = p ? p : (((x / 8 + y / 8) % 2) ? 0x6a6a72u : 0x8a8a92u);
    }
  return out;
}

bool Save(const std::string& path, const glim::Image& img, bool& ok) {
  const bool done =
      path.size() > 4 && path.substr(path.size() - 4) == ".jpg" ? SaveJpeg(path, img, 90) : SavePng(path, img);
  if (!done) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  ok = ok && done;
  return done;
}

// A sprite with its black as transparent, for a page whose background is
// not black.
glim::Image Transparent(const glim::Image& sprite) {
  glim::Image out(sprite.W, sprite.H);
  for (size_t i = 0; i < out.Px.size(); ++i) out.Px[i] = sprite.Px[i] ? (0xff000000u | sprite.Px[i]) : 0u;
  return out;
}

}  // namespace

bool MakeAll(const std::string& root, bool roomsOnly) {
  bool ok = true;
  const std::string img = root + "/data/images/";
  MakeDirs(img);
  MakeDirs(root + "/docs");
  MakeDirs(root + "/help/images");
  const std::map<int, RoomScene> scenes = RoomScenes(root);
  std::map<int, glim::Image> rooms;
  std::vector<int> guessed;
  for (const auto& [r, sc] : scenes) {
    std::vector<std::string> unknown;
    rooms[r] = PaintScene(sc.region, sc.elements, 1000u + static_cast<uint32_t>(r), &unknown);
    for (auto& u : unknown) std::fprintf(stderr, "room %d: unknown element %s\n", r, u.c_str());
    if (sc.fromText && r != 0) guessed.push_back(r);
    Save(img + "room" + std::to_string(r) + ".jpg", rooms[r], ok);
  }
  // Room 82 while the darkness fills it.
  {
    const RoomScene sc = scenes.count(82) ? scenes.at(82) : RoomScene{"tunnels", "tunnel torch:x=470,y=120", false};
    rooms[300] = PaintScene(sc.region, sc.elements + " dark:k=0.82", 1082u);
    Save(img + "room300.jpg", rooms[300], ok);
  }
  if (!guessed.empty()) {
    std::fprintf(stderr, "rooms painted from their words (no line in scenes.tsv):");
    for (int r : guessed) std::fprintf(stderr, " %d", r);
    std::fprintf(stderr, "\n");
  }
  // Contact sheet of the rooms: 6 to a row, each with its number.
  {
    const int tw = 200, th = 125, cols = 6, pad = 18;
    const int n = static_cast<int>(rooms.size()), rowsN = (n + cols - 1) / cols;
    glim::Image sheet(cols * (tw + 6) + 6, rowsN * (th + pad + 4) + 6, 0x202024);
    int i = 0;
    for (const auto& [r, pic] : rooms) {
      const int x = 6 + (i % cols) * (tw + 6), y = 6 + (i / cols) * (th + pad + 4);
      glim::Blit(sheet, Shrink(pic, tw, th), x, y + pad, false);
      Label(sheet,
            (r == 300 ? std::string("300 (82 DARK)") : std::to_string(r)) + " " +
                (scenes.count(r) ? scenes.at(r).region : "land"),
            x, y + 2, 11, scenes.count(r) && scenes.at(r).fromText ? 0xff9060 : 0xe8e8e8);
      ++i;
    }
    Save(root + "/docs/contact-rooms.png", sheet, ok);
  }
  if (roomsOnly) return ok;

  const auto chars = CharacterPictures();
  const auto lying = LyingPictures();
  const auto icons = ObjectIcons();
  const auto buttons = Buttons();
  Save(img + "characters.png", Strip(chars), ok);
  Save(img + "lying.png", Strip(lying), ok);
  Save(img + "objects.png", Strip(icons), ok);
  for (const auto& b : buttons) {
    Save(img + "btn_" + b.name + ".png", b.on, ok);
    Save(img + "btn_" + b.name + "_off.png", b.off, ok);
  }
  const glim::Image title = TitlePicture();
  Save(img + "title.png", title, ok);
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const std::string dir = root + "/data/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
    MakeDirs(dir);
    if (!SavePngRgba(dir + "/glimmerhold.png", AppIcon(size))) {
      std::fprintf(stderr, "cannot write the %d icon\n", size);
      ok = false;
    }
  }

  // Contact sheet of the sprites, the icons, the buttons and the title.
  {
    glim::Image sheet(11 * 146 + 6, 1260, 0x202024);
    for (size_t i = 0; i < chars.size(); ++i) {
      const int x = 6 + static_cast<int>(i % 11) * 146, y = 22 + static_cast<int>(i / 11) * 226;
      Label(sheet, std::to_string(i), x, y - 16, 11, 0xe8e8e8);
      glim::Blit(sheet, OnChecker(chars[i]), x, y, false);
    }
    for (size_t i = 0; i < lying.size(); ++i) {
      Label(sheet, "LYING " + std::to_string(i), 6 + static_cast<int>(i) * 210, 470, 11, 0xe8e8e8);
      glim::Blit(sheet, OnChecker(lying[i]), 6 + static_cast<int>(i) * 210, 486, false);
    }
    for (size_t i = 0; i < icons.size(); ++i) {
      const int x = 6 + static_cast<int>(i % 17) * 94, y = 660 + static_cast<int>(i / 17) * 92;
      Label(sheet, std::to_string(i + 1), x, y - 15, 10, 0xe8e8e8);
      glim::Blit(sheet, Enlarge(OnChecker(icons[i]), 2), x, y, false);
      glim::Blit(sheet, icons[i], x + 70, y + 32, false);
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
      glim::Blit(sheet, Enlarge(buttons[i].on, 3), 440 + static_cast<int>(i) * 160, 480, false);
      glim::Blit(sheet, Enlarge(buttons[i].off, 3), 515 + static_cast<int>(i) * 160, 480, false);
    }
    int ix = 1240;
    for (int size : {16, 32, 48, 64, 128}) {
      const glim::Image a = AppIcon(size);
      glim::Image flat(size, size);
      for (size_t p = 0; p < a.Px.size(); ++p) {
        const uint32_t al = a.Px[p] >> 24, c = a.Px[p];
        auto ch = [&](int sh) { return (((c >> sh) & 255) * al + 0x30 * (255 - al)) / 255; };
        flat.Px[p] = (ch(16) << 16) | (ch(8) << 8) | ch(0);
      }
      glim::Blit(sheet, flat, ix, 600 - size, false);
      ix += size + 12;
    }
    glim::Blit(sheet, Shrink(title, 400, 300), 6, 950, false);
    Save(root + "/docs/contact-sprites.png", sheet, ok);
  }

  // Pictures for the help pages.
  const std::string help = root + "/help/images/";
  // help/images/window.png is a screenshot of the real window, taken with
  // app/qt/tests/help_window_picture.sh.
  Save(help + "title.png", Shrink(title, 400, 300), ok);
  for (const auto& b : buttons) Save(help + "btn_" + b.name + ".png", b.on, ok);
  glim::Image panel(153, 200, 0);
  for (int i = 0; i < 4; ++i)
    glim::Blit(panel, icons[static_cast<size_t>(std::vector<int>{2, 9, 12, 43}[static_cast<size_t>(i)])], 70,
               40 * (i + 1) - 20, false);
  Save(help + "carried.png", panel, ok);
  if (!SavePngRgba(help + "cat.png", Transparent(chars[CatPicture]))) {
    std::fprintf(stderr, "cannot write %scat.png\n", help.c_str());
    ok = false;
  }
  return ok;
}

}  // namespace pics
