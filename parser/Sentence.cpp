// Sentence analysis and the parser's messages.
#include "world/Game.h"

namespace glim {

void Game::ProcessCommand() {
  PrintLine(CommandLine);
  CommandLine.clear();
}

void Game::AnalyseTwoWords() {}

void Game::AnalyseThreeWords() {}

void Game::AnalyseFourWords() {}

void Game::AnalyseFiveWords() {}

void Game::AssignNouns(int) {}

void Game::ReportParseError() {}

}  // namespace glim
