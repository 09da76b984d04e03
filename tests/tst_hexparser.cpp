// SPDX-License-Identifier: MIT
#include "convert/hexparser.h"

#include <QTest>

using convert::HexToLong;

class tst_HexParser : public QObject {
    Q_OBJECT

private slots:
    void valueOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("value");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("two digits") << "D6" << 214;
        QTest::newRow("lower case") << "d6" << 214;
        QTest::newRow("mixed case") << "dB" << 219;
        QTest::newRow("largest byte") << "FF" << 255;
        QTest::newRow("decimal-looking digits are hexadecimal") << "27" << 39;
        QTest::newRow("one digit") << "D" << 13;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("two zeros") << "00" << 0;
        QTest::newRow("blank after keeps the weight") << "D6 " << 3424;
        QTest::newRow("blank first gives 0") << " D6" << 0;
        QTest::newRow("digit then non-digit") << "1G" << 16;
        QTest::newRow("non-digit first") << "G1" << 0;
        QTest::newRow("4G is 40") << "4G" << 64;
        QTest::newRow("5G is 50, the letter P") << "5G" << 0x50;
        QTest::newRow("digits after a non-digit are not read") << "12Z45" << 73728;
        QTest::newRow("0x prefix is not recognised") << "0x1F" << 0;
        QTest::newRow("&H prefix is not recognised") << "&H1F" << 0;
        QTest::newRow("full-width digit is no digit") << "８" << 0;
        QTest::newRow("full-width letter is no digit") << "Ａ" << 0;
        QTest::newRow("letter just past F") << "g" << 0;
        QTest::newRow("largest value") << "7FFFFFFF" << 2147483647;
        QTest::newRow("leading 8 of eight digits is dropped") << "80000000" << 0;
        QTest::newRow("dropped digit, later digits still count") << "8000000F" << 15;
        QTest::newRow("eight Fs lose the first") << "FFFFFFFF" << 268435455;
        QTest::newRow("nine digits keep the last eight") << "123456789" << 591751049;
        QTest::newRow("one followed by eight zeros") << "100000000" << 0;
        QTest::newRow("seven digits are exact") << "FFFFFFF" << 0xFFFFFFF;
        QTest::newRow("7 followed by seven characters fits") << "7000000G" << 0x70000000;
        QTest::newRow("8 followed by seven non-digits is dropped") << "8GGGGGGG" << 0;
        QTest::newRow("forty digits keep what fits of the last eight")
            << "1234567890123456789012345678901234567890" << 0x34567890;
        QTest::newRow("forty characters, digit far from the end") << "F" + QString(39, u'0') << 0;
        QTest::newRow("drop, then a smaller digit fits") << "F7FFFFFFF" << 0x7FFFFFFF;
    }
    void valueOfText()
    {
        QFETCH(QString, text);
        QFETCH(qint32, value);
        QCOMPARE(HexToLong(text), value);
    }

    // Every text of up to two characters, digits or not, gives one byte.
    void shortTextsGiveOneByte()
    {
        const QString sample = QStringLiteral("0123456789abcdefABCDEFgGzZ :&x８");
        for (QChar a : sample) {
            QVERIFY(HexToLong(QString(a)) <= 15);
            for (QChar b : sample) {
                const qint32 value = HexToLong(QString(a) + b);
                QVERIFY(value >= 0 && value <= 255);
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_HexParser)
#include "tst_hexparser.moc"
