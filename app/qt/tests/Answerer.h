// Answers the modal boxes and windows the game opens while a test drives it:
// message boxes are recorded and closed, confirmations answered from a
// queue (No when it is empty), input boxes and file dialogs answered from
// their queues (cancelled when empty), the splash continued, the About box
// and the help viewer closed. A hook may look at a window first.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
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
  // The answer is given from a queued call, not from the timer itself: an
  // answer may open the next modal box (a file dialog asking before it
  // replaces a file), and the timer must be free to answer that one too.
  void Poll() {
    if (pending_) return;
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || inProgress_.contains(w)) return;
    pending_ = true;
    QPointer<QWidget> target(w);
    QMetaObject::invokeMethod(
        this,
        [this, target] {
          pending_ = false;
          if (!target || !target->isVisible() || QApplication::activeModalWidget() != target) return;
          // A window being answered (its hook may wait, its answer may
          // open a box of its own) is not answered a second time meanwhile.
          inProgress_.insert(target.data());
          Answer(target);
          inProgress_.remove(target.data());
        },
        Qt::QueuedConnection);
  }

  void Answer(QWidget* w) {
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
        // Typed into the name field, as a player would (selectFile works
        // only once the dialog has read the folder).
        if (auto* edit = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
          edit->setText(*f);
        else
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
  bool pending_ = false;
  QSet<QWidget*> inProgress_;
};

}  // namespace glim::testing
