#pragma once

// The window's backends as fakes, and a fixture that builds a real Form1 on them with its
// program folder in a temporary directory.

#include "Doubles.h"
#include "Form1.h"
#include "GridWidget.h"
#include "MessageBoxes.h"
#include "PrinterProvider.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

struct ShownMessage {
    QString Prompt;
    int Style = 0;
    QString Title;
};

// Records every box and answers it at once with the next scripted answer (OK when none).
class FakeMessageBoxes : public MessageBoxes {
public:
    int MsgBox(QWidget*, const QString& prompt, int style, const QString& title) override {
        shown.push_back(ShownMessage{prompt, style, title});
        if (onShow)
            onShow(shown.back());
        if (answers.empty())
            return Ok;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<ShownMessage> shown;
    std::deque<int> answers;
    std::function<void(const ShownMessage&)> onShow;
};

// Hands out what the factory makes; by default no printer at all.
class FakePrinterProvider : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override {
        ++requests;
        return factory ? factory() : nullptr;
    }
    std::function<std::unique_ptr<QPrinter>()> factory;
    int requests = 0;
};

struct FormFixture {
    ScriptedRandom random;
    RecordingWavePlayer sound;
    FakePrinterProvider printers;
    FakeMessageBoxes messages;
    QTemporaryDir programFolder;
    QTemporaryDir fallbackFolder;
    std::unique_ptr<Form1> form;

    Form1Backends Backends() {
        return {&random, &sound, &printers, &messages, programFolder.path(), fallbackFolder.path()};
    }
    // Creates the window; Form_Load runs unless load is false.
    Form1& Create(bool load = true) {
        form = std::make_unique<Form1>(Backends());
        if (load)
            form->Form_Load();
        return *form;
    }
    // Writes the settings file into the program folder (before Create).
    void WriteSettings(const QByteArray& content) {
        QFile f(programFolder.filePath("zahlwerk.ini"));
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
    }
};
