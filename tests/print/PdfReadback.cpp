#include "PdfReadback.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {

QByteArray Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

bool IsInk(QRgb c) {
    return qRed(c) < 240 || qGreen(c) < 240 || qBlue(c) < 240;
}

} // namespace

QString PdfLine::Text() const {
    QStringList texts;
    for (const PdfWord& w : Words)
        texts << w.Text;
    return texts.join(QLatin1Char(' '));
}

std::vector<PdfPage> ReadPdfWords(const QString& pdf) {
    QXmlStreamReader xml(
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    std::vector<PdfPage> pages;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const auto number = [&a](const char* name) {
            return a.value(QLatin1String(name)).toDouble();
        };
        if (xml.name() == QLatin1String("page")) {
            pages.push_back(PdfPage{QSizeF(number("width"), number("height")), {}});
        } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
            const QRectF box(QPointF(number("xMin"), number("yMin")),
                             QPointF(number("xMax"), number("yMax")));
            pages.back().Words.push_back(PdfWord{box, xml.readElementText()});
        }
    }
    return pages;
}

std::vector<PdfLine> TextLines(const PdfPage& page) {
    std::vector<PdfLine> lines;
    for (const PdfWord& word : page.Words) {
        auto line = std::find_if(lines.begin(), lines.end(), [&](const PdfLine& l) {
            return std::fabs(l.Top - word.Box.top()) < 1.0;
        });
        if (line == lines.end())
            line = lines.insert(lines.end(), PdfLine{word.Box.top(), {}});
        line->Words.push_back(word);
    }
    std::sort(lines.begin(), lines.end(),
              [](const PdfLine& a, const PdfLine& b) { return a.Top < b.Top; });
    for (PdfLine& l : lines)
        std::sort(l.Words.begin(), l.Words.end(),
                  [](const PdfWord& a, const PdfWord& b) { return a.Box.left() < b.Box.left(); });
    return lines;
}

std::vector<QStringList> PrintedLines(const QString& pdf, double pitch) {
    const std::vector<PdfPage> pages = ReadPdfWords(pdf);
    std::vector<QStringList> out;
    if (pages.empty() || pages.front().Words.empty())
        return out;
    const std::vector<PdfLine> first = TextLines(pages.front());
    if (pitch <= 0) {
        pitch = 1;
        for (std::size_t i = 1; i < first.size(); ++i) {
            const double d = first[i].Top - first[i - 1].Top;
            pitch = i == 1 ? d : std::min(pitch, d);
        }
    }
    for (const PdfPage& page : pages) {
        QStringList lines;
        for (const PdfLine& line : TextLines(page)) {
            const double k = (line.Top - first.front().Top) / pitch;
            const long index = std::lround(k);
            if (index < 0 || std::fabs(k - static_cast<double>(index)) > 0.2) {
                lines << QStringLiteral("<off grid: %1>").arg(line.Text());
                continue;
            }
            while (lines.size() <= index)
                lines << QString();
            lines[index] = line.Text();
        }
        out.push_back(lines);
    }
    return out;
}

QStringList Collapsed(const QStringList& lines) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    QStringList out;
    for (const QString& l : lines)
        out << QString(l).replace(blanks, QStringLiteral(" ")).trimmed();
    return out;
}

QStringList WithoutBlanks(const QStringList& lines) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    QStringList out;
    for (const QString& l : lines)
        out << QString(l).remove(blanks);
    return out;
}

int PictureCount(const QString& pdf) {
    // Two heading lines, then one line per picture.
    const QList<QByteArray> lines =
        Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).trimmed().split('\n');
    return std::max(0, static_cast<int>(lines.size()) - 2);
}

PictureOnPage FindPicture(const QString& pdf, double below) {
    constexpr int Dpi = 144;
    constexpr double Scale = Dpi / 72.0;
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                     QStringLiteral("-r"), QString::number(Dpi), pdf, base});
    const QImage page = QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);

    int top = static_cast<int>(below * Scale);
    for (; top < page.height(); ++top) {
        const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(top));
        if (std::count_if(row, row + page.width(), IsInk) > page.width() / 2)
            break;
    }
    int left = page.width(), right = -1, bottom = -1;
    for (int y = top; y < page.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (!IsInk(row[x]))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = y;
        }
    }
    if (right < 0)
        return {};
    const QRectF place(left / Scale, top / Scale, (right + 1 - left) / Scale,
                       (bottom + 1 - top) / Scale);
    return PictureOnPage{place, page.pixelColor(left + 8, top + 8)};
}
