// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

// Text the user typed, as a message quotes it: at most `maxCharacters`
// characters, then "…", so a huge paste gives a message box of normal size;
// a character that draws nothing or draws on its neighbour (a control or
// format character, a combining mark) is shown as its code, "<U+200B>".
QString quotedInMessage(QStringView text, qsizetype maxCharacters = 32);

// One character as a message names it: itself, or its code ("U+200B")
// where it could not be seen.
QString namedInMessage(QStringView character);

// A failure as a message says it: `sentence` with the path, as the system
// writes it, for %1, then the reason for the system's error `code`, if
// there is one, on a line of its own.
QString fileFailureText(QStringView sentence, const QString &path, int code);
