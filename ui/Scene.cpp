// Composition of the room scene and the carried-objects panel. Everything is
// drawn in the pixel coordinates of the loaded room picture as plain blits;
// pure black in a sprite is transparent on the scene, but copied on the panel.
#include "world/Game.h"

namespace glim {

namespace {

constexpr int CarriedW = 153, CarriedH = 353;

bool LoadSheet(Platform& p, const std::string& path, int cw, int ch, std::vector<Image>& out) {
  out.clear();
  std::string bytes;
  Image sheet;
  if (!p.FileExists(path) || !p.ReadFile(path, bytes) || !DecodePng(bytes, sheet)) return false;
  out = SplitSheet(sheet, cw, ch);
  return true;
}

const Image* Entry(const std::vector<Image>& list, int i) {
  if (i < 0 || static_cast<size_t>(i) >= list.size()) return nullptr;
  return &list[static_cast<size_t>(i)];
}

}  // namespace

void Game::LoadImageLists() {
  if (SpritesFolder == GameFolder) return;
  SpritesFolder = GameFolder;
  const std::string dir = GameFolder + "images/";
  LoadSheet(P, dir + "characters.png", 140, 200, lstCharacters);
  LoadSheet(P, dir + "lying.png", 200, 140, Chars2);
  LoadSheet(P, dir + "objects.png", 32, 32, LstObjImages);
}

// Puts the picture in the file's bytes into the view. Most commands show the
// same room again, so a file whose bytes are those the view was decoded from
// is not decoded a second time; a changed file is, whatever its name.
bool Game::ShowPictureFile(std::string& bytes) {
  if (!View.Empty() && bytes == ViewFile) return true;
  Image pic;
  if (!DecodeJpeg(bytes, pic)) return false;
  View = std::move(pic);
  ViewFile = std::move(bytes);
  return true;
}

void Game::LoadRoomPicture() {
  LoadImageLists();
  const std::string dir = GameFolder + "images/";
  if (CurrentRoom == Room::DarkPassage && BaddieCount >= Baddie::Darkness && CharacterIsHere(Baddie::Darkness))
    PicturePath = dir + "room300.jpg";
  else
    PicturePath = dir + "room" + std::to_string(CurrentRoom) + ".jpg";
  std::string bytes;
  if (P.FileExists(PicturePath)) {
    if (!P.ReadFile(PicturePath, bytes) || !ShowPictureFile(bytes))
      P.MessageBox("File error: No image could be found or loaded for this location");
    return;
  }
  PicturePath = dir + "room0.jpg";
  if (!P.FileExists(PicturePath) || !P.ReadFile(PicturePath, bytes) || !ShowPictureFile(bytes))
    P.MessageBox("Error: The default image could not be loaded");
}

void Game::DrawCharacters(Image& scene) {
  scene = View;
  for (int k = 1; k <= BaddieCount; ++k) {
    const TBaddieRec& b = Baddie(k);
    if (b.Location != CurrentRoom) continue;
    if (b.Lying != 0) {
      if (const Image* im = Entry(Chars2, b.LyingPicture)) Blit(scene, *im, 90, 285, true);
    } else if (const Image* im = Entry(lstCharacters, b.Picture)) {
      if (k == Baddie::Cat)
        Blit(scene, *im, 0, 265, true);
      else
        Blit(scene, *im, 25, 200, true);
    }
  }
}

void Game::DrawObjects(Image& scene) {
  int x = 220;
  for (int k = 1; k <= ObjectCount; ++k) {
    TObjectRec& o = Obj(k);
    if (o.Location != CurrentRoom) continue;
    x += 60;
    o.X = x;
    if (const Image* im = Entry(LstObjImages, k - 1)) Blit(scene, *im, x, o.Y, true);
  }
}

void Game::DrawCarriedPanel() {
  if (Carried.W != CarriedW || Carried.H != CarriedH) Carried = Image(CarriedW, CarriedH);
  FillRect(Carried, 0, 0, 199, 399, 0);
  int n = 1;
  for (int k = 1; k <= ObjectCount; ++k) {
    TObjectRec& o = Obj(k);
    if (o.Location != LocCarried) continue;
    o.X = 70;
    o.Y = 40 * n;
    if (const Image* im = Entry(LstObjImages, k - 1)) Blit(Carried, *im, 70, 40 * n, false);
    ++n;
  }
  P.ShowCarried(Carried);
}

}  // namespace glim
