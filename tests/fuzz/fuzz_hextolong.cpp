// SPDX-License-Identifier: MIT
// HexToLong against a slow model that follows the rules word for word:
// each digit's contribution is formed in floating point by multiplying by
// 16 once per following character, and skipped when the total would pass
// 2147483647.
#include "convert/hexparser.h"
#include "fuzzinput.h"

namespace {

int modelDigit(char16_t c)
{
    const QString digits = QStringLiteral("0123456789ABCDEF");
    const QString lower = QStringLiteral("0123456789abcdef");
    for (int v = 0; v < 16; ++v) {
        if (digits[v] == QChar(c) || lower[v] == QChar(c))
            return v;
    }
    return -1;
}

long long model(const QString &text)
{
    double total = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int digit = modelDigit(text[i].unicode());
        if (digit < 0)
            break;
        double contribution = digit;
        for (qsizetype k = i + 1; k < text.size(); ++k)
            contribution *= 16;
        if (total + contribution <= 2147483647.0)
            total += contribution;
    }
    return (long long)total;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Long texts only repeat what the first few hundred characters show,
    // and the model is quadratic.
    if (size > 1024)
        return 0;
    const QString text = utf16Of(data, size);
    const qint32 value = convert::HexToLong(text);
    FUZZ_CHECK(value >= 0);
    FUZZ_CHECK(value == model(text));
    if (text.size() <= 2)
        FUZZ_CHECK(value <= 255);
    return 0;
}
