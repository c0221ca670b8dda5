// Using items: light, use, pour, eat, drink, wash, clean, wear, place, break.
#include "world/Game.h"

namespace glim {

void Game::Light() {}

void Game::Use() {}

void Game::Pour() {}

void Game::Eat() {}

void Game::Drink() {}

void Game::DrinkFrom(int) {}

void Game::Wash() {}

void Game::Clean() {}

void Game::Wear() {}

void Game::Place() {}

void Game::Break() {}

void Game::BreakIce() {}

}  // namespace glim
