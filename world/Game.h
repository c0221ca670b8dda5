// The game object: the whole state of one game and every operation on it.
// State is plain data owned here; nothing is global, so several games can run
// side by side. The operations are implemented in the folders by subsystem:
//   world/      world operations, data files, start-up, room presentation
//   ui/         scene composition
//   parser/     command entry, words, sentences, dispatch, movement
//   actions/    verb actions, endings, room events and the pursuit
//   characters/ character reactions and conversation
//   savegame/   saved game files
//   shell/      sound, help, exit and the debugging controls
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "ui/Image.h"
#include "ui/Platform.h"
#include "world/Ids.h"
#include "world/World.h"

namespace glim {

class Game : public PlatformEvents, public World {
 public:
  explicit Game(Platform& platform);
  ~Game() override;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Platform& P;

  // The whole world as one value, for saves, restarts and undo.
  World& world() { return *this; }
  const World& world() const { return *this; }
  PlayerState& Player() { return *this; }

  std::string CommandLine;
  std::string GameFolder;
  std::string PicturePath;

  // Small world operations (world/World.cpp).
  bool IsCarried(int o);
  bool ObjectIsHere(int o);
  bool IsNowhere(int o);
  void SetObjectLocation(int o, int32_t loc);
  void RemoveObject(int o);
  void PutObjectHere(int o, bool keepPosition);
  void RemoveCharacter(int k);
  void SetCharacterLocation(int k, int32_t room);
  bool CharacterIsHere(int k);
  bool CharacterIsIn(int k, int32_t room);
  bool NounClassIs(int wordClass);
  // The refusals the actions on things share, tested in this order: a
  // character named earns NotRecommended, scenery named Silly, a first noun
  // the player does not carry NotCarried, one neither carried nor here
  // FirstNotHere. `needs` picks the tests; with NeedBothNouns the character
  // and scenery tests look at both nouns of the sentence. True, with
  // ParseError set, when the sentence fails one of them.
  enum NounNeed : unsigned {
    NeedNoCharacter = 1,
    NeedNoScenery = 2,
    NeedCarried = 4,
    NeedAtHand = 8,
    NeedBothNouns = 16,
  };
  bool RefuseNouns(unsigned needs);

  // ===================== data files and start-up =====================
  // The readers of world/World.h on this game's world, their errors shown
  // in boxes; false when the error ends the calling start-up or restart.
  bool LoadWordData(const std::vector<std::string>& lines);
  bool BuildIgnoredWords();
  bool LoadRoomData(const std::vector<std::string>& lines);
  bool ShowReport(const ReadReport& report);
  bool LoadDataFiles();
  void InitialiseState();
  void FormActivate();
  void NewGame();

  // ===================== presentation =====================
  void PrintLine(const std::string& text) {
    ++LinesPrinted;
    P.PrintLine(text);
  }
  // The word of the character whose qualifier holds `lower` as a proper
  // name ("rowena" -> "woman"), or "" (parser/Tokenizer.cpp).
  std::string ProperNameOf(const std::string& lower) const;
  // Every line printed so far: the dispatch tells a silent command by it.
  uint64_t LinesPrinted = 0;
  // The room that was shown last, so that a room's standing warnings are
  // printed when the player enters, not again on every look or refused move.
  int32_t LastShownRoom = 0;
  void ClearPanel() { P.ClearPanel(); }
  void WaitSeconds(int s) { P.WaitSeconds(s); }
  void ShowRoom(bool clearPanel);

  // Scene composition (ui/Scene.cpp).
  Image View;            // the room view's current (loaded) picture
  std::string ViewFile;  // the bytes View was decoded from: the same file is not decoded again
  Image Composed;        // ShowRoom's scene, kept so that each showing reuses its pixels
  Image Carried;         // the carried-objects panel, 153 x 353
  std::vector<Image> lstCharacters, Chars2, LstObjImages;
  std::string SpritesFolder;  // folder the image lists were loaded from
  void LoadImageLists();
  void LoadRoomPicture();
  bool ShowPictureFile(std::string& bytes);
  void DrawCharacters(Image& scene);
  void DrawObjects(Image& scene);
  void DrawCarriedPanel();

  // ===================== parser =====================
  std::array<std::string, 6> Words{};  // slots 1..5
  // Words of the current line that SplitCommand dropped because they are
  // qualifier words (empty tokens are not counted).
  int DroppedWords = 0;
  int32_t WordPosition = 0;
  std::array<uint8_t, 6> WordClass{};
  std::array<int32_t, 6> WordNumber{};
  std::array<bool, 5> WordFound{};
  int32_t ParseError = 0;
  int32_t AdverbNumber = 0;
  int32_t VerbNumber = 0;
  int32_t FirstNoun = 0;
  uint8_t FirstNounClass = 0;
  int32_t SecondNoun = 0;
  uint8_t SecondNounClass = 0;
  uint8_t LastDirection = 0;
  bool CommandRunning = false;  // a command is in progress (see ProcessCommand)
  // How many nouns the current sentence names (0, 1 or 2). With one noun the
  // second-noun fields still hold the command before's, so an action that
  // needs a second noun asks this first (actions/TakeDrop.cpp).
  int SentenceNounCount() const;

  // Command entry handlers (parser/CommandEntry.cpp).
  void txtCommandKeyDown(const std::string& fieldText);
  void CommandButton(const std::string& text);  // the direction and help buttons
  void spbNorthClick() { CommandButton("n"); }
  void spbSouthClick() { CommandButton("s"); }
  void spbEastClick() { CommandButton("e"); }
  void spbWestClick() { CommandButton("w"); }
  void spbHelpClick() { CommandButton("help"); }
  void imgViewMouseUp(int x, int y);                // picture coordinates
  void imgCarriedMouseUp(int x, int y, bool left);  // panel coordinates
  void mnuFile_OpenClick();
  void mnuFile_SaveClick();
  void mnuFile_NewClick();
  void mnuAbout_aboutClick();
  void mnuFile_ExitClick();

  // Words (parser/Tokenizer.cpp).
  int SplitCommand(const std::string& text);
  void LookupWord(const std::string& word, int wordClass);
  void LookupNoun(int position);
  bool NounFound();

  // Sentences (parser/Sentence.cpp).
  void ProcessCommand();
  bool VerbLeftAlone() const;
  void AnalyseTwoWords();
  void AnalyseThreeWords();
  void AnalyseFourWords();
  void AnalyseFiveWords();
  void AssignNouns(int count);
  void ReportParseError();

  // Dispatch (parser/Dispatch.cpp).
  void SingleWordCommand();
  void DispatchVerb();

  // Movement (parser/Movement.cpp).
  void MovePlayer(const std::string& letter);
  bool BlockedByCharacter(int direction);
  bool CheckDoor(int direction);
  void GoUp();
  void GoDown();
  void RunAway();
  void Shout();

  // ===================== actions =====================
  void Take();
  void Drop();
  void TakeObject(int o);
  void DropObject(int o);
  bool AddToCarried(int o);
  void ShowInventory();
  void Examine();
  void Read();
  void Unlock();
  void Lock();
  void Insert();
  void InsertObject(int o);
  void Ram();
  void Light();
  void Use();
  void Pour();
  void Eat();
  void Drink();
  void DrinkFrom(int o);
  void Wash();
  void Clean();
  void Wear();
  void Place();
  void Break();
  void BreakIce();
  void Attack();
  void Victory();
  void PlayerDies();
  // A wait inside an action or an event lets the event timer run, and so
  // possibly kill the player. DeathCount tells an action that its world was
  // replaced during a wait; PlayerDying tells the pursuit that the player is
  // already dying and cannot be killed a second time.
  int32_t DeathCount = 0;
  bool PlayerDying = false;
  void DieAfterPause(int seconds);
  void RoomEvents();
  void Pursuit();
  void EventTTimer();
  void OnEventTimer() override;

  // The event timer EventT (its state is in the world): only a change of
  // interval or enabled state touches a running countdown.
  void SetEventT(bool enabled, int32_t intervalMs);

  // ===================== characters =====================
  void BaddieAction(int k);
  void SpeakerLine(int k);
  // The allies and quest givers, each run by BaddieAction after its
  // speaker line (characters/Allies.cpp).
  void WomanActs();      // 6
  void BeggarActs();     // 14
  void OldManActs();     // 15
  void RiddlerActs();    // 16
  void RingOwnerActs();  // 19
  void GhostActs();      // 20
  void CatActs();        // 23
  void TalkTo();
  void Bribe();
  void CallCat();

  // ===================== saved games =====================
  FileDialogSpec LoadGSpec() const;
  FileDialogSpec GameSSpec() const;
  std::string SaveFolder() const;
  void SaveGame();
  bool LoadGame();

  // ===================== shell =====================
  bool RepeatSound = false;
  bool NoDeviceReported = false;
  void PlaySound(const std::string& fileName, bool repeat);
  void StopSound();
  void SetRepeatSound(bool repeat);
  void ShowHelp();
  void ConfirmExit();
  void PickUpObjects();
  void RoomJump();
  void ObjectCheatClick();
  void RoomCheatClick();

  bool FirstActivationDone = false;
  bool InitialFolderWritable = true;
  // Both data files were found and read to their end by the last start-up
  // or restart; without them there is no game to save.
  bool DataFilesLoaded = false;

  // ===================== undo and redo (world/Undo.cpp) =====================
  // A game at one moment: its world and the event timer's time left (-1
  // when the timer is not armed).
  struct Snapshot {
    World State;
    int TimerLeftMs = -1;
  };
  static constexpr size_t MaxUndoSteps = 100;
  // The steps that can be taken back, the oldest first, and the steps taken
  // back that can be taken again, the last taken back last.
  std::deque<Snapshot> UndoSteps, RedoSteps;
  // How many restarts (deaths and New) this run has seen.
  int32_t RestartCount = 0;
  // A step the player can take back: every command, button, click, New and
  // Load runs between BeginStep and EndStep (steps inside a step are part
  // of it). A step that leaves the world as it found it is not kept.
  void BeginStep();
  void EndStep();
  struct StepScope {
    Game& g;
    explicit StepScope(Game& game) : g(game) { g.BeginStep(); }
    ~StepScope() { g.EndStep(); }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;
  };
  Snapshot TakeSnapshot();
  // Back to the moment before the last step, and forward again; the room is
  // shown as after a load. Both are refused (false) while a command runs or
  // the player is dying, and when there is nothing to go back or forward to.
  bool Undo();
  bool Redo();

 private:
  bool StepAcross(std::deque<Snapshot>& from, std::deque<Snapshot>& to);
  void Restore(Snapshot s);
  void SetUndoHint(UndoHint hint);
  int stepDepth_ = 0;
  Snapshot stepStart_;
  int32_t stepDeaths_ = 0, stepRestarts_ = 0;
  UndoHint undoHint_ = UndoHint::None;
};

}  // namespace glim
