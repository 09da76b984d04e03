// SPDX-License-Identifier: MIT
#include "savefile/namecells.h"
#include "support/codec.h"
#include "support/slotbytes.h"

#include <QTest>

class tst_NameCells : public QObject {
    Q_OBJECT

private slots:
    void hexBoxesGiveSlotBytes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("four digits are lead then trail") << "D5C5" << QByteArray::fromHex("D5C5");
        QTest::newRow("lower-case digits count as upper-case")
            << "d5c5" << QByteArray::fromHex("D5C5");
        QTest::newRow("two digits leave the second byte zero")
            << "41" << QByteArray::fromHex("4100");
        QTest::newRow("an empty box writes two zeros") << "" << QByteArray::fromHex("0000");
        QTest::newRow("a third digit alone is the second byte")
            << "D5C" << QByteArray::fromHex("D50C");
        QTest::newRow("digits after the fourth are ignored")
            << "D5C5C8FD" << QByteArray::fromHex("D5C5");
        QTest::newRow("a blank ends the second half") << "D5 C5" << QByteArray::fromHex("D500");
        QTest::newRow("a digit before a non-digit counts sixteen fold")
            << "5G" << QByteArray::fromHex("5000");
        QTest::newRow("blanks alone write zeros") << "    " << QByteArray::fromHex("0000");
        QTest::newRow("a surrogate pair is a whole half")
            << QStringLiteral("𠀀41") << QByteArray::fromHex("0041");
    }
    void hexBoxesGiveSlotBytes()
    {
        QFETCH(QString, box);
        QFETCH(QByteArray, cell);
        for (int boxIndex = 0; boxIndex < 4; ++boxIndex) {
            savefile::HexBoxes boxes;
            boxes[boxIndex] = box;
            QByteArray expected(8, '\0');
            expected.replace(2 * boxIndex, 2, cell);
            QCOMPARE(toByteArray(savefile::slotBytesFromHexBoxes(boxes)), expected);
        }
    }

    void flagsWhatTheWriteIgnores_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("nonHexDigit");
        QTest::addColumn<bool>("extraUnits");
        QTest::newRow("four digits are clean") << "D5C5" << false << false;
        QTest::newRow("lower-case digits are clean") << "d5c5" << false << false;
        QTest::newRow("an empty box is clean") << "" << false << false;
        QTest::newRow("three digits are clean") << "D5C" << false << false;
        QTest::newRow("a blank among the four is read as 0") << "D5 C5" << true << true;
        QTest::newRow("a letter past F is read as 0") << "5G" << true << false;
        QTest::newRow("a full-width digit is no digit") << QStringLiteral("Ｄ5") << true << false;
        QTest::newRow("digits after the fourth are ignored") << "D5C5C8FD" << false << true;
        QTest::newRow("a surrogate pair is no digit") << QStringLiteral("𠀀41") << true << false;
    }
    void flagsWhatTheWriteIgnores()
    {
        QFETCH(QString, box);
        QFETCH(bool, nonHexDigit);
        QFETCH(bool, extraUnits);
        const savefile::BoxFlaws flaws = savefile::hexBoxFlaws(box);
        QCOMPARE(flaws.nonHexDigit, nonHexDigit);
        QCOMPARE(flaws.extraUnits, extraUnits);
        QCOMPARE(flaws.any(), nonHexDigit || extraUnits);
    }

    void cellHexHasTwoDigitsPerByte()
    {
        const savefile::SlotBytes bytes = slotBytes(QByteArray::fromHex("D5C5090A00000000"));
        QCOMPARE(savefile::cellHex(bytes, 0), QStringLiteral("D5C5"));
        QCOMPARE(savefile::cellHex(bytes, 1, u" "), QStringLiteral("09 0A"));
        QCOMPARE(savefile::cellHex(bytes, 3, u" "), QStringLiteral("00 00"));
    }

    void cellsDecodeToNames_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("a two-character name then zeros")
            << QByteArray::fromHex("D5C5C8FD00000000") << QStringList{"张", "三", "", ""};
        QTest::newRow("four cells in file order")
            << QByteArray::fromHex("B0AEC8F6BDBFD6BB") << QStringList{"爱", "撒", "娇", "只"};
        QTest::newRow("one-byte codes give one or two characters")
            << QByteArray::fromHex("4100414200000000") << QStringList{"A", "AB", "", ""};
        QTest::newRow("a zero first byte hides the second")
            << QByteArray::fromHex("0041000000000041") << QStringList{"", "", "", ""};
        QTest::newRow("a lead byte before a zero shows the replacement")
            << QByteArray::fromHex("D600D5C500000000")
            << QStringList{QString(QChar::ReplacementCharacter), "张", "", ""};
    }
    void cellsDecodeToNames()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QStringList, names);
        const savefile::CellNames cells = savefile::decodeNameCells(slotBytes(slot), testCodec());
        QCOMPARE(QStringList(cells.begin(), cells.end()), names);
    }
};

QTEST_GUILESS_MAIN(tst_NameCells)
#include "tst_namecells.moc"
