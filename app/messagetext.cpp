// SPDX-License-Identifier: MIT
#include "app/messagetext.h"

#include "app/systemerror.h"
#include "convert/characters.h"

#include <QChar>
#include <QDir>

namespace {

char32_t codePoint(QStringView character)
{
    return character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                 : character[0].unicode();
}

bool isInvisible(char32_t code)
{
    switch (QChar::category(code)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: return false;
    }
}

QString code(char32_t code)
{
    return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString namedInMessage(QStringView character)
{
    const char32_t c = codePoint(character);
    return isInvisible(c) ? code(c) : character.toString();
}

QString quotedInMessage(QStringView text, qsizetype maxCharacters)
{
    QString quoted;
    qsizetype count = 0;
    for (qsizetype at = 0; at < text.size(); ++count) {
        if (count == maxCharacters)
            return quoted + u'…';
        const QStringView character = text.mid(at, convert::characterLength(text, at));
        const char32_t c = codePoint(character);
        quoted += isInvisible(c) ? u'<' + code(c) + u'>' : character.toString();
        at += character.size();
    }
    return quoted;
}

QString fileFailureText(QStringView sentence, const QString &path, int code)
{
    QString text = sentence.toString().arg(QDir::toNativeSeparators(path));
    const QString reason = systemErrorReason(code);
    if (!reason.isEmpty())
        text += u'\n' + reason;
    return text;
}
