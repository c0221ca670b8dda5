// The details of the frozen wastes, the ice cave and the riddler's castle.
#include "tools/pictures/Elements.h"

namespace pics {

void RegisterNorthlands(Registry& r) {
  (void)r;
}

}  // namespace pics
