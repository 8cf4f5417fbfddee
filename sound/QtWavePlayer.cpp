// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtWavePlayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <QtEndian>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

// Time the output may still need for what the sink has handed on when it runs dry, on top of
// the sink's own buffer.
constexpr int DrainMarginMs = 200;

quint16 U16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 U32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

std::optional<QAudioFormat::SampleFormat> SampleFormatOf(quint16 tag, quint16 bits) {
    if (tag == FormatPcm && bits == 8)
        return QAudioFormat::UInt8;
    if (tag == FormatPcm && bits == 16)
        return QAudioFormat::Int16;
    if (tag == FormatPcm && bits == 32)
        return QAudioFormat::Int32;
    if (tag == FormatFloat && bits == 32)
        return QAudioFormat::Float;
    return std::nullopt;
}

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

std::optional<WaveFrames> ParseWaveImage(const QByteArray& image) {
    const qsizetype end = image.size();
    const char* d = image.constData();
    if (end < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;

    std::optional<QAudioFormat> format;
    qsizetype dataOffset = -1;
    qsizetype dataSize = 0;
    // Chunks: a four-character id, a 32-bit length, the body, and a pad byte after an odd
    // length. The last chunk of a cut-off image may claim more than there is.
    for (qsizetype at = 12; at + 8 <= end;) {
        const QByteArray id = image.mid(at, 4);
        const qsizetype length = U32(d + at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = std::min(length, end - body);
        if (id == "fmt " && !format && available >= 16) {
            quint16 tag = U16(d + body);
            const quint16 channels = U16(d + body + 2);
            const quint32 rate = U32(d + body + 4);
            const quint16 bits = U16(d + body + 14);
            if (tag == FormatExtensible && available >= 26)
                tag = U16(d + body + 24); // the first two bytes of the sub-format GUID
            const auto sampleFormat = SampleFormatOf(tag, bits);
            if (!sampleFormat || channels == 0 || rate == 0 || rate > 1'000'000)
                return std::nullopt;
            QAudioFormat f;
            f.setSampleFormat(*sampleFormat);
            f.setChannelCount(channels);
            f.setSampleRate(int(rate));
            format = f;
        } else if (id == "data" && dataOffset < 0) {
            dataOffset = body;
            dataSize = available;
        }
        at = body + length + (length & 1);
    }
    if (!format || dataOffset < 0)
        return std::nullopt;
    const qsizetype frameBytes = format->bytesPerFrame();
    const qsizetype whole = dataSize - dataSize % frameBytes;
    if (whole <= 0)
        return std::nullopt;
    return WaveFrames{*format, dataOffset, whole};
}

QtWavePlayer::QtWavePlayer(QObject* parent) : QObject(parent) {
    drain_.setSingleShot(true);
    connect(&drain_, &QTimer::timeout, this, &QtWavePlayer::Release);
}

QAudioDevice QtWavePlayer::DefaultOutput() {
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

QtWavePlayer::~QtWavePlayer() {
    Release();
}

void QtWavePlayer::PlayWave(const QString& name, const QByteArray& waveImage) {
    Q_UNUSED(name);
    Release();

    const std::optional<WaveFrames> frames = ParseWaveImage(waveImage);
    if (!frames)
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
    // A sink that cannot open the output reports it here, without a state change.
    if (sink_->error() != QAudio::NoError && sink_->state() == QAudio::StoppedState)
        Release();
}

void QtWavePlayer::OnIdle() {
    if (!sink_ || source_.bytesAvailable() > 0)
        return;
    const QAudioFormat format = sink_->format();
    const int bufferedMs = int(format.durationForBytes(sink_->bufferSize()) / 1000);
    drain_.start(bufferedMs + DrainMarginMs);
}

void QtWavePlayer::Release() {
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
