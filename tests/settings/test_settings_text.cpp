// SPDX-License-Identifier: GPL-3.0-or-later
// The settings text without a window: what the lines of the liberal grammar do, the rows
// grouped by rule. The canonical text is checked where the window writes it.

#include "SettingsRecorder.h"

#include <QtTest>

namespace {

// Rows of a text and its effects. Given a key, the text is one line of that key for each of
// the values, which are separated by "|".
void Rows(std::initializer_list<std::tuple<const char*, QByteArray, const char*>> rows,
          const QByteArray& key = {}) {
    for (auto [name, text, effects] : rows)
        QTest::newRow(name) << (key.isEmpty() ? text
                                              : key + " = " + text.replace('|', "\n" + key + " = "))
                            << QByteArray(effects);
}

const QByteArray Mega(1 << 20, 'x'), Blanks(1000, ' ');

} // namespace

class SettingsTextTest : public QObject {
    Q_OBJECT
private slots:
    void textHasItsEffects_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("effects");
        Rows({
            {"empty", "", ""},
            {"comments", ";MaxNum = 5\r\n'Sound = 0\r\n ;MaxNum = 5\r\nMaxNum = 6", "M6"},
            {"any case, spaces trimmed", "MAXNUM=4\r\n   maxNum   =   9   ", "M4 M9"},
            {"not a key", "\tMaxNum = 9\nMax Num = 9\nMaxNumber = 9\nSounds=0\n= 5\nMaxNum 9", ""},
            {"Windows-1252 bytes", "Gr\xf6\xdf = 1\r\nMAXNUM\xa0= 5\r\n\xff\xfe=\x80", ""},
            {"long key", Mega + " = 1\r\n" + Blanks + "Without1" + Blanks + "=1", "W1"},
        });
        const QByteArray zeros(60, '0');
        Rows({{"raised to 3", "2|x||-7|--6|&17", "M3 M3 M3 M3 M3 M3"},
              {"halves to even", "7.5|8.5|2147483646.5|1 2.5", "M8 M8 M2147483646 M12"},
              {"blanks inside", "1 2|\t4\t2|+ 6", "M12 M42 M6"},
              {"hex and octal", "&H1F|& h f F|&O17|&O78|&HFFFF", "M31 M255 M15 M7 M65535"},
              {"exponents", "1E2|2D1|45e-1|9E+|.25E2|1.25E+2", "M100 M20 M4 M9 M25 M125"},
              {"stops where it does not fit", "12.3.4|5 = 6|5 ;x", "M12 M5 M5"},
              {"many digits", "0." + zeros + "12E62|1" + zeros + "E-58|1234567890123456789E-9",
               "M12 M100 M1234567890"},
              {"beyond the range", "1E11|1E400|&HFFFFFFFFFF|-1E400",
               "M2147483647 M2147483647 M2147483647 M3"}},
             "MaxNum");
        Rows({
            {"calcmode digits in order", "CalcMode = 3,1\r\ncalcmode=12", "K1 K3 K1 K2"},
            {"calcmode digits anywhere", "CalcMode = x9876543210", "K0 K1 K2 K3"},
            {"calcmode only adds", "CalcMode = 0\r\nCalcMode =\r\nCalcMode = 2", "K0 K2"},
            {"switches", "ShowTable = 0\r\nWithout1 = 1\r\nSOUND=0", "T0 W1 S0"},
            {"on for any number but 0",
             "Sound = 2\nSound = -1\nSound = x\nSound = 0.001\nSound = 1E-400\nSound = -&H10",
             "S1 S1 S0 S1 S0 S0"},
        });
        Rows({
            {"lone LF", "MaxNum = 5\nSound = 0\r\nWithout1 = 1", "M5 S0 W1"},
            {"lone CR is no line end", "MaxNum = 5\rSound = 0\r\n", "M5"},
            {"CR before end of text", "Sound = 0\r", "S0"},
            {"blank lines", "\r\n\r\n\nWithout1 = 1\r\n\r\n", "W1"},
            {"NUL bytes", QByteArray("Sound = 1\0\0\r\n\0MaxNum = 5", 24), "S1"},
            {"long line", "Sound = 0 " + Mega + "\r\nMaxNum = 4", "S0 M4"},
        });
    }
    // (The fuzz harness checks that chunks of any size give the same effects.)
    void textHasItsEffects() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, effects);
        SettingsRecorder recorder;
        ReadSettingsText(text.toStdString(), recorder);
        QCOMPARE(QByteArray::fromStdString(recorder.log), effects);
    }
};

QTEST_APPLESS_MAIN(SettingsTextTest)
#include "test_settings_text.moc"
