#include "app/frmmain.h"
#include "app/messages.h"
#include "app/qtprompts.h"
#include "convert/cp936.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Chinese text in a plain sans face: the font configuration's own first
    // fallback for the default face may be a brush (Kai) face.
    QFont::insertSubstitution(QApplication::font().family(), QStringLiteral("Noto Sans CJK SC"));
    QtPrompts prompts;

    convert::Cp936 &codec = convert::Cp936::instance();
    if (!codec.isOpen()) {
        // Wrong codes would be worse than none.
        prompts.message(nullptr, messages::errorTitle.toString(), messages::noConverter.toString());
        return 1;
    }

    frmMain window(prompts, codec);
    window.show();
    return app.exec();
}
