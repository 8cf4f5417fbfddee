// The settings text without a window: the reading grammar, the number of a value and the
// canonical lines that are written.

#include "SettingsReader.h"

#include <QtTest>

#include <string>

namespace {

// Writes each effect as a short token: M<n>, K<i>, S0/S1, T0/T1, W0/W1.
class Recorder : public SettingsTarget {
public:
    void SetMaxNum(std::int32_t v) override { Add("M" + std::to_string(v)); }
    void CheckCalcKind(int i) override { Add("K" + std::to_string(i)); }
    void SetSound(bool on) override { Add(on ? "S1" : "S0"); }
    void SetShowTable(bool on) override { Add(on ? "T1" : "T0"); }
    void SetWithout1(bool on) override { Add(on ? "W1" : "W0"); }
    std::string log;

private:
    void Add(const std::string& token) { log += (log.empty() ? "" : " ") + token; }
};

} // namespace

class SettingsReaderTest : public QObject {
    Q_OBJECT
private slots:
    void grammar_data();
    void grammar();
    void number_data();
    void number();
    void canonicalText();
};

void SettingsReaderTest::grammar_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("effects");
    const auto row = [](const char* name, const QByteArray& text, const char* effects) {
        QTest::newRow(name) << text << QByteArray(effects);
    };
    row("empty", "", "");
    row("comments only", ";MaxNum = 5\r\n'Sound = 0\r\n", "");
    row("blank before semicolon", " ;comment = 1\r\n ;MaxNum = 5\r\nMaxNum = 6", "M6");
    row("capitals, no blanks, raised", "MAXNUM=2", "M3");
    row("not a number", "MaxNum = abc", "M3");
    row("no value", "MaxNum =", "M3");
    row("negative", "MaxNum = -7", "M3");
    row("large", "MaxNum = 500", "M500");
    row("half up to even", "MaxNum = 7.5", "M8");
    row("half down to even", "MaxNum = 8.5", "M8");
    row("blank inside", "MaxNum = 1 2", "M12");
    row("tabs inside", "MaxNum =\t4\t2", "M42");
    row("hex", "MaxNum = &H1F", "M31");
    row("hex lower, blanks", "MaxNum = & h f F", "M255");
    row("octal", "MaxNum = &O17", "M15");
    row("octal stops at 8", "MaxNum = &O78", "M7");
    row("ampersand alone", "MaxNum = &17", "M3");
    row("exponent E", "MaxNum = 1E2", "M100");
    row("exponent D", "MaxNum = 2D1", "M20");
    row("negative exponent", "MaxNum = 45e-1", "M4");
    row("exponent without digits", "MaxNum = 9E+", "M9");
    row("second point stops", "MaxNum = 12.3.4", "M12");
    row("sign then blank", "MaxNum = + 6", "M6");
    row("two signs", "MaxNum = --6", "M3");
    row("two equals signs", "MaxNum = 5 = 6", "M5");
    row("trailing comment", "MaxNum = 5 ;note", "M5");
    row("many leading fraction zeros", "MaxNum = 0." + QByteArray(60, '0') + "12E62", "M12");
    row("many digits", "MaxNum = 1" + QByteArray(60, '0') + "E-58", "M100");
    row("beyond 32 bits", "MaxNum = 99999999999", "M2147483647");
    row("beyond a double", "MaxNum = 1E400", "M2147483647");
    row("hex beyond 32 bits", "MaxNum = &HFFFFFFFFFF", "M2147483647");
    row("hugely negative", "MaxNum = -1E400", "M3");
    row("largest, halves to even", "MaxNum = 2147483646.5", "M2147483646");
    row("key trimmed of spaces", "   maxNum   =   9   ", "M9");
    row("tab is no blank", "\tMaxNum = 9", "");
    row("blank inside key", "Max Num = 9", "");
    row("longer key", "MaxNumber = 9\r\nshowtables = 1", "");
    row("no equals sign", "MaxNum 9\r\nSound", "");
    row("no key", "= 5", "");
    row("later lines override", "MaxNum = 5\r\nmaxnum = 6", "M5 M6");
    row("calcmode 3,1", "CalcMode = 3,1", "K1 K3");
    row("calcmode 12", "calcmode=12", "K1 K2");
    row("calcmode empty", "CalcMode =", "");
    row("calcmode digits anywhere", "CalcMode = x9876543210", "K0 K1 K2 K3");
    row("calcmode only adds", "CalcMode = 0\r\nCalcMode = 2", "K0 K2");
    row("sound 2", "Sound = 2", "S1");
    row("sound -1", "Sound = -1", "S1");
    row("sound x", "Sound = x", "S0");
    row("sound tiny", "Sound = 0.001", "S1");
    row("sound underflow", "Sound = 1E-400", "S0");
    row("switches", "ShowTable = 0\r\nWithout1 = 1\r\nSOUND=0", "T0 W1 S0");
    row("lone LF", "MaxNum = 5\nSound = 0\r\nWithout1 = 1", "M5 S0 W1");
    row("lone CR is no line end", "MaxNum = 5\rSound = 0\r\n", "M5");
    row("CR before end of text", "Sound = 0\r", "S0");
    row("blank lines", "\r\n\r\n\nWithout1 = 1\r\n\r\n", "W1");
    row("NUL bytes", QByteArray("Sound = 1\0\0\r\n\0MaxNum = 5", 24), "S1");
    row("Windows-1252 bytes",
        "Gr\xf6\xdf"
        "e = 1\r\nMAXNUM\xa0= 5\r\n\xff\xfe=\x80",
        "");
    row("long line", "Sound = 0 " + QByteArray(1 << 20, 'x') + "\r\nMaxNum = 4", "S0 M4");
    row("long key",
        QByteArray(1 << 20, 'k') + " = 1\r\n" + QByteArray(1000, ' ') + "Without1" +
            QByteArray(1000, ' ') + "=1",
        "W1");
}

void SettingsReaderTest::grammar() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, effects);
    const std::string_view whole(text.constData(), static_cast<std::size_t>(text.size()));

    Recorder atOnce;
    ReadSettingsText(whole, atOnce);
    QCOMPARE(QByteArray::fromStdString(atOnce.log), effects);

    // The file arrives in chunks of any size; a byte at a time must give the same.
    Recorder byByte;
    SettingsReader reader(byByte);
    for (const char c : whole)
        reader.Feed(&c, 1);
    reader.Finish();
    QCOMPARE(QByteArray::fromStdString(byByte.log), effects);
}

void SettingsReaderTest::number_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("fraction") << QByteArray("0.1") << 0.1;
    QTest::newRow("negative fraction") << QByteArray("-3.5x") << -3.5;
    QTest::newRow("point first") << QByteArray(" .25") << 0.25;
    QTest::newRow("blank in fraction") << QByteArray("1 2.5") << 12.5;
    QTest::newRow("exponent") << QByteArray("1.25E+2") << 125.0;
    QTest::newRow("long") << QByteArray("123456789012345678901234567890") << 1.2345678901234568e29;
    QTest::newRow("hex is unsigned") << QByteArray("&HFFFF") << 65535.0;
    QTest::newRow("sign before hex") << QByteArray("-&H10") << 0.0;
    QTest::newRow("nothing") << QByteArray("") << 0.0;
}

void SettingsReaderTest::number() {
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(ValueNumber(text.toStdString()), value);
}

void SettingsReaderTest::canonicalText() {
    QCOMPARE(QByteArray::fromStdString(SettingsText(SettingsValues{})),
             QByteArray("MaxNum = 10\r\nSound = 1\r\nShowTable = 1\r\nWithout1 = 0\r\n"));
    SettingsValues some;
    some.MaxNum = 2147483647;
    some.CalcMode = {true, false, true, false};
    some.Sound = false;
    QCOMPARE(QByteArray::fromStdString(SettingsText(some)),
             QByteArray("MaxNum = 2147483647\r\nCalcMode = 0,2\r\nSound = 0\r\nShowTable = 1\r\n"
                        "Without1 = 0\r\n"));
}

QTEST_APPLESS_MAIN(SettingsReaderTest)
#include "SettingsReaderTest.moc"
