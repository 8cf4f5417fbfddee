#include "Form1.h"
#include "GridAccessible.h"
#include "MessageBoxes.h"
#include "RandomSource.h"
#include "ShutdownSignals.h"

#include "PrinterProvider.h"
#include "WavePlayer.h"

#include <QApplication>
#include <QPrinter>
#include <QStandardPaths>

namespace {
// Placeholders until the sound and printer layers are wired in.
class NullWavePlayer : public WavePlayer {
public:
    void PlayWave(const QString&, const QByteArray&, unsigned) override {}
};
class NullPrinterProvider : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override { return nullptr; }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zahlwerk"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.zahlwerk.Trainer"));
    InstallGridAccessibility();

    ClockSeededRandom random;
    NullWavePlayer sound;
    NullPrinterProvider printers;
    QtMessageBoxes messages;

    Form1Backends backends;
    backends.Random = &random;
    backends.Sound = &sound;
    backends.Printers = &printers;
    backends.Messages = &messages;
    backends.ProgramFolder = QCoreApplication::applicationDirPath();
    backends.FallbackSettingsFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    Form1 form(backends);
    CloseOnShutdownSignals(form);
    form.Form_Load();
    return app.exec();
}
