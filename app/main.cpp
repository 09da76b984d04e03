#include "app/fontsubstitutes.h"
#include "app/frmmain.h"
#include "app/messages.h"
#include "app/programicon.h"
#include "app/qtprompts.h"
#include "convert/cp936.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Message boxes and file choosers show the program icon too; the desktop
    // name ties the windows to the menu entry that started them.
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vemdra"));
    installFontSubstitutes();
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
