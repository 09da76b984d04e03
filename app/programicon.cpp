// SPDX-License-Identifier: MIT
#include "app/programicon.h"

#include <QImageReader>
#include <QList>

namespace {

QList<QImage> readIconImages()
{
    QList<QImage> images;
    for (int size : {16, 24, 32, 48}) {
        // Read by Qt's own PNG reader. Left to work out the format itself,
        // Qt would first load every image format plugin of the system, only
        // to ask each whether it reads PNG.
        QImageReader reader(QStringLiteral(":/icons/vemdra-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        images.append(reader.read());
    }
    return images;
}

} // namespace

QIcon programIcon()
{
    // The pictures live in a static library: naming its resources here
    // keeps the linker from dropping them.
    Q_INIT_RESOURCE(icons);

    // The application and each window ask for it: the files are read once.
    static const QList<QImage> images = readIconImages();
    QIcon icon;
    for (const QImage &image : images)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}
