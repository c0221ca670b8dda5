// glimmerhold: the game in its desktop window.
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <cstring>
#include <iostream>
#include <memory>

#include "app/qt/Desktop.h"
#include "app/qt/DisplayMode.h"
#include "app/qt/Fonts.h"
#include "app/qt/SoundFactory.h"
#include "shell/GameFolder.h"

#ifndef GLIM_VERSION
#define GLIM_VERSION "0.1.0"
#endif

int main(int argc, char** argv) {
  // The display guard: a second copy of this program that puts the display
  // mode back should the game die without doing so itself.
  if (argc > 1 && std::strcmp(argv[1], "--display-guard") == 0) return glim::DisplayMode::RunGuard(argc, argv);

  // A save that runs into the file size limit fails with an error the game
  // reports, as on a full disk, instead of killing the game.
  std::signal(SIGXFSZ, SIG_IGN);

  std::string folder;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--folder" && i + 1 < argc) {
      folder = argv[++i];
      if (folder.empty() || folder.back() != '/') folder += '/';
    } else if (a == "--version") {
      std::cout << "glimmerhold " GLIM_VERSION "\n";
      return 0;
    } else if (a == "--help" || a == "-h") {
      std::cout << "Usage: glimmerhold [--folder DIR]\n"
                   "Play Glimmerhold in its window.\n\n"
                   "  --folder DIR   use DIR as the game folder (the data files, images, sounds)\n";
      return 0;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Glimmerhold"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setQuitOnLastWindowClosed(false);

  glim::QtOptions opts;
  opts.Folder = folder.empty() ? glim::FindGameFolder() : folder;
  opts.Executable = glim::ExecutableFolder() + "glimmerhold";
  glim::LoadGameFonts(QString::fromLocal8Bit(opts.Folder.c_str()));
  QApplication::setFont(glim::SansFont(12));
  {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
      icon.addFile(QString::fromLocal8Bit(opts.Folder.c_str()) +
                   QStringLiteral("icons/hicolor/%1x%1/apps/glimmerhold.png").arg(size));
    QApplication::setWindowIcon(icon);
  }

  std::unique_ptr<glim::SoundPlayer> sound = glim::MakeSoundPlayer();
  glim::Desktop desktop(opts, sound.get());
  QObject::connect(&desktop.frmMain, &glim::TfrmMain::closed, &app, &QCoreApplication::quit);

  // SIGINT, SIGTERM, SIGHUP and SIGQUIT close the window in order, without
  // asking, so the display mode is put back.
  const int sigfd = glim::DisplayMode::InstallSignalPipe();
  std::unique_ptr<QSocketNotifier> onSignal;
  if (sigfd >= 0) {
    onSignal = std::make_unique<QSocketNotifier>(sigfd, QSocketNotifier::Read);
    QObject::connect(onSignal.get(), &QSocketNotifier::activated, &desktop.frmMain, [&desktop, sigfd] {
      char buf[16];
      while (read(sigfd, buf, sizeof buf) > 0) {
      }
      desktop.frmMain.CloseNow();
    });
  }

  desktop.Start();
  const int rc = app.exec();
  desktop.platform.Display().Restore();
  return rc;
}
