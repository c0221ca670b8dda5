// Reading the message panel aloud. When it is on, every new line of the
// panel is handed to a speaker, which says the lines one after another
// without holding up the game; the player's next command interrupts what
// is left of the previous answer. Off at start.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QTextToSpeech;

namespace glim {

// What speaks. Say returns at once; lines are said in the order given.
class Speaker {
 public:
  virtual ~Speaker() = default;
  virtual void Say(const QString& line) = 0;
  // Stops at once and forgets the lines not yet said.
  virtual void Interrupt() = 0;
};

// A speaker on Qt TextToSpeech, with the offline flite engine where it is
// installed (else the system's default engine). The engine is started on
// the first line, so a game that never reads aloud never loads it.
class TextToSpeechSpeaker : public QObject, public Speaker {
  Q_OBJECT
 public:
  explicit TextToSpeechSpeaker(QObject* parent = nullptr);
  ~TextToSpeechSpeaker() override;
  void Say(const QString& line) override;
  void Interrupt() override;
  // Whether an engine could be started (false until the first line).
  bool Working() const;
  // Lines waiting behind the one being said.
  qsizetype Waiting() const { return queue_.size(); }
  QTextToSpeech* Engine() const { return tts_; }

 private:
  void Start();
  void SayNext();

  QTextToSpeech* tts_ = nullptr;
  QStringList queue_;
  bool speaking_ = false;
};

class ReadAloud {
 public:
  // Without a speaker of its own it makes a TextToSpeechSpeaker when it is
  // first switched on.
  explicit ReadAloud(std::unique_ptr<Speaker> speaker = nullptr) : speaker_(std::move(speaker)) {}
  bool On() const { return on_; }
  void SetOn(bool on);
  // A new line of the message panel.
  void Line(const QString& text);
  // The player started a command: the rest of the last answer is dropped.
  void NewCommand();

 private:
  std::unique_ptr<Speaker> speaker_;
  bool on_ = false;
};

}  // namespace glim
