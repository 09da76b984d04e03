// SPDX-License-Identifier: MIT
#include "convert/cp936.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <utility>

namespace convert {

namespace {

// Writes "?" for every character the table cannot hold and counts it.
// ICU's own substitute callback skips "default ignorable" characters
// (U+200B, U+202E, U+FEFF, ...) instead, which would drop them from an
// export while the list shows them as 3F.
void substituteAndCount(const void *context, UConverterFromUnicodeArgs *args, const UChar *,
                        int32_t, UChar32, UConverterCallbackReason reason, UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return; // resetting or closing: nothing to substitute
    ++*static_cast<qsizetype *>(const_cast<void *>(context));
    *error = U_ZERO_ERROR;
    ucnv_cbFromUWriteSub(args, 0, error);
}

UConverter *openTable()
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter *converter = ucnv_open("windows-936", &error);
    return U_SUCCESS(error) ? converter : nullptr;
}

} // namespace

struct Cp936::Private {
    UConverter *encoder = openTable();
    UConverter *decoder = openTable(); // stops at the first invalid byte
    qsizetype substitutions = 0;       // counted by the encoder's callback

    ~Private()
    {
        if (encoder)
            ucnv_close(encoder);
        if (decoder)
            ucnv_close(decoder);
    }
};

Cp936::Cp936() : d(std::make_unique<Private>())
{
    if (!isOpen())
        return;
    UErrorCode error = U_ZERO_ERROR;
    // Windows writes "?" for a character outside the table; ICU's own
    // substitute for this table could differ between versions.
    ucnv_setSubstChars(d->encoder, "?", 1, &error);
    ucnv_setFromUCallBack(d->encoder, substituteAndCount, &d->substitutions, nullptr, nullptr,
                          &error);
    ucnv_setToUCallBack(d->decoder, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    if (U_FAILURE(error)) {
        ucnv_close(std::exchange(d->encoder, nullptr));
        ucnv_close(std::exchange(d->decoder, nullptr));
    }
}

Cp936::~Cp936() = default;

bool Cp936::isOpen() const
{
    return d->encoder && d->decoder;
}

std::optional<int> Cp936::encodeCode(QStringView character, char *out, int size)
{
    // ucnv_fromUChars resets the converter and flushes, so no state is
    // carried from one character to the next.
    UErrorCode error = U_ZERO_ERROR;
    d->substitutions = 0;
    const int written =
        ucnv_fromUChars(d->encoder, out, size, reinterpret_cast<const UChar *>(character.utf16()),
                        int(character.size()), &error);
    if (U_FAILURE(error) || d->substitutions > 0)
        return std::nullopt;
    return written;
}

std::optional<QChar> Cp936::decodeCode(const char *bytes, int size)
{
    UChar out[2];
    UErrorCode error = U_ZERO_ERROR;
    const int length = ucnv_toUChars(d->decoder, out, 2, bytes, size, &error);
    if (U_FAILURE(error) || length != 1)
        return std::nullopt;
    return QChar(out[0]);
}

QByteArray Cp936::encodeLine(QStringView line)
{
    if (line.isEmpty())
        return {};
    // Code page 936 never needs more than two bytes for one UTF-16 unit.
    QByteArray bytes(line.size() * 2, Qt::Uninitialized);
    UErrorCode error = U_ZERO_ERROR;
    const int written =
        ucnv_fromUChars(d->encoder, bytes.data(), int(bytes.size()),
                        reinterpret_cast<const UChar *>(line.utf16()), int(line.size()), &error);
    if (U_FAILURE(error))
        return QByteArray(line.size(), '?');
    bytes.truncate(written);
    return bytes;
}

} // namespace convert
