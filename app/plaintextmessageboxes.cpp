// SPDX-License-Identifier: MIT
#include "app/plaintextmessageboxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class PlainTextMessageBoxes : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Before the box sizes itself for its text.
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched))
                box->setTextFormat(Qt::PlainText);
        }
        return false;
    }
};

} // namespace

void showMessageBoxTextsPlain()
{
    qApp->installEventFilter(new PlainTextMessageBoxes(qApp));
}
