// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include "app/fontsubstitutes.h"
#include "app/plaintextmessageboxes.h"
#include "app/programicon.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QTranslator *installQtCatalogue(const QString &folder)
{
    auto *translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), folder)
        && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

void prepareApplication()
{
    // The program's own texts are Chinese, so Qt's must be too, whatever
    // the system's language.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    installQtCatalogue(QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    // Message boxes and file choosers show the program icon too; the desktop
    // name ties the windows to the menu entry that started them.
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vemdra"));
    installFontSubstitutes();
    showMessageBoxTextsPlain();
}
