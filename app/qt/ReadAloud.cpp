#include "app/qt/ReadAloud.h"

#ifdef GLIM_HAVE_SPEECH
#include <QTextToSpeech>
#endif

namespace glim {

TextToSpeechSpeaker::TextToSpeechSpeaker(QObject* parent) : QObject(parent) {}

TextToSpeechSpeaker::~TextToSpeechSpeaker() = default;

void TextToSpeechSpeaker::Start() {
#ifdef GLIM_HAVE_SPEECH
  if (tts_) return;
  // flite speaks offline and starts fast; another engine only when it is
  // missing.
  const QStringList engines = QTextToSpeech::availableEngines();
  tts_ = engines.contains(QStringLiteral("flite")) ? new QTextToSpeech(QStringLiteral("flite"), this)
                                                   : new QTextToSpeech(this);
  connect(tts_, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State s) {
    if (s == QTextToSpeech::Speaking) return;
    if (s == QTextToSpeech::Error) queue_.clear();  // no sound to be had: nothing piles up
    speaking_ = false;
    SayNext();
  });
#endif
}

bool TextToSpeechSpeaker::Working() const {
#ifdef GLIM_HAVE_SPEECH
  return tts_ && tts_->state() != QTextToSpeech::Error;
#else
  return false;
#endif
}

void TextToSpeechSpeaker::Say(const QString& line) {
  Start();
  if (!Working()) return;
  queue_.append(line);
  if (!speaking_) SayNext();
}

void TextToSpeechSpeaker::SayNext() {
#ifdef GLIM_HAVE_SPEECH
  if (!tts_ || speaking_ || queue_.isEmpty()) return;
  speaking_ = true;
  tts_->say(queue_.takeFirst());
#endif
}

void TextToSpeechSpeaker::Interrupt() {
  queue_.clear();
#ifdef GLIM_HAVE_SPEECH
  if (tts_ && speaking_) tts_->stop(QTextToSpeech::BoundaryHint::Immediate);
#endif
  speaking_ = false;
}

void ReadAloud::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  if (!on_ && speaker_) speaker_->Interrupt();
  if (on_ && !speaker_) speaker_ = std::make_unique<TextToSpeechSpeaker>();
}

void ReadAloud::Line(const QString& text) {
  if (!on_ || !speaker_ || text.trimmed().isEmpty()) return;
  speaker_->Say(text);
}

void ReadAloud::NewCommand() {
  if (speaker_) speaker_->Interrupt();
}

}  // namespace glim
