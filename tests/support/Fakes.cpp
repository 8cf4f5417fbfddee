#include "Fakes.h"

#include <QFile>

void FormFixture::WriteSettings(const QByteArray& content) {
    QFile f(programFolder.path() + QStringLiteral("/zahlwerk.ini"));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}
