// SPDX-License-Identifier: MIT
#include "convert/cp936.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

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

} // namespace

Cp936::Cp936()
{
    UErrorCode error = U_ZERO_ERROR;
    m_converter = ucnv_open("windows-936", &error);
    if (U_FAILURE(error)) {
        m_converter = nullptr;
        return;
    }
    // Windows writes "?" for a character outside the table; ICU's own
    // substitute for this table could differ between versions.
    ucnv_setSubstChars(m_converter, "?", 1, &error);
    ucnv_setFromUCallBack(m_converter, substituteAndCount, &m_substitutions, nullptr, nullptr,
                          &error);
    if (U_FAILURE(error)) {
        ucnv_close(m_converter);
        m_converter = nullptr;
    }
}

Cp936::~Cp936()
{
    if (m_converter)
        ucnv_close(m_converter);
}

AnsiCode Cp936::encode(QStringView character)
{
    // ucnv_fromUChars resets the converter and flushes, so no state is
    // carried from one character to the next.
    char out[8];
    UErrorCode error = U_ZERO_ERROR;
    m_substitutions = 0;
    const int written = ucnv_fromUChars(m_converter, out, sizeof out,
                                        reinterpret_cast<const UChar *>(character.utf16()),
                                        int(character.size()), &error);
    AnsiCode code;
    if (U_FAILURE(error) || m_substitutions > 0 || written < 1 || written > 2) {
        code.bytes = {'?', 0};
        code.unencodable = true;
        return code;
    }
    code.size = written;
    code.bytes = {quint8(out[0]), quint8(written == 2 ? out[1] : 0)};
    return code;
}

QString Cp936::decodePair(quint8 first, quint8 second)
{
    const char in[2] = {char(first), char(second)};
    UChar out[4];
    UErrorCode error = U_ZERO_ERROR;
    const int length = ucnv_toUChars(m_converter, out, 4, in, 2, &error);
    if (U_FAILURE(error))
        return QString(QChar::ReplacementCharacter);
    QString text(reinterpret_cast<const QChar *>(out), length);
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QByteArray Cp936::encodeLine(QStringView line)
{
    if (line.isEmpty())
        return {};
    // Code page 936 never needs more than two bytes for one UTF-16 unit.
    QByteArray bytes(line.size() * 2, Qt::Uninitialized);
    UErrorCode error = U_ZERO_ERROR;
    const int written =
        ucnv_fromUChars(m_converter, bytes.data(), int(bytes.size()),
                        reinterpret_cast<const UChar *>(line.utf16()), int(line.size()), &error);
    if (U_FAILURE(error))
        return QByteArray(line.size(), '?');
    bytes.truncate(written);
    return bytes;
}

} // namespace convert
