// SPDX-License-Identifier: GPL-3.0-or-later
#include "SinkPlayer.h"

#include "QtWavePlayer.h"

#include <QAudioSink>
#include <QMediaDevices>

namespace {

// Time the output may still need for what the sink has handed on when it runs dry, on top of
// the sink's own buffer.
constexpr int DrainMarginMs = 200;

// A clip that starts this long after its key would be heard out of place: a sound server that
// stood still drops what was asked of it meanwhile instead of playing it late.
constexpr qint64 LateAfterMs = 2000;

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

SinkPlayer::SinkPlayer() {
    drain_.setSingleShot(true);
    connect(&drain_, &QTimer::timeout, this, &SinkPlayer::Release);
}

SinkPlayer::~SinkPlayer() {
    Release();
}

QAudioDevice SinkPlayer::DefaultOutput() {
    // Qt Multimedia connects to the sound server when it is first asked for a device, and
    // prints a warning when there is none. Without a server the trainer is simply silent,
    // so that first look happens with messages swallowed. It waits for the first clip, so
    // the window comes up without waiting for the sound server.
    if (!devicesSeen_) {
        const QtMessageHandler previous = qInstallMessageHandler(DropMessage);
        QMediaDevices::defaultAudioOutput();
        qInstallMessageHandler(previous);
        devicesSeen_ = true;
    }
    return QMediaDevices::defaultAudioOutput();
}

void SinkPlayer::Play(const QByteArray& waveImage, const QElapsedTimer& posted) {
    Release();
    const std::optional<WaveFrames> frames = ParseWaveImage(waveImage);
    if (!frames || posted.elapsed() > LateAfterMs)
        return;
    // With no output there is nothing to do; a sink made on a null device would only print
    // a warning on every clip.
    const QAudioDevice device = DefaultOutput();
    if (device.isNull())
        return;

    image_ = waveImage;
    frames_ = QByteArray::fromRawData(image_.constData() + frames->Offset, frames->Size);
    source_.setBuffer(&frames_);
    source_.open(QIODevice::ReadOnly);

    sink_ = std::make_unique<QAudioSink>(device, frames->Format);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState)
            OnIdle();
        else if (state == QAudio::StoppedState)
            drain_.start(0); // the output failed on its own; let go outside its signal
    });
    sink_->start(&source_);
    // A sink that cannot open the output reports it here, without a state change; a server
    // that held the start until now would play the clip late.
    if ((sink_->error() != QAudio::NoError && sink_->state() == QAudio::StoppedState) ||
        posted.elapsed() > LateAfterMs)
        Release();
}

void SinkPlayer::OnIdle() {
    if (!sink_ || source_.bytesAvailable() > 0)
        return;
    const QAudioFormat format = sink_->format();
    const int bufferedMs = int(format.durationForBytes(sink_->bufferSize()) / 1000);
    drain_.start(bufferedMs + DrainMarginMs);
}

void SinkPlayer::Release() {
    drain_.stop();
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_.reset();
    }
    source_.close();
    source_.setBuffer(nullptr); // drops the view before the image it looks into
    frames_.clear();
    image_.clear();
}
