// SPDX-License-Identifier: MIT
#pragma once

#include "support/mainwindowfixture.h"

#include <QByteArray>
#include <QRadioButton>
#include <QStringList>

// The main window on its save-file page: the page's controls by meaning,
// and a save file of known bytes.
class SaveFilePageFixture : public MainWindowFixture {
public:
    // 4096 bytes of EE with 张三 in slot 1 and 爱 in slot 3.
    static QByteArray gameFile()
    {
        QByteArray bytes(4096, '\xEE');
        bytes.replace(1724, 8, QByteArray::fromHex("D5C5C8FD00000000"));
        bytes.replace(1852, 8, QByteArray::fromHex("B0AE000000000000"));
        return bytes;
    }

    // The hexadecimal box of `cell` (0 to 3): Text8 to Text11.
    QLineEdit *box(int cell) const
    {
        return field(qPrintable(QStringLiteral("Text%1").arg(8 + cell)));
    }
    QStringList boxes() const
    {
        return {box(0)->text(), box(1)->text(), box(2)->text(), box(3)->text()};
    }
    void typeBoxes(const QStringList &texts)
    {
        for (int cell = 0; cell < 4; ++cell)
            box(cell)->setText(texts[cell]);
    }

    // The name boxes, Text4 to Text7.
    QStringList names() const
    {
        return {field("Text4")->text(), field("Text5")->text(), field("Text6")->text(),
                field("Text7")->text()};
    }

    QRadioButton *option(int slot) const
    {
        return control<QRadioButton>(qPrintable(QStringLiteral("Option%1").arg(slot)));
    }
    // On the indicator, which is always inside the button's click area.
    void clickOption(int slot)
    {
        QRadioButton *button = option(slot);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    // 设置, answered with `path`.
    void choose(const QString &path)
    {
        prompts.openAnswers.enqueue(path);
        click("Command7");
    }
};
