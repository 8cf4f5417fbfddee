// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtWavePlayer.h"

#include "SinkPlayer.h"

#include <QThread>
#include <QtEndian>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

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

QtWavePlayer::QtWavePlayer() : thread_(new QThread), player_(new SinkPlayer) {
    thread_->setObjectName(QStringLiteral("audio output"));
    player_->moveToThread(thread_);
    // The player goes with its thread, on that thread: its sink belongs there.
    QObject::connect(thread_, &QThread::finished, player_, &QObject::deleteLater);
    thread_->start();
}

QtWavePlayer::~QtWavePlayer() {
    if (Stop())
        delete thread_;
    // Otherwise the thread and its player stay, for the process to end under them.
}

bool QtWavePlayer::Stop(int waitMs) {
    if (!stopped_) {
        thread_->quit();
        stopped_ = true;
    }
    return thread_->wait(QDeadlineTimer(waitMs));
}

void QtWavePlayer::PlayWave(const QString& name, const QByteArray& waveImage) {
    Q_UNUSED(name);
    if (stopped_ || player_->Busy.exchange(true))
        return; // the audio thread has not done with the last clip yet
    QElapsedTimer posted;
    posted.start();
    SinkPlayer* player = player_;
    QMetaObject::invokeMethod(
        player,
        [player, waveImage, posted] {
            player->Play(waveImage, posted);
            player->Busy = false;
        },
        Qt::QueuedConnection);
}
