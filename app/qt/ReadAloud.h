// Reading the message panel aloud. When it is on, every new line of the
// panel is handed to a speaker, which says the lines one after another
// without holding up the game; the player's next command interrupts what
// is left of the previous answer. Off at start.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QAudioSink;

namespace glim {

// What speaks. Say returns at once; lines are said in the order given.
class Speaker {
 public:
  virtual ~Speaker() = default;
  virtual void Say(const QString& line) = 0;
  // Stops at once and forgets the lines not yet said.
  virtual void Interrupt() = 0;
};

// Speech of one line from the offline flite voice: 16-bit mono samples at
// SpeechRate per second; empty when there is nothing to say or no voice.
constexpr int SpeechRate = 16000;
QByteArray SynthesizeSpeech(const QString& line);

// The samples waiting to be played, read by the sound output as it needs
// them; empty when nothing is left to say.
class SpeechStream : public QIODevice {
  Q_OBJECT
 public:
  SpeechStream() { open(QIODevice::ReadOnly); }
  void Append(const QByteArray& samples);
  void Clear() { pending_.clear(); }
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override { return pending_.size() + QIODevice::bytesAvailable(); }
  qint64 Pending() const { return pending_.size(); }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QByteArray pending_;
};

// A speaker on the flite voice, played through the system's sound output.
// Each line is made into samples whole and queued behind the lines before
// it; the output pulls them as it plays, so a long line is said to its end
// however small the output's own buffer is. The output is opened on the
// first line and kept open, with a short buffer so that an interruption is
// heard at once; a game that never reads aloud never opens it.
class FliteSpeaker : public QObject, public Speaker {
  Q_OBJECT
 public:
  explicit FliteSpeaker(QObject* parent = nullptr);
  ~FliteSpeaker() override;
  void Say(const QString& line) override;
  void Interrupt() override;
  // False once the output could not be opened or failed: lines are then
  // let go instead of piling up.
  bool Working() const { return working_; }
  // Whether speech is still to be heard (waiting or in the output's buffer).
  bool Speaking() const;
  // Seconds of speech not yet handed to the output.
  double Waiting() const;

 private:
  bool Open();

  std::unique_ptr<QAudioSink> sink_;
  SpeechStream stream_;
  bool working_ = true;
};

class ReadAloud {
 public:
  // Without a speaker of its own it makes a FliteSpeaker when it is first
  // switched on.
  explicit ReadAloud(std::unique_ptr<Speaker> speaker = nullptr) : speaker_(std::move(speaker)) {}
  void SetSpeaker(std::unique_ptr<Speaker> speaker) { speaker_ = std::move(speaker); }
  Speaker* Current() const { return speaker_.get(); }
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
