// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include "app/fontsubstitutes.h"
#include "app/plaintextmessageboxes.h"
#include "app/programicon.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

void prepareApplication()
{
    // The program's own texts are Chinese, so Qt's must be too. The
    // translation is built into the program: it needs no package and no
    // particular system language.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")))
        QCoreApplication::installTranslator(translator);

    // Message boxes and file choosers show the program icon too; the desktop
    // name ties the windows to the menu entry that started them.
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vemdra"));
    installFontSubstitutes();
    showMessageBoxTextsPlain();
}
