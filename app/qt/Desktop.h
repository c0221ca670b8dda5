// The desktop game put together: the platform, the game, and the three
// windows, created in the order main window, splash, About.
#pragma once

#include <QScreen>
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

  // Shows the main window centred on the screen; its first activation
  // starts the game.
  void Start() {
    if (QScreen* s = frmMain.screen()) {
      const QRect g = s->availableGeometry();
      frmMain.move(g.x() + (g.width() - frmMain.width()) / 2, g.y() + (g.height() - frmMain.height()) / 2);
    }
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
