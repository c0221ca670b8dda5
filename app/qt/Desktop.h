// The desktop game put together: the platform, the game, and the three
// windows, created in the order main window, splash, About.
#pragma once

#include <memory>

#include "app/qt/MainWindow.h"
#include "app/qt/QtPlatform.h"
#include "app/qt/SplashAbout.h"
#include "world/Game.h"

namespace glim {

struct Desktop {
  explicit Desktop(QtOptions opts, SoundPlayer* sound = nullptr)
      : platform(std::move(opts), sound),
        game(platform),
        frmMain(game, platform),
        frmSplash(nullptr, &frmMain),
        frmAbout(&frmMain) {
    frmSplash.SetAbout(&frmAbout);
    platform.Attach(&frmMain, &frmSplash, &frmAbout);
  }

  // Shows the main window at its full size from its first frame; its first
  // activation starts the game.
  void Start() {
    frmMain.MaximiseWindow();
    frmMain.show();
    frmMain.ActivateSoon();
  }

  QtPlatform platform;
  Game game;
  TfrmMain frmMain;
  TfrmSplash frmSplash;
  TfrmAbout frmAbout;
};

}  // namespace glim
