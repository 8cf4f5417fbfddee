#include "PdfReadback.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

QString PdfLine::Text() const {
    QStringList texts;
    for (const PdfWord& w : Words)
        texts << w.Text;
    return texts.join(QLatin1Char(' '));
}

QByteArray RunTool(const QString& program, const QStringList& arguments, QString* error) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (error)
            *error = program + QStringLiteral(" failed: ") +
                     QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }
    return process.readAllStandardOutput();
}

std::vector<PdfPage> ReadPdfWords(const QString& pdf) {
    QString error;
    const QByteArray html = RunTool(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &error);
    std::vector<PdfPage> pages;
    QXmlStreamReader xml(html);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            pages.push_back(PdfPage{QSizeF(a.value(QLatin1String("width")).toDouble(),
                                           a.value(QLatin1String("height")).toDouble()),
                                    {}});
        } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
            const double x0 = a.value(QLatin1String("xMin")).toDouble();
            const double y0 = a.value(QLatin1String("yMin")).toDouble();
            const double x1 = a.value(QLatin1String("xMax")).toDouble();
            const double y1 = a.value(QLatin1String("yMax")).toDouble();
            pages.back().Words.push_back(
                PdfWord{QRectF(QPointF(x0, y0), QPointF(x1, y1)), xml.readElementText()});
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
        if (line == lines.end()) {
            lines.push_back(PdfLine{word.Box.top(), {}});
            line = lines.end() - 1;
        }
        line->Words.push_back(word);
    }
    std::sort(lines.begin(), lines.end(),
              [](const PdfLine& a, const PdfLine& b) { return a.Top < b.Top; });
    for (PdfLine& l : lines)
        std::sort(l.Words.begin(), l.Words.end(),
                  [](const PdfWord& a, const PdfWord& b) { return a.Box.left() < b.Box.left(); });
    return lines;
}

double LinePitch(const PdfPage& page) {
    const std::vector<PdfLine> lines = TextLines(page);
    double pitch = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const double d = lines[i].Top - lines[i - 1].Top;
        if (pitch == 0 || d < pitch)
            pitch = d;
    }
    return pitch;
}

QStringList LinesOnGrid(const PdfPage& page, double top, double pitch) {
    QStringList out;
    for (const PdfLine& line : TextLines(page)) {
        const double k = (line.Top - top) / pitch;
        const long index = std::lround(k);
        if (std::fabs(k - static_cast<double>(index)) > 0.2 || index < 0) {
            out << QStringLiteral("<off grid: %1>").arg(line.Text());
            continue;
        }
        while (out.size() <= index)
            out << QString();
        out[index] = line.Text();
    }
    return out;
}

std::vector<QStringList> PrintedLines(const QString& pdf, double pitch) {
    const std::vector<PdfPage> pages = ReadPdfWords(pdf);
    std::vector<QStringList> out;
    if (pages.empty())
        return out;
    const std::vector<PdfLine> first = TextLines(pages.front());
    const double top = first.empty() ? 0.0 : first.front().Top;
    if (pitch <= 0)
        pitch = LinePitch(pages.front());
    for (const PdfPage& page : pages)
        out.push_back(LinesOnGrid(page, top, pitch));
    return out;
}

QStringList AllLines(const std::vector<QStringList>& pages) {
    QStringList all;
    for (const QStringList& p : pages)
        all += p;
    return all;
}

QString Collapsed(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    return QString(text).replace(blanks, QStringLiteral(" ")).trimmed();
}

QStringList Collapsed(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        out << Collapsed(l);
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
    QString error;
    const QByteArray list =
        RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}, &error);
    // Two heading lines, then one line per picture.
    const QList<QByteArray> lines = list.trimmed().split('\n');
    return std::max<int>(0, static_cast<int>(lines.size()) - 2);
}

QImage RenderPage(const QString& pdf, int page, int dpi) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    QString error;
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
             QString::number(dpi), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), pdf, base},
            &error);
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QRect InkBounds(const QImage& image, int firstRow) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = std::max(firstRow, 0); y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(row[x]) > 240 && qGreen(row[x]) > 240 && qBlue(row[x]) > 240)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
