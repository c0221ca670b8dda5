// Answers the modal boxes and windows the game opens while a test drives it:
// message boxes are recorded and closed, confirmations answered from a
// queue (No when it is empty), input boxes and file dialogs answered from
// their queues (cancelled when empty), the splash continued, the About box
// and the help viewer closed. A hook may look at a window first.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

#include "app/qt/HelpViewer.h"
#include "app/qt/SplashAbout.h"

namespace glim::testing {

class Answerer : public QObject {
 public:
  Answerer() {
    timer_.setInterval(15);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  // Texts of every box seen, in order; confirmations are marked "?".
  QStringList Boxes;
  QStringList Titles;
  std::deque<bool> Confirms;
  std::deque<QString> Inputs;
  std::deque<std::optional<QString>> Files;
  int Splashes = 0, Abouts = 0, Helps = 0;
  // Called with each modal window before it is answered; returning false
  // leaves it open for now (the hook is asked again at the next poll).
  std::function<bool(QWidget*)> Hook;
  // Windows of these kinds are left alone (a test answers them itself).
  bool LeaveSplash = false;

 private:
  void Poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible()) return;
    if (Hook && !Hook(w)) return;
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
      Titles << box->windowTitle();
      if (box->standardButtons() & QMessageBox::Yes) {
        Boxes << "?" + box->text();
        bool yes = false;
        if (!Confirms.empty()) {
          yes = Confirms.front();
          Confirms.pop_front();
        }
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
      } else {
        Boxes << box->text();
        box->button(QMessageBox::Ok)->click();
      }
    } else if (auto* in = qobject_cast<QInputDialog*>(w)) {
      Titles << in->windowTitle();
      Boxes << in->labelText();
      if (Inputs.empty()) {
        in->reject();
      } else {
        in->setTextValue(Inputs.front());
        Inputs.pop_front();
        in->accept();
      }
    } else if (auto* fd = qobject_cast<QFileDialog*>(w)) {
      Titles << fd->windowTitle();
      std::optional<QString> f;
      if (!Files.empty()) {
        f = Files.front();
        Files.pop_front();
      }
      if (f) {
        fd->selectFile(*f);
        static_cast<QDialog*>(fd)->accept();
      } else {
        fd->reject();
      }
    } else if (auto* sp = qobject_cast<TfrmSplash*>(w)) {
      if (LeaveSplash) return;
      ++Splashes;
      sp->cmdDone->click();
    } else if (auto* ab = qobject_cast<TfrmAbout*>(w)) {
      ++Abouts;
      ab->cmdOK->click();
    } else if (auto* hv = qobject_cast<HelpViewer*>(w)) {
      ++Helps;
      hv->accept();
    } else if (auto* d = qobject_cast<QDialog*>(w)) {
      d->reject();
    }
  }

  QTimer timer_;
};

}  // namespace glim::testing
