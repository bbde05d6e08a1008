// The tool-bar icons and the tool pointers, drawn with QPainter so they need no
// image files and stay sharp at any size.
#include "platform/Icons.h"

#include "doc/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <functional>
#include <initializer_list>

namespace {

// Pictures are drawn on a 24 x 24 grid and rendered at two sizes.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(50, 55, 65);
const QColor kPaper(250, 250, 247);
const QColor kAccent(40, 110, 200);
const QColor kWarm(210, 120, 40);

QPixmap Render(const Drawing& draw, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    draw(p);
    return pixmap;
}

QIcon Make(const Drawing& draw) {
    QIcon icon;
    icon.addPixmap(Render(draw, 24));
    icon.addPixmap(Render(draw, 48));
    return icon;
}

QPen Pen(const QColor& c, double w = 1.6) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, double x = 5, double y = 3) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + 9, y);
    path.lineTo(x + 14, y + 5);
    path.lineTo(x + 14, y + 18);
    path.lineTo(x, y + 18);
    path.closeSubpath();
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(x + 9, y), QPointF(x + 9, y + 5));
    p.drawLine(QPointF(x + 9, y + 5), QPointF(x + 14, y + 5));
}

void Magnifier(QPainter& p, bool plus) {
    p.setPen(Pen(kInk, 2.0));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(Pen(kAccent, 2.0));
    p.drawLine(QPointF(7, 10), QPointF(13, 10));
    if (plus) p.drawLine(QPointF(10, 7), QPointF(10, 13));
}

void Arrow(QPainter& p, bool up) {
    // A depth ruler with an arrow along it.
    p.setPen(Pen(kInk, 1.4));
    for (int y = 4; y <= 20; y += 4) p.drawLine(QPointF(4, y), QPointF(y % 8 ? 7 : 9, y));
    p.drawLine(QPointF(4, 3), QPointF(4, 21));
    QPainterPath head;
    const double tip = up ? 3 : 21, base = up ? 11 : 13;
    head.moveTo(16, tip);
    head.lineTo(21, base);
    head.lineTo(11, base);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPath(head);
    p.setPen(Pen(kAccent, 2.4));
    p.drawLine(QPointF(16, up ? 10 : 4), QPointF(16, up ? 20 : 14));
}

QIcon IconFor(int id) {
    switch (id) {
    case ID_FILE_NEW:
        return Make([](QPainter& p) { Page(p); });
    case ID_FILE_OPEN:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.4));
            p.setBrush(QColor(240, 200, 110));
            QPainterPath back;
            back.moveTo(2, 6);
            back.lineTo(8, 6);
            back.lineTo(10, 8);
            back.lineTo(19, 8);
            back.lineTo(19, 19);
            back.lineTo(2, 19);
            back.closeSubpath();
            p.drawPath(back);
            p.setBrush(QColor(250, 220, 140));
            QPainterPath front;
            front.moveTo(2, 19);
            front.lineTo(6, 11);
            front.lineTo(22, 11);
            front.lineTo(19, 19);
            front.closeSubpath();
            p.drawPath(front);
        });
    case ID_FILE_SAVE:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.4));
            p.setBrush(kAccent);
            p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(7, 3, 10, 7));
            p.drawRect(QRectF(6, 13, 12, 8));
        });
    case ID_FILE_PRINT:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.4));
            p.setBrush(kPaper);
            p.drawRect(QRectF(7, 3, 10, 6));
            p.setBrush(QColor(170, 175, 185));
            p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(7, 14, 10, 7));
            p.drawLine(QPointF(9, 17), QPointF(15, 17));
        });
    case ID_EDIT_COPY:
        return Make([](QPainter& p) {
            Page(p, 3, 2);
            Page(p, 8, 5);
        });
    case ID_EDIT_PASTE:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.4));
            p.setBrush(QColor(190, 150, 100));
            p.drawRoundedRect(QRectF(4, 4, 14, 17), 2, 2);
            p.setBrush(QColor(170, 175, 185));
            p.drawRect(QRectF(8, 2, 6, 4));
            Page(p, 10, 8);
        });
    case ID_APP_ABOUT:
        return Make([](QPainter& p) {
            p.setPen(Pen(kAccent, 1.6));
            p.setBrush(QColor(225, 237, 252));
            p.drawEllipse(QPointF(12, 12), 9, 9);
            p.setPen(Pen(kAccent, 2.4));
            p.drawLine(QPointF(12, 11), QPointF(12, 17));
            p.drawPoint(QPointF(12, 7.5));
        });
    case ID_ZOOM_IN:
        return Make([](QPainter& p) { Magnifier(p, true); });
    case ID_ZOOM_OUT:
        return Make([](QPainter& p) { Magnifier(p, false); });
    case ID_SCROLL_UP:
        return Make([](QPainter& p) { Arrow(p, true); });
    case ID_SCROLL_DOWN:
        return Make([](QPainter& p) { Arrow(p, false); });
    case ID_TOOL_ARROW:
        return Make([](QPainter& p) {
            QPainterPath path;
            path.moveTo(6, 3);
            path.lineTo(6, 19);
            path.lineTo(10, 15);
            path.lineTo(13, 21);
            path.lineTo(15.5, 20);
            path.lineTo(12.5, 14);
            path.lineTo(18, 14);
            path.closeSubpath();
            p.setPen(Pen(kInk, 1.3));
            p.setBrush(Qt::white);
            p.drawPath(path);
        });
    case ID_TOOL_MOVE:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.3));
            p.setBrush(QColor(225, 237, 252));
            p.drawRect(QRectF(8, 3, 8, 18));
            p.setPen(Pen(kAccent, 2.0));
            p.drawLine(QPointF(2, 12), QPointF(7, 12));
            p.drawLine(QPointF(2, 12), QPointF(4.5, 9.5));
            p.drawLine(QPointF(2, 12), QPointF(4.5, 14.5));
            p.drawLine(QPointF(17, 12), QPointF(22, 12));
            p.drawLine(QPointF(22, 12), QPointF(19.5, 9.5));
            p.drawLine(QPointF(22, 12), QPointF(19.5, 14.5));
        });
    case ID_TOOL_CORRELATION:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.3));
            p.drawLine(QPointF(5, 2), QPointF(5, 22));
            p.drawLine(QPointF(19, 2), QPointF(19, 22));
            p.setPen(Pen(kWarm, 1.6));
            p.drawLine(QPointF(5, 8), QPointF(19, 13));
            p.drawLine(QPointF(5, 14), QPointF(19, 19));
            p.setPen(Pen(kAccent, 2.0));
            p.drawLine(QPointF(12, 3), QPointF(12, 8));
            p.drawLine(QPointF(12, 8), QPointF(10, 6));
            p.drawLine(QPointF(12, 8), QPointF(14, 6));
        });
    case ID_TOOL_DRAW:
        return Make([](QPainter& p) {
            QPainterPath pencil;
            pencil.moveTo(4, 20);
            pencil.lineTo(5, 15);
            pencil.lineTo(16, 4);
            pencil.lineTo(20, 8);
            pencil.lineTo(9, 19);
            pencil.closeSubpath();
            p.setPen(Pen(kInk, 1.3));
            p.setBrush(QColor(245, 200, 80));
            p.drawPath(pencil);
            p.drawLine(QPointF(5, 15), QPointF(9, 19));
        });
    case ID_TOOL_ERASER:
        return Make([](QPainter& p) {
            QPainterPath eraser;
            eraser.moveTo(3, 15);
            eraser.lineTo(12, 6);
            eraser.lineTo(19, 13);
            eraser.lineTo(12, 20);
            eraser.lineTo(8, 20);
            eraser.closeSubpath();
            p.setPen(Pen(kInk, 1.3));
            p.setBrush(QColor(235, 130, 140));
            p.drawPath(eraser);
            p.drawLine(QPointF(7.5, 10.5), QPointF(14.5, 17.5));
            p.drawLine(QPointF(12, 20), QPointF(21, 20));
        });
    case ID_TOOL_MARKER:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.3));
            p.setBrush(kPaper);
            p.drawRect(QRectF(4, 3, 16, 18));
            QPen dash = Pen(QColor(200, 50, 50), 2.0);
            dash.setStyle(Qt::DashLine);
            p.setPen(dash);
            p.drawLine(QPointF(5, 12), QPointF(19, 12));
        });
    case ID_TOOL_INFO:
        return Make([](QPainter& p) {
            p.setPen(Pen(kInk, 1.3));
            p.setBrush(kPaper);
            p.drawRect(QRectF(4, 3, 12, 18));
            p.setPen(Pen(QColor(0, 128, 0), 1.4));
            QPainterPath curve;
            curve.moveTo(8, 4);
            curve.cubicTo(14, 8, 6, 12, 12, 20);
            p.setBrush(Qt::NoBrush);
            p.drawPath(curve);
            p.setPen(Pen(kAccent, 1.6));
            p.setBrush(QColor(225, 237, 252));
            p.drawEllipse(QPointF(17, 16), 5, 5);
            p.drawLine(QPointF(17, 15), QPointF(17, 19));
            p.drawPoint(QPointF(17, 13));
        });
    default:
        return {};
    }
}

// Pointers are drawn on a 32 x 32 grid: white shapes with a dark outline (or dark
// lines with a white halo) show on the white page and on dark curves alike.
constexpr int kCursorSize = 32;

QPen Outline() { return QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void Halo(QPainter& p, const QLineF& line, double width) {
    p.setPen(QPen(Qt::white, width + 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(line);
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QCursor MakeCursor(const Drawing& draw, QPoint hotSpot) {
    QPixmap pixmap(kCursorSize, kCursorSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

void FourWayArrows(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(Qt::white);
    p.drawPath(Polygon({{16, 2},      {21, 8},      {17.5, 8},    {17.5, 14.5}, {24, 14.5},
                        {24, 11},     {30, 16},     {24, 21},     {24, 17.5},   {17.5, 17.5},
                        {17.5, 24},   {21, 24},     {16, 30},     {11, 24},     {14.5, 24},
                        {14.5, 17.5}, {8, 17.5},    {8, 21},      {2, 16},      {8, 11},
                        {8, 14.5},    {14.5, 14.5}, {14.5, 8},    {11, 8}}));
}

void DoubleArrowWithBar(QPainter& p) {
    // Up and down along the depth, the bar marking the depth that was grabbed.
    p.setPen(Outline());
    p.setBrush(Qt::white);
    p.drawPath(Polygon({{16, 2},      {21, 8},    {17.5, 8},    {17.5, 14.5}, {27, 14.5},
                        {27, 17.5},   {17.5, 17.5}, {17.5, 24}, {21, 24},     {16, 30},
                        {11, 24},     {14.5, 24}, {14.5, 17.5}, {5, 17.5},    {5, 14.5},
                        {14.5, 14.5}, {14.5, 8},  {11, 8}}));
}

void Pencil(QPainter& p) {
    // Drawn along +x from its tip, then turned to point down and to the left.
    p.translate(2, 29);
    p.rotate(-45);
    const QPen outline = Outline();
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Polygon({{0, 0}, {8, -4}, {34, -4}, {34, 4}, {8, 4}}));
    p.setPen(outline);
    p.setBrush(QColor(240, 215, 170));
    p.drawPath(Polygon({{0, 0}, {8, -4}, {8, 4}}));
    p.setBrush(QColor(245, 200, 80));
    p.drawRect(QRectF(8, -4, 21, 8));
    p.setBrush(QColor(235, 130, 140));
    p.drawRect(QRectF(29, -4, 5, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawPath(Polygon({{0, 0}, {3, -1.5}, {3, 1.5}}));
}

void Eraser(QPainter& p) {
    // The rubbing face is at the hot spot, the block reaching up to the right.
    p.translate(6, 26);
    p.rotate(-45);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0, -6, 22, 12));
    p.setPen(Outline());
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(0, -6, 8, 12));
    p.setBrush(QColor(235, 130, 140));
    p.drawRect(QRectF(8, -6, 14, 12));
}

void MarkerCross(QPainter& p) {
    // The red line is where the marker goes; the black line crosses it at the depth.
    const QLineF across(3, 16, 29, 16), up(16, 3, 16, 12), down(16, 20, 16, 29);
    for (const QLineF& l : {across, up, down}) Halo(p, l, 1.5);
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(up);
    p.drawLine(down);
    p.setPen(QPen(QColor(200, 50, 50), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(across);
}

void ArrowWithInfo(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(Qt::white);
    p.drawPath(
        Polygon({{1.5, 1.5}, {1.5, 20}, {6.5, 15.5}, {10, 23}, {13, 21.5}, {9.5, 14}, {15.5, 14}}));
    p.setBrush(QColor(225, 237, 252));
    p.setPen(QPen(kAccent, 1.4));
    p.drawEllipse(QPointF(24, 24), 6.5, 6.5);
    p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(24, 22.5), QPointF(24, 28));
    p.setPen(QPen(kAccent, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(QPointF(24, 19.5));
}

} // namespace

QIcon CommandIcon(int id) { return IconFor(id); }

QCursor CommandCursor(int id) {
    switch (id) {
    case ID_TOOL_MOVE:
        return MakeCursor(FourWayArrows, {16, 16});
    case ID_TOOL_CORRELATION:
        return MakeCursor(DoubleArrowWithBar, {16, 16});
    case ID_TOOL_DRAW:
        return MakeCursor(Pencil, {2, 29});
    case ID_TOOL_ERASER:
        return MakeCursor(Eraser, {6, 26});
    case ID_TOOL_MARKER:
        return MakeCursor(MarkerCross, {16, 16});
    case ID_TOOL_INFO:
        return MakeCursor(ArrowWithInfo, {1, 1});
    default:
        return QCursor(Qt::ArrowCursor);
    }
}
