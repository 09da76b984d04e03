// SPDX-License-Identifier: MIT
// Any line of codes gives one list line per token, numbered from 1, each
// showing its whole token, and never crashes.
#include "convert/codechars.h"
#include "fuzzinput.h"
#include "support/codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString codes = convert::upperCased(utf16Of(data, size));
    const convert::Lines lines = convert::CodesToChars(codes, testCodec());

    // The tokens as the rules give them: leading blanks dropped, one blank
    // appended, every blank ending the token before it.
    QStringView rest(codes);
    while (rest.startsWith(u' '))
        rest = rest.mid(1);
    const QString ended = rest.toString() + u' ';
    QStringList tokens;
    QString token;
    for (const QChar c : ended) {
        if (c == u' ') {
            tokens.append(token);
            token.clear();
        } else {
            token += c;
        }
    }
    FUZZ_CHECK(lines.size() == tokens.size());
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const QString head =
            QStringLiteral("序号:%1  ").arg(k + 1) + tokens[k] + QStringLiteral(" = ");
        FUZZ_CHECK(lines.at(k).startsWith(head));
        // Two bytes decode to at most two characters, never to a NUL.
        const QStringView text = lines.at(k).mid(head.size());
        FUZZ_CHECK(text.size() <= 2);
        FUZZ_CHECK(!text.contains(QChar(0)));
    }
    FUZZ_CHECK(convert::upperCased(codes).size() == codes.size());
    return 0;
}
