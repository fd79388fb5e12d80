// make-program-icons DIR: draws the program's icon (a dark red Orthodox cross
// on a leaf of the calendar) in the sizes of the desktop's icon theme, as
// DIR/hicolor/NxN/apps/org.indikt.Indikt.png.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

namespace {

// Drawn on a 64 by 64 grid and scaled to the size asked.
QImage DrawProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QColor ink(0x80, 0x20, 0x20);
    const QColor gold(0xd9, 0xa4, 0x1b);
    const QColor paper(0xf4, 0xef, 0xe2);

    // The leaf, with its dark red band and two rings.
    p.setPen(QPen(ink.darker(130), 2));
    p.setBrush(paper);
    p.drawRoundedRect(QRectF(6, 8, 52, 52), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    QPainterPath band;
    band.addRoundedRect(QRectF(6, 8, 52, 12), 6, 6);
    band.addRect(QRectF(6, 14, 52, 6));
    p.drawPath(band.simplified());
    p.setBrush(gold);
    p.drawEllipse(QPointF(20, 9), 3, 3);
    p.drawEllipse(QPointF(44, 9), 3, 3);

    // The eight-pointed cross: the title bar, the cross bar and the slanted foot bar.
    p.setBrush(ink);
    p.drawRect(QRectF(29.5, 23, 5, 34));
    p.drawRect(QRectF(24, 26, 16, 3.5));
    p.drawRect(QRectF(18, 33, 28, 5));
    p.save();
    p.translate(32, 49);
    p.rotate(-22);
    p.drawRect(QRectF(-9, -2, 18, 4));
    p.restore();
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (app.arguments().size() != 2) {
        err << "usage: make-program-icons DIR   (writes DIR/hicolor/NxN/apps/org.indikt.Indikt.png)\n";
        return 2;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1/hicolor/%2x%2/apps").arg(app.arguments()[1]).arg(size);
        if (!QDir().mkpath(folder) || !DrawProgramIcon(size).save(folder + "/org.indikt.Indikt.png")) {
            err << "cannot write the icon into " << folder << '\n';
            return 1;
        }
    }
    return 0;
}
