// SPDX-License-Identifier: MIT
// Any text, lone surrogates and NULs included, gives one line per
// character (a surrogate pair is one), in one of the two formats.
#include "convert/charcodes.h"
#include "fuzzinput.h"
#include "support/codec.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QRegularExpression oneByte(
        QStringLiteral("^    10进制:(\\d+)   16进制:([0-9A-F]{1,2})$"));
    static const QRegularExpression twoBytes(
        QStringLiteral("^   10进制:(\\d+),(\\d+)   16进制:([0-9A-F]{2}) ([0-9A-F]{2})$"));

    const QString text = utf16Of(data, size);
    const convert::Lines lines = convert::CharsToCodes(text, testCodec());

    qsizetype position = 0;
    for (qsizetype i = 0; i < text.size(); ++position) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QStringView character = QStringView(text).mid(i, pair ? 2 : 1);
        i += character.size();

        FUZZ_CHECK(position < lines.size());
        const QString head =
            QStringLiteral("序号:%1   原字符:").arg(position + 1) + character.toString();
        const QStringView line = lines.at(position);
        FUZZ_CHECK(line.startsWith(head));
        const QString tail = line.mid(head.size()).toString();
        const auto single = oneByte.match(tail);
        const auto dual = twoBytes.match(tail);
        FUZZ_CHECK(single.hasMatch() != dual.hasMatch());
        if (single.hasMatch()) {
            FUZZ_CHECK(single.captured(1).toInt() == single.captured(2).toInt(nullptr, 16));
        } else {
            FUZZ_CHECK(dual.captured(1).toInt() == dual.captured(3).toInt(nullptr, 16));
            FUZZ_CHECK(dual.captured(2).toInt() == dual.captured(4).toInt(nullptr, 16));
            FUZZ_CHECK(dual.captured(1).toInt() >= 0x81);
        }
    }
    FUZZ_CHECK(position == lines.size());
    return 0;
}
