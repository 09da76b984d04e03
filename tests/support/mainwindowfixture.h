// SPDX-License-Identifier: MIT
#pragma once

#include "app/frmmain.h"
#include "app/startup.h"
#include "support/codec.h"
#include "support/scriptedprompts.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

// A real frmMain driven through its controls, with scripted dialogs.
class MainWindowFixture {
public:
    ScriptedPrompts prompts;
    std::unique_ptr<frmMain> window;

    void open()
    {
        // Once per test program, as the program does once at start-up.
        static const bool prepared = (prepareApplication(), true);
        Q_UNUSED(prepared);
        prompts.reset();
        window = std::make_unique<frmMain>(prompts, testCodec());
    }

    void close() { window.reset(); }

    // Xvfb runs no window manager, so a shown window is activated by hand.
    static bool showActive(QWidget *widget)
    {
        widget->show();
        widget->activateWindow();
        return QTest::qWaitForWindowActive(widget);
    }

    template <typename T = QWidget>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    QLineEdit *field(const char *name) const { return control<QLineEdit>(name); }

    void click(const char *button)
    {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }

    // keyClicks cannot type Chinese; an input method commit can.
    static void commitText(QWidget *target, const QString &text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(target, &event);
    }
};
