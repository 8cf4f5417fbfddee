// Rewrites the settings file in the folder given, alternating two contents, until it is
// killed. The process test kills it at random moments and looks at what is left.

#include "KillWriter.h"
#include "SettingsFile.h"

#include <QString>

int main(int argc, char* argv[]) {
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/zahlwerk.ini");
    for (unsigned i = 1;; ++i)
        WriteSettingsFile(path, SettingsText(KillWriterContent(i % 2 != 0)));
}
