// The details of the cliff and the village, the mountain and the tunnels.
#include "tools/pictures/Elements.h"

namespace pics {

void RegisterHighlands(Registry& r) {
  (void)r;
}

}  // namespace pics
