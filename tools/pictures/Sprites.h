// The character pictures, the object icons and the small pictures of the
// window: each list in the order of the game's image lists.
#pragma once

#include <vector>

#include "tools/pictures/Canvas.h"

namespace pics {

// Upright pictures, 140 x 200: index k-1 shows character k (k = 1..22); the
// cat (character 23) uses index 6, the slot of character 7, who never appears.
constexpr int CatPicture = 6;
std::vector<glim::Image> CharacterPictures();
// Lying pictures, 200 x 140: 0 the sleeping caveman, 1 the dead guard.
std::vector<glim::Image> LyingPictures();
// Object icons, 32 x 32: icon k-1 shows object k; 51 in all.
std::vector<glim::Image> ObjectIcons();
// The direction and help buttons (23 x 22), enabled and disabled.
struct ButtonPictures {
  const char* name;
  glim::Image on, off;
};
std::vector<ButtonPictures> Buttons();
// The application icon at the given size.
glim::Image AppIcon(int size);
// The 800 x 600 title picture.
glim::Image TitlePicture();

// Cells side by side in one row.
glim::Image Strip(const std::vector<glim::Image>& cells);

}  // namespace pics
