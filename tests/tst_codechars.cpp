// SPDX-License-Identifier: MIT
#include "convert/charcodes.h"
#include "convert/codechars.h"
#include "support/codec.h"

#include <QTest>

using convert::CodesToChars;

namespace {
const QString replacement(QChar::ReplacementCharacter);
}

class tst_CodeChars : public QObject {
    Q_OBJECT

    static QStringList linesOf(const QString &codes)
    {
        return CodesToChars(codes, testCodec()).toStringList();
    }

private slots:
    void exampleOfTheInputHint()
    {
        QCOMPARE(linesOf(QStringLiteral("D6BB B0AE C8F6 BDBF 27 B2BB CBA3 C8D4 D0D4 21")),
                 (QStringList{
                     QStringLiteral("序号:1  D6BB = 只"),
                     QStringLiteral("序号:2  B0AE = 爱"),
                     QStringLiteral("序号:3  C8F6 = 撒"),
                     QStringLiteral("序号:4  BDBF = 娇"),
                     QStringLiteral("序号:5  27 = '"),
                     QStringLiteral("序号:6  B2BB = 不"),
                     QStringLiteral("序号:7  CBA3 = 耍"),
                     QStringLiteral("序号:8  C8D4 = 仍"),
                     QStringLiteral("序号:9  D0D4 = 性"),
                     QStringLiteral("序号:10  21 = !"),
                 }));
    }

    void tokensAndTheirText_data()
    {
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two blanks give an empty token")
            << "D6BB  27" << QStringList{"序号:1  D6BB = 只", "序号:2   = ", "序号:3  27 = '"};
        QTest::newRow("leading blank is dropped, trailing blank gives an empty token")
            << " D6BB " << QStringList{"序号:1  D6BB = 只", "序号:2   = "};
        QTest::newRow("only blanks give one empty token") << "   " << QStringList{"序号:1   = "};
        QTest::newRow("two one-byte codes in one token")
            << "4142" << QStringList{"序号:1  4142 = AB"};
        QTest::newRow("zero first byte gives nothing") << "0041" << QStringList{"序号:1  0041 = "};
        QTest::newRow("characters after the fourth are shown, not decoded")
            << "D6BB27" << QStringList{"序号:1  D6BB27 = 只"};
        QTest::newRow("digit then non-digit counts as digit times 16")
            << "5G" << QStringList{"序号:1  5G = P"};
        QTest::newRow("non-digit first gives nothing") << "G1" << QStringList{"序号:1  G1 = "};
        QTest::newRow("full-width comma") << "A3AC" << QStringList{"序号:1  A3AC = ，"};
        QTest::newRow("three characters: byte from the third alone")
            << "414" << QStringList{"序号:1  414 = A\x04"};
        QTest::newRow("euro sign is the single byte 80") << "80" << QStringList{"序号:1  80 = €"};
        QTest::newRow("middle dot") << "A1A4" << QStringList{QStringLiteral("序号:1  A1A4 = ·")};
        QTest::newRow("lead byte alone decodes to the replacement")
            << "D6" << QStringList{"序号:1  D6 = " + replacement};
        QTest::newRow("lead byte before a byte that cannot trail")
            << "D621" << QStringList{"序号:1  D621 = " + replacement + "!"};
        QTest::newRow("one-byte code before a lead byte")
            << "41D6" << QStringList{"序号:1  41D6 = A" + replacement};
        QTest::newRow("full-width blank is part of a token")
            << QStringLiteral("\u3000D6BB 27")
            << QStringList{QStringLiteral("序号:1  \u3000D6BB = "), "序号:2  27 = '"};
        QTest::newRow("tab does not separate") << "41\t42" << QStringList{"序号:1  41\t42 = A"};
    }
    void tokensAndTheirText()
    {
        QFETCH(QString, codes);
        QFETCH(QStringList, lines);
        QCOMPARE(linesOf(codes), lines);
    }

    void everyTokenGetsALine()
    {
        QStringList tokens;
        for (int i = 0; i < 250; ++i)
            tokens.append(QStringLiteral("%1").arg(0x21 + i % 90, 2, 16));
        const QStringList lines = linesOf(tokens.join(u' '));
        QCOMPARE(lines.size(), 250);
        QCOMPARE(lines.at(249),
                 QStringLiteral("序号:250  %1 = %2").arg(tokens.at(249), QChar(0x21 + 249 % 90)));
    }

    // The code line copied from page 0's list, converted on page 1, gives
    // back the characters; the text copied from page 1's list is them.
    void copiedCodesConvertBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("codes");
        QTest::newRow("Chinese, a letter and a tab") << "张A\t三"
                                                     << "D5C5 41 09 C8FD";
        QTest::newRow("line breaks and a blank") << "\r\n "
                                                 << "0D 0A 20";
        QTest::newRow("euro sign and full-width comma") << "€，"
                                                        << "80 A3AC";
        QTest::newRow("an equals sign and a dot") << "=·"
                                                  << "3D A1A4";
    }
    void copiedCodesConvertBack()
    {
        QFETCH(QString, text);
        QFETCH(QString, codes);
        QStringList codeTokens;
        for (const QString &line : convert::CharsToCodes(text, testCodec()).toStringList())
            codeTokens << convert::codeOfCharCodeLine(line);
        QCOMPARE(codeTokens.join(u' '), codes);
        QString back;
        for (const QString &line : linesOf(codes))
            back += convert::textOfCodeCharLine(line);
        QCOMPARE(back, text);
    }

    void textOfOddLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty token") << "序号:2   = "
                                     << "";
        QTest::newRow("equals sign as the token") << "序号:3  = = "
                                                  << "";
        QTest::newRow("text with a blank and an equals sign") << "序号:12  203D =  ="
                                                              << " =";
        QTest::newRow("tab inside the token") << "序号:1  41\t42 = A"
                                              << "A";
        QTest::newRow("not a list line") << "张三"
                                         << "";
        QTest::newRow("a page 0 line") << "序号:1   原字符:A    10进制:65   16进制:41"
                                       << "";
    }
    void textOfOddLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, text);
        QCOMPARE(convert::textOfCodeCharLine(line), text);
    }

    void upperCasesLetterForLetter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("hexadecimal letters") << "d6bb b0ae 5g"
                                             << "D6BB B0AE 5G";
        QTest::newRow("sharp s keeps its length") << "ß"
                                                  << "ß";
        QTest::newRow("n preceded by apostrophe keeps its length") << "ŉ"
                                                                   << "ŉ";
        QTest::newRow("ligature keeps its length") << "ﬀ"
                                                   << "ﬀ";
        QTest::newRow("full-width letter") << "ａ"
                                           << "Ａ";
        QTest::newRow("Greek final sigma") << "ς"
                                           << "Σ";
        QTest::newRow("letter outside the BMP") << QStringLiteral("𐐨") << QStringLiteral("𐐀");
        QTest::newRow("lone surrogate is kept")
            << (QString(QChar(0xD801)) + "a") << (QString(QChar(0xD801)) + "A");
        QTest::newRow("Chinese is unchanged") << "只a"
                                              << "只A";
    }
    void upperCasesLetterForLetter()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QCOMPARE(convert::upperCased(text), upper);
    }
};

QTEST_GUILESS_MAIN(tst_CodeChars)
#include "tst_codechars.moc"
