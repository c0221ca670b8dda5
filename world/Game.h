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
#include <string>
#include <vector>

#include "ui/Image.h"
#include "ui/Platform.h"
#include "world/Types.h"

namespace glim {

// The words the parser drops for a qualifier: the whole qualifier when it is
// one word, else the part after its first blank, then the part before it.
std::vector<std::string> QualifierWords(const std::string& qualifier);

class Game : public PlatformEvents {
 public:
  explicit Game(Platform& platform);
  ~Game() override;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Platform& P;

  // ===================== world model =====================
  WList WordLists;
  int32_t VerbCount = 0, AdverbCount = 0, UnrealCount = 0, ObjectCount = 0, BaddieCount = 0, DoorCount = 0, UpCount = 0,
          DownCount = 0;
  Table<TRoom, MaxRooms> Rooms;
  // RoomText[r][l]: description line l (1..5) of room r.
  Table<std::array<std::string, MaxRoomLines + 1>, MaxRooms> RoomText;
  Table<TLink, MaxLinks> UpLinks;
  Table<TLink, MaxLinks> DownLinks;
  Table<TDoor, MaxDoors> Doors;
  std::array<std::string, MaxIgnored> IgnoredWords{};
  int IgnoredFill = 0;  // fill counter of the last BuildIgnoredWords

  int32_t CurrentRoom = 0;
  int32_t CarriedCount = 0;
  int32_t CarryLimit = 0;
  int32_t RoomCount = 0;
  int32_t DoorIndex = 0;
  std::string CommandLine;
  std::string GameFolder;
  std::string PicturePath;
  bool PlayerDirty = false;
  bool PlayerWarm = false;
  bool PlayerInvisible = false;
  bool TrollsScared = false;
  bool WallsStopped = false;
  bool CompanionFollows = false;
  bool DrinkFlag = false;
  bool LockFlag = false;

  // Shortcuts into the vocabulary record.
  TObjectRec& Obj(int o) { return WordLists.Objects[o]; }
  TBaddieRec& Baddie(int k) { return WordLists.Baddies[k]; }
  std::string ObjectPhrase(int o) { return Obj(o).Name + " " + Obj(o).Qualifier; }
  std::string BaddiePhrase(int k) { return Baddie(k).Name + " " + Baddie(k).Qualifier; }

  // Small world operations (world/World.cpp).
  bool IsCarried(int o);
  bool ObjectIsHere(int o);
  bool IsNowhere(int o);
  // How many of the objects 1..ObjectCount are carried: what CarriedCount
  // is set to wherever it could disagree with the objects (after a load, at
  // the start of a game, in the inventory listing).
  int32_t CountCarried();
  void SetObjectLocation(int o, int32_t loc);
  void RemoveObject(int o);
  void PutObjectHere(int o, bool keepPosition);
  void RemoveCharacter(int k);
  void SetCharacterLocation(int k, int32_t room);
  bool CharacterIsHere(int k);
  bool CharacterIsIn(int k, int32_t room);
  bool NounClassIs(int wordClass);

  // ===================== data files and start-up =====================
  // The readers return false when the error they met ends the calling
  // start-up or restart sequence.
  bool LoadWordData(const std::vector<std::string>& lines);
  bool BuildIgnoredWords();
  bool AddIgnoredWord(const std::string& w);
  bool LoadRoomData(const std::vector<std::string>& lines);
  bool LoadDataFiles();
  void InitialiseState();
  void FormActivate();
  void NewGame();

  // ===================== presentation =====================
  void PrintLine(const std::string& text) { P.PrintLine(text); }
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
  void OnEventTimer() override { EventTTimer(); }

  // The event timer EventT: only a change of interval or enabled state
  // touches a running countdown.
  bool EventTEnabled = false;
  int32_t EventTInterval = 10000;
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
  void ObjectCheatClick() { PickUpObjects(); }
  void RoomCheatClick() { RoomJump(); }

  bool FirstActivationDone = false;
  bool InitialFolderWritable = true;
};

}  // namespace glim
