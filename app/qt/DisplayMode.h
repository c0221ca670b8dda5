// The display mode of an X11 screen through XRandR: the game's window is laid
// out for 800 x 600, so where the display offers that mode the game switches
// to it for the run and puts the recorded mode back when it closes.
//
// A switched display must never outlive the game, so the switch is guarded
// twice: a small guard process (this program started again with
// --display-guard) waits on a pipe and puts the recorded mode back if the game
// dies without having done so itself (a crash, or a kill that no handler can
// catch); and the game's own signal handlers turn SIGINT, SIGTERM, SIGHUP and
// SIGQUIT into an orderly close.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glim {

// One screen's layout as RandR sets it: the screen size and the CRTC that
// drives the primary output.
struct RandrState {
  int ScreenWidth = 0, ScreenHeight = 0, ScreenMmWidth = 0, ScreenMmHeight = 0;
  unsigned long Crtc = 0, Mode = 0;
  int X = 0, Y = 0;
  int Rotation = 1;
  std::vector<unsigned long> Outputs;

  std::string Encode() const;
  bool Decode(const std::string& line);
};

class DisplayMode {
 public:
  DisplayMode();
  ~DisplayMode();  // puts the recorded mode back if it is still switched
  DisplayMode(const DisplayMode&) = delete;
  DisplayMode& operator=(const DisplayMode&) = delete;

  // Connects to the X display named by DISPLAY (or displayName) and checks
  // for RandR 1.2. False where there is no X display or no RandR; then
  // nothing else does anything.
  bool Open(const std::string& displayName = "");
  bool IsOpen() const { return dpy_ != nullptr; }

  // Records the screen size, the colour depth in bits per pixel and the
  // refresh rate of the mode now in use.
  void Record();
  // A mode of the primary output with this size, at this colour depth.
  bool Available(int width, int height, int bitsPerPixel);
  // Switches the primary output to a mode of this size (the one nearest
  // refreshRate, unless it is 0 or 1). RandR cannot change the depth: a
  // request for another depth fails.
  bool Set(int width, int height, int bitsPerPixel, int refreshRate);
  // Puts back exactly the layout recorded by Record (if the game switched),
  // and tells the guard that all is well.
  bool Restore();

  // Starts the guard process (exe is this program). Without a guard the
  // game does not switch.
  bool StartGuard(const std::string& exe);

  // Runs the guard: called from main() when argv[1] is "--display-guard".
  static int RunGuard(int argc, char** argv);

  // Installs the handlers that turn SIGINT, SIGTERM, SIGHUP and SIGQUIT into
  // a byte on the returned file descriptor (for a socket notifier). A second
  // such signal ends the program at once; the guard then restores.
  static int InstallSignalPipe();

  // The current size of the screen (for tests and the window).
  bool CurrentSize(int& width, int& height);

  int32_t SavedScreenWidth = 0;
  int32_t SavedScreenHeight = 0;
  int32_t SavedBitsPerPixel = 0;
  int32_t SavedRefreshRate = 0;
  bool DisplayModeChanged = false;

 private:
  void* dpy_ = nullptr;  // Display*
  unsigned long root_ = 0;
  RandrState saved_;
  bool recorded_ = false;
  int guardFd_ = -1;
};

}  // namespace glim
