#pragma once

// Test doubles for everything the window gets from the outside world, and a fixture that
// builds a real Form1 on them with its program folder in a temporary directory.

#include "Form1.h"
#include "MessageBoxes.h"
#include "PrinterProvider.h"
#include "RandomSource.h"
#include "WavePlayer.h"

#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

// Returns scripted values first, then a fixed seed's sequence; SeedFromClock changes nothing,
// so a test run is repeatable.
class ScriptedRandom : public RandomSource {
public:
    double Next() override {
        if (!script.empty()) {
            const double v = script.front();
            script.pop_front();
            return v;
        }
        return fallback.Next();
    }
    void SeedFromClock() override { ++seedCalls; }

    // The value that makes RandomNumber return n for a draw over count numbers from lowest.
    static double For(int n, int count, int lowest) { return (n - lowest + 0.5) / count; }

    std::deque<double> script;
    ClockSeededRandom fallback;
    int seedCalls = 0;
};

struct PlayedClip {
    QString Name;
    QByteArray Image;
    unsigned Flags = 0;
};

class RecordingWavePlayer : public WavePlayer {
public:
    void PlayWave(const QString& name, const QByteArray& image, unsigned flags) override {
        played.push_back(PlayedClip{name, image, flags});
    }
    QStringList Names() const {
        QStringList out;
        for (const PlayedClip& c : played)
            out << c.Name;
        return out;
    }
    std::vector<PlayedClip> played;
};

struct ShownMessage {
    QString Prompt;
    int Style = 0;
    QString Title;
};

// Answers every box at once with the next scripted answer (OK when none is left).
class FakeMessageBoxes : public MessageBoxes {
public:
    int MsgBox(QWidget*, const QString& prompt, int style, const QString& title) override {
        shown.push_back(ShownMessage{prompt, style, title});
        if (onShow)
            onShow(shown.back());
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        return Ok;
    }
    std::vector<ShownMessage> shown;
    std::deque<int> answers;
    std::function<void(const ShownMessage&)> onShow;
};

// Hands out whatever the test puts in; by default no printer at all.
class FakePrinterProvider : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override {
        ++requests;
        return factory ? factory() : nullptr;
    }
    std::function<std::unique_ptr<QPrinter>()> factory;
    int requests = 0;
};

// A real Form1 on fakes, its program folder a fresh temporary directory.
struct FormFixture {
    ScriptedRandom random;
    RecordingWavePlayer sound;
    FakePrinterProvider printers;
    FakeMessageBoxes messages;
    QTemporaryDir programFolder;
    QTemporaryDir fallbackFolder;
    std::unique_ptr<Form1> form;

    Form1Backends Backends() {
        Form1Backends b;
        b.Random = &random;
        b.Sound = &sound;
        b.Printers = &printers;
        b.Messages = &messages;
        b.ProgramFolder = programFolder.path();
        b.FallbackSettingsFolder = fallbackFolder.path();
        return b;
    }

    // Creates the window; Form_Load runs unless load is false.
    Form1& Create(bool load = true) {
        form = std::make_unique<Form1>(Backends());
        if (load)
            form->Form_Load();
        return *form;
    }

    // Writes a settings file into the program folder before the window is created.
    void WriteSettings(const QByteArray& content);
};
