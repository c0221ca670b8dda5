// The elements a scene line is made of, shared by the files that paint them.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "tools/pictures/Scene.h"

namespace pics {

using Painter = std::function<void(Scene&, const Element&)>;
using Registry = std::map<std::string, Painter>;

void RegisterOutdoor(Registry& r);
void RegisterIndoor(Registry& r);
void RegisterBuildings(Registry& r);
// The details of each part of the world, one file a part.
void RegisterCountryside(Registry& r);  // rooms of the tower, orchard, woods, meadows
void RegisterHighlands(Registry& r);    // village, mountain, tunnels
void RegisterNorthlands(Registry& r);   // frozen wastes, ice cave, castle
void RegisterUnderworld(Registry& r);   // deep caves, the four doors, palace

// Shared helpers.
// Mixes a colour towards the low sky with distance (0 near .. 1 far).
Col Haze(const Scene& s, Col c, float far);
// A leafy crown of blobs round (cx, cy) of radius r.
void Crown(Scene& s, float cx, float cy, float r, Col leaf, Col dark, int blobs);
// A broad-leafed tree standing at (x, y) of height about 200*k.
void Tree(Scene& s, float x, float y, float k, Col leaf, Col dark, bool bare = false);
void Pine(Scene& s, float x, float y, float k, bool snowy);
void Boulder(Scene& s, float x, float y, float rx, float ry, Col c);
void Flame(Scene& s, float x, float y, float k);
// A plank texture running along direction (dx, dy).
Shader Planks(Col c, float spacing, bool vertical, uint32_t seed);
// Stone blocks of the given size, with mortar.
Shader Stones(Col c, Col mortar, float bw, float bh, uint32_t seed);

}  // namespace pics
