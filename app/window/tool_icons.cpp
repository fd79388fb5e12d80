#include "tool_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <string>

namespace indikt {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Every picture is drawn on a 32 by 32 grid and scaled to the size asked.
void DrawGlyph(QPainter& p, const std::string& command)
{
    const QColor ink(0x6b, 0x1f, 0x1f);     // the program's dark red
    const QColor gold(0xd9, 0xa4, 0x1b);
    const QColor paper(0xfb, 0xf7, 0xee);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);

    if (command == "ActionUtro") {  // the sun
        p.setBrush(gold);
        p.drawEllipse(QPointF(16, 16), 6, 6);
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4;
            p.drawLine(QPointF(16 + 9 * std::cos(a), 16 + 9 * std::sin(a)),
                       QPointF(16 + 13 * std::cos(a), 16 + 13 * std::sin(a)));
        }
    } else if (command == "ActionVezher") {  // the moon and a star
        QPainterPath moon;
        moon.addEllipse(QPointF(14, 16), 10, 10);
        QPainterPath bite;
        bite.addEllipse(QPointF(19, 12), 9, 9);
        p.setBrush(gold);
        p.drawPath(moon.subtracted(bite));
        p.drawPoint(QPointF(25, 24));
    } else if (command == "ActionPash") {  // a table of years
        p.setBrush(paper);
        p.drawRect(QRectF(5, 6, 22, 20));
        for (int x : {12, 19})
            p.drawLine(QPointF(x, 6), QPointF(x, 26));
        for (int y : {13, 20})
            p.drawLine(QPointF(5, y), QPointF(27, y));
    } else if (command == "ActionPoisk") {  // a magnifier
        p.setBrush(paper);
        p.drawEllipse(QPointF(13, 13), 8, 8);
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 19), QPointF(27, 27));
    } else if (command == "ActionParam") {  // three sliders
        for (int i = 0; i < 3; ++i) {
            const double y = 8 + i * 8;
            p.drawLine(QPointF(5, y), QPointF(27, y));
            p.setBrush(gold);
            p.drawRect(QRectF(i == 1 ? 18 : 8 + i * 3, y - 3, 5, 6));
        }
    } else if (command == "ActionSob") {  // a bell
        QPainterPath bell;
        bell.moveTo(8, 23);
        bell.cubicTo(10, 20, 9, 8, 16, 7);
        bell.cubicTo(23, 8, 22, 20, 24, 23);
        bell.closeSubpath();
        p.setBrush(gold);
        p.drawPath(bell);
        p.drawEllipse(QPointF(16, 26), 2.5, 2.5);
    } else if (command == "ActionDomPravilo") {  // an open book with a cross
        p.setBrush(paper);
        p.drawPolygon(QPolygonF({QPointF(4, 9), QPointF(16, 11), QPointF(16, 26), QPointF(4, 24)}));
        p.drawPolygon(QPolygonF({QPointF(28, 9), QPointF(16, 11), QPointF(16, 26), QPointF(28, 24)}));
        p.drawLine(QPointF(22, 13), QPointF(22, 21));
        p.drawLine(QPointF(19.5, 15.5), QPointF(24.5, 15.5));
    } else if (command == "ActionVData") {  // a leaf of the calendar
        p.setBrush(paper);
        p.drawRect(QRectF(6, 7, 20, 19));
        p.setBrush(ink);
        p.drawRect(QRectF(6, 7, 20, 5));
        p.drawLine(QPointF(11, 4), QPointF(11, 9));
        p.drawLine(QPointF(21, 4), QPointF(21, 9));
        p.setFont(QFont(p.font().family(), 8, QFont::Bold));
        p.drawText(QRectF(6, 12, 20, 14), Qt::AlignCenter, "7");
    } else if (command == "FileKopia") {  // two leaves, one over the other
        p.setBrush(paper);
        p.drawRect(QRectF(5, 5, 15, 18));
        p.drawRect(QRectF(12, 10, 15, 18));
    } else if (command == "ActionPrint") {  // a printer
        p.setBrush(paper);
        p.drawRect(QRectF(9, 4, 14, 8));
        p.setBrush(QColor(0xc8, 0xc0, 0xb0));
        p.drawRoundedRect(QRectF(4, 12, 24, 10), 2, 2);
        p.setBrush(paper);
        p.drawRect(QRectF(9, 18, 14, 10));
    } else if (command == "ActionPanelSapis") {  // a pen over a leaf
        p.setBrush(paper);
        p.drawRect(QRectF(5, 6, 16, 21));
        p.setPen(QPen(gold, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 22), QPointF(27, 7));
        p.setPen(QPen(ink, 2));
        p.drawLine(QPointF(8, 12), QPointF(15, 12));
        p.drawLine(QPointF(8, 17), QPointF(13, 17));
    } else if (command == "ActionExplorer") {  // a closed book
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(7, 4, 18, 24), 2, 2);
        p.setPen(QPen(gold, 2));
        p.drawLine(QPointF(16, 9), QPointF(16, 19));
        p.drawLine(QPointF(12.5, 12.5), QPointF(19.5, 12.5));
    }
}

class GlyphEngine : public QIconEngine {
public:
    explicit GlyphEngine(std::string command) : command_(std::move(command)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 32.0, rect.height() / 32.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        DrawGlyph(*painter, command_);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return picture;
    }
    QIconEngine* clone() const override { return new GlyphEngine(command_); }

private:
    std::string command_;
};

}  // namespace

QIcon ToolIcon(std::string_view command)
{
    static const char* const kDrawn[] = {"ActionUtro", "ActionVezher", "ActionPash", "ActionPoisk",
                                         "ActionParam", "ActionSob", "ActionDomPravilo", "ActionVData",
                                         "FileKopia", "ActionPrint", "ActionPanelSapis", "ActionExplorer"};
    for (const char* drawn : kDrawn)
        if (command == drawn)
            return QIcon(new GlyphEngine(std::string(command)));  // the icon owns its engine
    return {};
}

}  // namespace indikt
