// SPDX-License-Identifier: MIT
#include "convert/cp936.h"

namespace convert {

AnsiCode Cp936::encode(QStringView character)
{
    char out[8];
    const std::optional<int> written = encodeCode(character, out, sizeof out);
    AnsiCode code;
    if (!written || *written < 1 || *written > 2) {
        code.bytes = {'?', 0};
        code.unencodable = true;
        return code;
    }
    code.size = *written;
    code.bytes = {quint8(out[0]), quint8(*written == 2 ? out[1] : 0)};
    return code;
}

// The rules are ICU's, spelled out so that every platform's table gives
// the same text for every pair.
QString Cp936::decodePair(quint8 first, quint8 second)
{
    const char pair[2] = {char(first), char(second)};
    const auto alone = [&](int i) {
        const std::optional<QChar> c =
            isLeadByte(quint8(pair[i])) ? std::nullopt : decodeCode(pair + i, 1);
        return c.value_or(QChar(QChar::ReplacementCharacter));
    };

    QString text;
    if (!isLeadByte(first)) {
        text = QString(alone(0)) + alone(1);
    } else if (const std::optional<QChar> c = decodeCode(pair, 2)) {
        text = *c;
    } else {
        text = QString(QChar(QChar::ReplacementCharacter)) + alone(1);
    }
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

} // namespace convert
