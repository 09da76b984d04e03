// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QTranslator;

// What the program sets up before its first window. The widget tests call
// the same functions, so that they see the program as its users do.

// Settings of the process itself: on Linux, a file-size limit then makes a
// write fail with EFBIG, which is reported, instead of ending the program
// with SIGXFSZ. Call first thing in main().
void prepareProcess();

// Qt's own texts (the buttons of message boxes, the file choosers and the
// question before replacing a file, the menus of text fields) in
// Simplified Chinese whatever the system's language, dates and numbers
// the Chinese way, the program icon on every window, the font fallbacks
// for Chinese, and every message box's text as plain text. Call after the
// QApplication is made.
void prepareApplication();

// Installs Qt's Chinese catalogue, qtbase_zh_CN.qm, from `folder`: Qt's
// translations folder (Debian's qt6-translations-l10n; on Windows the
// "translations" folder beside the program, through qt.conf). Returns the
// installed translator, owned by the application, or null when the folder
// has no catalogue: the program then works with Qt's texts in English.
QTranslator *installQtCatalogue(const QString &folder);
