// The details of the deep caves, the four doors and the Keeper's palace.
#include "tools/pictures/Elements.h"

namespace pics {

void RegisterUnderworld(Registry& r) {
  (void)r;
}

}  // namespace pics
