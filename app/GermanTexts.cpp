// SPDX-License-Identifier: GPL-3.0-or-later
#include "GermanTexts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

void InstallGermanTexts(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/translations/qtbase_de.qm")))
        QCoreApplication::installTranslator(translator);
}
