// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "app/messages.h"
#include "app/qtprompts.h"
#include "app/startup.h"
#include "convert/cp936.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    prepareProcess();
    QApplication app(argc, argv);
    prepareApplication();
    QtPrompts prompts;

    convert::Cp936 codec;
    if (!codec.isOpen()) {
        // Wrong codes would be worse than none.
        prompts.message(nullptr, messages::errorTitle.toString(), messages::noConverter.toString());
        return 1;
    }

    frmMain window(prompts, codec);
    window.show();
    return app.exec();
}
