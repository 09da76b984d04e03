// SPDX-License-Identifier: MIT
#include "convert/charcodes.h"
#include "support/codec.h"

#include <QTest>

class tst_CharCodes : public QObject {
    Q_OBJECT

private slots:
    void linesOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one-byte letter, four blanks before 10进制")
            << QStringLiteral("A")
            << QStringList{QStringLiteral("序号:1   原字符:A    10进制:65   16进制:41")};
        QTest::newRow("two-byte character, three blanks, bytes apart")
            << QStringLiteral("只")
            << QStringList{QStringLiteral("序号:1   原字符:只   10进制:214,187   16进制:D6 BB")};
        QTest::newRow("positions count characters, not bytes")
            << QStringLiteral("只A")
            << QStringList{QStringLiteral("序号:1   原字符:只   10进制:214,187   16进制:D6 BB"),
                           QStringLiteral("序号:2   原字符:A    10进制:65   16进制:41")};
        QTest::newRow("blank is kept as a character")
            << QStringLiteral(" ")
            << QStringList{QStringLiteral("序号:1   原字符:     10进制:32   16进制:20")};
        QTest::newRow("full-width comma")
            << QStringLiteral("，")
            << QStringList{QStringLiteral("序号:1   原字符:，   10进制:163,172   16进制:A3 AC")};
        QTest::newRow("tab has one hex digit")
            << QStringLiteral("\t")
            << QStringList{QStringLiteral("序号:1   原字符:\t    10进制:9   16进制:9")};
        QTest::newRow("line breaks are characters too")
            << QStringLiteral("\r\n")
            << QStringList{QStringLiteral("序号:1   原字符:\r    10进制:13   16进制:D"),
                           QStringLiteral("序号:2   原字符:\n    10进制:10   16进制:A")};
        QTest::newRow("euro sign is one byte 80")
            << QStringLiteral("€")
            << QStringList{QStringLiteral("序号:1   原字符:€    10进制:128   16进制:80")};
        QTest::newRow("character outside the table shows ?")
            << QStringLiteral("ß")
            << QStringList{QStringLiteral("序号:1   原字符:ß    10进制:63   16进制:3F")};
        QTest::newRow("surrogate pair takes one position")
            << QStringLiteral("😀A")
            << QStringList{QStringLiteral("序号:1   原字符:😀    10进制:63   16进制:3F"),
                           QStringLiteral("序号:2   原字符:A    10进制:65   16进制:41")};
        QTest::newRow("lone surrogate is one character")
            << (QString(QChar(0xDC00)) + QChar(0xD800))
            << QStringList{QStringLiteral("序号:1   原字符:") + QChar(0xDC00)
                               + QStringLiteral("    10进制:63   16进制:3F"),
                           QStringLiteral("序号:2   原字符:") + QChar(0xD800)
                               + QStringLiteral("    10进制:63   16进制:3F")};
        QTest::newRow("NUL is code 0") << QString(QChar(0))
                                       << QStringList{QStringLiteral("序号:1   原字符:") + QChar(0)
                                                      + QStringLiteral("    10进制:0   16进制:0")};
    }
    void linesOfText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(convert::CharsToCodes(text, testCodec()).toStringList(), lines);
    }

    void tenthPositionHasTwoDigits()
    {
        const QStringList lines = convert::CharsToCodes(u"abcdefghijk", testCodec()).toStringList();
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.at(10), QStringLiteral("序号:11   原字符:k    10进制:107   16进制:6B"));
    }
};

QTEST_GUILESS_MAIN(tst_CharCodes)
#include "tst_charcodes.moc"
