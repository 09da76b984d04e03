// SPDX-License-Identifier: MIT
#include "gamefile/query.h"

#include "convert/characters.h"
#include "convert/cp936.h"

namespace gamefile {

namespace {

QueryBytes textBytes(convert::Cp936 &codec, QStringView typed)
{
    const QString text = typed.toString().normalized(QString::NormalizationForm_C);
    QueryBytes result;
    for (qsizetype at = 0; at < text.size();) {
        const QStringView character = QStringView(text).mid(at, convert::characterLength(text, at));
        const convert::AnsiCode code = codec.encode(character);
        if (code.unencodable)
            return {{}, QueryRefusal::Unencodable, character.toString()};
        result.bytes.append(char(code.bytes[0]));
        if (code.isDoubleByte())
            result.bytes.append(char(code.bytes[1]));
        at += character.size();
    }
    return result;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Each token exactly 2 or 4 hexadecimal digits, nothing read leniently:
// a query must mean exactly the bytes the user has in mind.
QueryBytes codeBytes(QStringView typed)
{
    QueryBytes result;
    qsizetype at = 0;
    while (at < typed.size()) {
        if (typed[at] == u' ' || typed[at] == u'\t') {
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < typed.size() && typed[end] != u' ' && typed[end] != u'\t')
            ++end;
        const QStringView token = typed.mid(at, end - at);
        bool valid = token.size() == 2 || token.size() == 4;
        for (const QChar c : token)
            valid = valid && hexDigit(c) >= 0;
        if (!valid)
            return {{}, QueryRefusal::NotACode, token.toString()};
        for (qsizetype i = 0; i < token.size(); i += 2)
            result.bytes.append(char(hexDigit(token[i]) * 16 + hexDigit(token[i + 1])));
        at = end;
    }
    return result;
}

} // namespace

QueryBytes queryBytes(convert::Cp936 &codec, QStringView typed, QueryForm form)
{
    QueryBytes result = form == QueryForm::Text ? textBytes(codec, typed) : codeBytes(typed);
    if (!result.refusal && result.bytes.isEmpty())
        result.refusal = QueryRefusal::Empty;
    return result;
}

Replacement padReplacement(const QByteArray &typed, qsizetype querySize, char pad)
{
    if (typed.size() > querySize)
        return {{}, true, typed.size()};
    QByteArray bytes = typed;
    bytes.append(querySize - typed.size(), pad);
    return {bytes, false, typed.size()};
}

} // namespace gamefile
