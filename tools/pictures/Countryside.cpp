// The details of the tower and its garden, the orchard, the woods, the meadows and the enchanted woods.
#include "tools/pictures/Elements.h"

namespace pics {

void RegisterCountryside(Registry& r) {
  (void)r;
}

}  // namespace pics
