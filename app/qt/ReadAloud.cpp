#include "app/qt/ReadAloud.h"

#include <algorithm>
#include <cstring>

#ifdef GLIM_HAVE_SPEECH
#include <flite/flite.h>

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

extern "C" cst_voice* register_cmu_us_kal16(const char* voxdir);
#endif

namespace glim {

void SpeechStream::Append(const QByteArray& samples) {
  if (samples.isEmpty()) return;
  pending_ += samples;
  emit readyRead();
}

qint64 SpeechStream::readData(char* data, qint64 maxSize) {
  const qint64 n = std::min<qint64>(maxSize, pending_.size());
  if (n <= 0) return 0;
  std::memcpy(data, pending_.constData(), static_cast<size_t>(n));
  pending_.remove(0, n);
  return n;
}

#ifdef GLIM_HAVE_SPEECH
namespace {

// The voice is loaded once, on the first line spoken.
cst_voice* Voice() {
  static cst_voice* const voice = [] {
    flite_init();
    return register_cmu_us_kal16(nullptr);
  }();
  return voice;
}

}  // namespace

QByteArray SynthesizeSpeech(const QString& line) {
  const QByteArray text = line.trimmed().toUtf8();
  cst_voice* voice = Voice();
  if (text.isEmpty() || !voice) return {};
  cst_wave* wave = flite_text_to_wave(text.constData(), voice);
  if (!wave) return {};
  // The voice speaks 16 kHz mono; another rate would be resampled here.
  if (wave->sample_rate != SpeechRate) cst_wave_resample(wave, SpeechRate);
  QByteArray pcm;
  if (wave->num_channels == 1 && wave->num_samples > 0)
    pcm = QByteArray(reinterpret_cast<const char*>(wave->samples),
                     static_cast<qsizetype>(wave->num_samples) * static_cast<qsizetype>(sizeof(short)));
  delete_wave(wave);
  return pcm;
}

FliteSpeaker::FliteSpeaker(QObject* parent) : QObject(parent) {}

FliteSpeaker::~FliteSpeaker() {
  stream_.Clear();
  if (sink_) {
    sink_->disconnect(this);
    sink_->stop();
  }
  sink_.reset();
}

bool FliteSpeaker::Open() {
  if (sink_) return true;
  QAudioFormat format;
  format.setSampleRate(SpeechRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull() || !device.isFormatSupported(format)) return false;
  sink_ = std::make_unique<QAudioSink>(device, format);
  // A fifth of a second in the output: what an interruption lets through.
  sink_->setBufferSize(format.bytesForDuration(200000));
  connect(sink_.get(), &QAudioSink::stateChanged, this, [this] {
    const QAudio::Error e = sink_ ? sink_->error() : QAudio::NoError;
    if (e == QAudio::OpenError || e == QAudio::FatalError || e == QAudio::IOError) {
      working_ = false;
      stream_.Clear();
    }
  });
  sink_->start(&stream_);
  return sink_->error() != QAudio::OpenError && sink_->error() != QAudio::FatalError;
}

void FliteSpeaker::Say(const QString& line) {
  if (!working_) return;
  if (!Open()) {
    working_ = false;
    stream_.Clear();
    return;
  }
  stream_.Append(SynthesizeSpeech(line));
}

void FliteSpeaker::Interrupt() { stream_.Clear(); }

bool FliteSpeaker::Speaking() const {
  if (stream_.Pending() > 0) return true;
  return sink_ && sink_->bufferSize() - sink_->bytesFree() > 0 && sink_->state() == QAudio::ActiveState;
}

double FliteSpeaker::Waiting() const { return static_cast<double>(stream_.Pending()) / 2 / SpeechRate; }

#else

QByteArray SynthesizeSpeech(const QString&) { return {}; }
FliteSpeaker::FliteSpeaker(QObject* parent) : QObject(parent), working_(false) {}
FliteSpeaker::~FliteSpeaker() = default;
void FliteSpeaker::Say(const QString&) {}
void FliteSpeaker::Interrupt() {}
void FliteSpeaker::PlayNext() {}
void FliteSpeaker::OutputChanged() {
  qDebug("state %d err %d atEnd %d pos %lld size %lld playing %d", int(sink_ ? sink_->state() : 0),
         int(sink_ ? sink_->error() : 0), int(buffer_.atEnd()), (long long)buffer_.pos(), (long long)buffer_.size(),
         int(playing_));
}

#endif

void ReadAloud::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  if (!on_ && speaker_) speaker_->Interrupt();
  if (on_ && !speaker_) speaker_ = std::make_unique<FliteSpeaker>();
}

void ReadAloud::Line(const QString& text) {
  if (!on_ || !speaker_ || text.trimmed().isEmpty()) return;
  speaker_->Say(text);
}

void ReadAloud::NewCommand() {
  if (speaker_) speaker_->Interrupt();
}

}  // namespace glim
