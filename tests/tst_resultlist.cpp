// SPDX-License-Identifier: MIT
#include "app/resultlist.h"
#include "app/startup.h"
#include "convert/charcodes.h"
#include "convert/codechars.h"
#include "support/codec.h"

#include <QApplication>
#include <QGlyphRun>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTextLayout>

#include <algorithm>

namespace {

// The list's only row as it is drawn: the delegate's text, laid out as Qt's
// styles lay out an item's text, where a line feed starts a new line.
struct DrawnRow {
    QTextLayout layout;

    explicit DrawnRow(const ResultList &list)
    {
        const auto *delegate = qobject_cast<const QStyledItemDelegate *>(list.itemDelegate());
        QString text = delegate->displayText(list.model()->index(0, 0).data(), list.locale());
        layout.setText(text.replace(u'\n', QChar::LineSeparator));
        layout.setFont(list.font());
        QTextOption option;
        option.setTextDirection(list.layoutDirection());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(1e6);
        layout.endLayout();
    }

    // Where the character at `position` is drawn: its leftmost glyph, or
    // -1 for a character drawn without one.
    qreal x(int position) const
    {
        qreal left = -1;
        for (const QGlyphRun &run : layout.glyphRuns(position, 1)) {
            for (const QPointF &glyph : run.positions())
                left = left < 0 ? glyph.x() : std::min(left, glyph.x());
        }
        return left;
    }
};

QString firstLine(const convert::Lines &lines)
{
    return lines.at(0).toString();
}

} // namespace

class tst_ResultList : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }

    // A line reads left to right, each character after the one before it,
    // whatever character the line holds; yet the line itself, which is
    // copied and exported, keeps that character.
    void linesReadLeftToRight_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("character");
        // Embeddings, overrides and isolates; the marks; strong
        // right-to-left letters, which carry the digits after them along;
        // line and paragraph breaks.
        const char16_t characters[] = {0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067,
                                       0x2068, 0x2069, 0x200E, 0x200F, 0x061C, 0x05D0, 0x0627,
                                       0x000A, 0x000D, 0x2028, 0x2029,
                                       // Characters that draw nothing or
                                       // sit on their neighbour.
                                       0x200D, 0x00AD, 0xFEFF, 0x000C, 0x0301};
        for (const char16_t c : characters) {
            const QString character(QChar{c});
            QTest::addRow("List1, U+%04X", unsigned(c))
                << firstLine(convert::CharsToCodes(character, testCodec())) << character;
        }
        // A token is whatever was typed between blanks.
        QTest::newRow("List2, a token after an override")
            << firstLine(convert::CodesToChars(u"\u202E41", testCodec()))
            << QStringLiteral("\u202E");
        QTest::newRow("List2, digits after a Hebrew letter")
            << firstLine(convert::CodesToChars(u"\u05D041", testCodec()))
            << QStringLiteral("\u05D0");
    }
    void linesReadLeftToRight()
    {
        QFETCH(QString, line);
        QFETCH(QString, character);
        ResultList list;
        convert::Lines lines;
        lines.append(line);
        list.setLines(lines);

        QCOMPARE(list.model()->index(0, 0).data().toString(), line);
        list.selectAll();
        QCOMPARE(list.selectedText(), line);

        const DrawnRow drawn(list);
        QCOMPARE(drawn.layout.lineCount(), 1);
        // Each character with a glyph is drawn right of those before it.
        qreal right = 0;
        for (int i = 0; i < drawn.layout.text().size(); ++i) {
            const qreal x = drawn.x(i);
            if (x < 0)
                continue;
            QVERIFY2(x >= right, qPrintable(QStringLiteral("character %1 goes left").arg(i)));
            right = x;
        }

        // The character is seen: it takes room of its own.
        lines = {};
        lines.append(QString(line).remove(character));
        list.setLines(lines);
        QVERIFY(drawn.layout.lineAt(0).naturalTextWidth()
                > DrawnRow(list).layout.lineAt(0).naturalTextWidth());
    }
};

QTEST_MAIN(tst_ResultList)
#include "tst_resultlist.moc"
