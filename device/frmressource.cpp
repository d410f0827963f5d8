#include "device/frmressource.h"

#include "platform/exceptions.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

// The pictures by index. The indices are what actions and buttons refer to, so a picture may be
// redrawn but never moved to another index.
//
//  idx  role                                  idx  role
//   0   file new                               20   paste
//   1   file open                              21   message log
//   2   file save                              22   warning
//   3   file save as                           23   error
//   4   file close                             24   serial port (COM)
//   5   print                                  25   device connect
//   6   send by e-mail                         26   device disconnect
//   7   exit                                   27   send parameters to the device
//   8   options                                28   receive parameters from the device
//   9   show the logs                          29   configuration mode
//  10   hide the logs                          30   TALV device
//  11   clear the message log                  31   clear the device's settings
//  12   clear the data-transfer log            32   comment
//  13   configuration check                    33   device name
//  14   language German                        34   refresh
//  15   language English                       35   start the device
//  16   help                                   36   stop
//  17   demo configuration                     37   a comment exists
//  18   info                                   38   no comment
//  19   copy

namespace {

using TDraw = std::function<void(QPainter&)>;

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor FolderYellow(240, 200, 80);
const QColor DiskBlue(50, 90, 170);
const QColor Good(30, 150, 50);
const QColor Bad(200, 30, 30);
const QColor InfoBlue(40, 100, 200);
const QColor DeviceGrey(150, 155, 165);
const QColor Fibre(240, 130, 20);

QPen Pen(const QColor& colour, qreal width = 1.0)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// A sheet of paper with a dog-ear, the base of the file pictures.
void Page(QPainter& p, const QRectF& r = QRectF(2.5, 0.5, 10, 14))
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(Ink));
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step = 2.5,
               const QColor& colour = QColor(120, 120, 120))
{
    p.setPen(Pen(colour));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void Cross(QPainter& p, const QRectF& r, const QColor& colour, qreal width = 2.0)
{
    p.setPen(Pen(colour, width));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void CheckMark(QPainter& p, const QRectF& r, const QColor& colour, qreal width = 2.2)
{
    p.setPen(Pen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(r.left(), r.top() + r.height() * 0.55),
                              QPointF(r.left() + r.width() * 0.38, r.bottom()),
                              QPointF(r.right(), r.top())}));
}

void Plus(QPainter& p, QPointF centre, qreal half, const QColor& colour)
{
    p.setPen(Pen(colour, 2));
    p.drawLine(centre - QPointF(half, 0), centre + QPointF(half, 0));
    p.drawLine(centre - QPointF(0, half), centre + QPointF(0, half));
}

// A horizontal arrow from `from` to `to` with a filled head.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width = 2.0)
{
    const qreal direction = to.x() > from.x() ? 1.0 : -1.0;
    p.setPen(Pen(colour, width));
    p.drawLine(from, to - QPointF(direction * 2, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to, to - QPointF(direction * 4, 3.5), to - QPointF(direction * 4, -3.5)}));
}

void VerticalArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    const qreal direction = to.y() > from.y() ? 1.0 : -1.0;
    p.setPen(Pen(colour, 2));
    p.drawLine(from, to - QPointF(0, direction * 2));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to, to - QPointF(3.5, direction * 4), to - QPointF(-3.5, direction * 4)}));
}

void Disc(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setPen(Pen(fill.darker(140)));
    p.setBrush(fill);
    p.drawEllipse(r);
}

// The letters of help, info and warning are drawn as strokes: a picture must not depend on the
// fonts a machine has.
void QuestionMark(QPainter& p, const QColor& colour)
{
    p.setPen(Pen(colour, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(5.5, 6);
    path.cubicTo(5.5, 2.5, 10.5, 2.5, 10.5, 6);
    path.cubicTo(10.5, 8, 8, 8, 8, 10);
    p.drawPath(path);
    p.drawPoint(QPointF(8, 12.7));
}

void InfoLetter(QPainter& p, const QColor& colour)
{
    p.setPen(Pen(colour, 2));
    p.drawPoint(QPointF(8, 4.5));
    p.drawLine(QPointF(8, 7), QPointF(8, 12));
}

void Folder(QPainter& p, bool open)
{
    p.setPen(Pen(FolderYellow.darker(160)));
    p.setBrush(FolderYellow.darker(115));
    p.drawPolygon(QPolygonF({QPointF(0.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5), QPointF(14.5, 5),
                             QPointF(14.5, 13.5), QPointF(0.5, 13.5)}));
    p.setBrush(FolderYellow);
    if (open)
        p.drawPolygon(QPolygonF({QPointF(3, 7.5), QPointF(15.5, 7.5), QPointF(13, 13.5), QPointF(0.5, 13.5)}));
    else
        p.drawRect(QRectF(0.5, 6.5, 14, 7));
}

void Disk(QPainter& p)
{
    p.setPen(Pen(DiskBlue.darker(150)));
    p.setBrush(DiskBlue);
    p.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(12.5, 1.5), QPointF(14.5, 3.5), QPointF(14.5, 14.5),
                             QPointF(1.5, 14.5)}));
    p.setBrush(Paper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(210, 210, 210));
    p.drawRect(QRectF(3.5, 9, 9, 5.5));
    p.setPen(Pen(DiskBlue));
    p.drawLine(QPointF(9.5, 2.5), QPointF(9.5, 5.5));
}

void Window(QPainter& p, bool logShown)
{
    p.setPen(Pen(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    p.setBrush(InfoBlue);
    p.drawRect(QRectF(0.5, 1.5, 15, 3));
    p.setBrush(logShown ? QColor(255, 240, 160) : QColor(220, 220, 220));
    p.drawRect(QRectF(0.5, 9.5, 15, 5));
    if (logShown)
        TextLines(p, 2.5, 12.5, 11.5, 2, 2);
}

// The picture of one device: a grey box with the two fibre links coming out of it.
void DeviceBox(QPainter& p, const QRectF& r)
{
    p.setPen(Pen(Ink));
    p.setBrush(DeviceGrey);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(Pen(Good));
    p.drawPoint(QPointF(r.left() + 2, r.top() + 2));
}

// A speech bubble, the comment pictures.
void Bubble(QPainter& p, const QColor& fill, const QColor& outline)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 1.5, 15, 10), 3, 3);
    QPainterPath tail;
    tail.moveTo(3.5, 11);
    tail.lineTo(3, 15);
    tail.lineTo(8, 11);
    tail.closeSubpath();
    p.setPen(Pen(outline));
    p.setBrush(fill);
    p.drawPath(path.united(tail));
}

void Eraser(QPainter& p, QPointF offset)
{
    p.save();
    p.translate(offset);
    p.rotate(-35);
    p.setPen(Pen(Ink));
    p.setBrush(QColor(230, 120, 150));
    p.drawRect(QRectF(-4, -2.5, 5, 5));
    p.setBrush(QColor(80, 110, 200));
    p.drawRect(QRectF(1, -2.5, 4, 5));
    p.restore();
}

void Plug(QPainter& p, qreal x, bool pinsRight, const QColor& colour)
{
    p.setPen(Pen(colour.darker(150)));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(x, 4.5, 5, 7), 1, 1);
    p.setPen(Pen(Ink));
    const qreal pinX = pinsRight ? x + 5 : x;
    const qreal tip = pinsRight ? 2 : -2;
    p.drawLine(QPointF(pinX, 6.5), QPointF(pinX + tip, 6.5));
    p.drawLine(QPointF(pinX, 9.5), QPointF(pinX + tip, 9.5));
}

void Flag(QPainter& p, const QColor& top, const QColor& middle, const QColor& bottom)
{
    p.setPen(Qt::NoPen);
    p.setBrush(top);
    p.drawRect(QRectF(0.5, 3, 15, 3.5));
    p.setBrush(middle);
    p.drawRect(QRectF(0.5, 6.5, 15, 3.5));
    p.setBrush(bottom);
    p.drawRect(QRectF(0.5, 10, 15, 3.5));
    p.setPen(Pen(Ink, 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 3, 15, 10.5));
}

void UnionFlag(QPainter& p)
{
    const QRectF r(0.5, 3, 15, 10.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 130));
    p.drawRect(r);
    p.setPen(Pen(Paper, 2.5));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
    p.setPen(Pen(Bad, 1));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
    p.setPen(QPen(Paper, 4));
    p.drawLine(QPointF(8, 3), QPointF(8, 13.5));
    p.drawLine(QPointF(0.5, 8.25), QPointF(15.5, 8.25));
    p.setPen(QPen(Bad, 2));
    p.drawLine(QPointF(8, 3), QPointF(8, 13.5));
    p.drawLine(QPointF(0.5, 8.25), QPointF(15.5, 8.25));
}

const TDraw Pictures[TFrmRes::ImageCount] = {
    // 0 file new: a blank page with a green plus
    [](QPainter& p) { Page(p); Plus(p, QPointF(11.5, 11.5), 3.5, Good); },
    // 1 file open: an open folder
    [](QPainter& p) { Folder(p, true); },
    // 2 file save: a disk
    [](QPainter& p) { Disk(p); },
    // 3 file save as: a disk and a pen
    [](QPainter& p) {
        Disk(p);
        p.setPen(Pen(QColor(200, 150, 40), 2.5));
        p.drawLine(QPointF(9, 14), QPointF(15, 7));
        p.setPen(Pen(Ink, 1));
        p.drawPoint(QPointF(8.5, 14.5));
    },
    // 4 file close: a page with a red cross
    [](QPainter& p) { Page(p); Cross(p, QRectF(7.5, 8.5, 6, 6), Bad); },
    // 5 print: a printer with a sheet
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 0.5, 7, 6));
        p.setBrush(DeviceGrey);
        p.drawRoundedRect(QRectF(0.5, 6.5, 15, 6), 1, 1);
        p.setBrush(Paper);
        p.drawRect(QRectF(3.5, 10.5, 9, 5));
        TextLines(p, 5, 11, 12.5, 2, 1.8);
    },
    // 6 send by e-mail: an envelope
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(QColor(250, 240, 210));
        p.drawRect(QRectF(0.5, 3.5, 15, 10));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(0.5, 3.5), QPointF(8, 9.5), QPointF(15.5, 3.5)}));
    },
    // 7 exit: a door with an arrow leading out
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(QColor(160, 110, 60));
        p.drawRect(QRectF(1.5, 0.5, 7, 15));
        p.setPen(Pen(FolderYellow, 1.5));
        p.drawPoint(QPointF(7, 8));
        Arrow(p, QPointF(6, 8), QPointF(15.5, 8), Bad);
    },
    // 8 options: three sliders
    [](QPainter& p) {
        for (int i = 0; i < 3; ++i) {
            const qreal y = 3 + i * 5;
            p.setPen(Pen(Ink, 1.5));
            p.drawLine(QPointF(1, y), QPointF(15, y));
            p.setPen(Pen(Ink));
            p.setBrush(i == 1 ? Good : InfoBlue);
            p.drawRect(QRectF(i == 1 ? 9.5 : (i == 0 ? 3.5 : 6.5), y - 2, 3, 4));
        }
    },
    // 9 show the logs: a window whose lower pane holds text
    [](QPainter& p) { Window(p, true); },
    // 10 hide the logs: a window whose lower pane is folded away
    [](QPainter& p) {
        Window(p, false);
        VerticalArrow(p, QPointF(8, 5.5), QPointF(8, 13.5), Bad);
    },
    // 11 clear the message log: coloured message lines and an eraser
    [](QPainter& p) {
        TextLines(p, 1, 9, 2.5, 1, 0, Ink);
        TextLines(p, 1, 9, 5.5, 1, 0, InfoBlue);
        TextLines(p, 1, 9, 8.5, 1, 0, Bad);
        Eraser(p, QPointF(11, 11));
    },
    // 12 clear the data-transfer log: arrows both ways and an eraser
    [](QPainter& p) {
        Arrow(p, QPointF(0.5, 3), QPointF(9.5, 3), Ink, 1.2);
        Arrow(p, QPointF(9.5, 7.5), QPointF(0.5, 7.5), Ink, 1.2);
        Eraser(p, QPointF(11, 11));
    },
    // 13 configuration check: a green tick on a list
    [](QPainter& p) {
        Page(p, QRectF(0.5, 0.5, 11, 14));
        TextLines(p, 2.5, 8.5, 5, 4);
        CheckMark(p, QRectF(6, 6, 9, 8), Good);
    },
    // 14 language German
    [](QPainter& p) { Flag(p, QColor(0, 0, 0), QColor(221, 0, 0), QColor(255, 206, 0)); },
    // 15 language English
    [](QPainter& p) { UnionFlag(p); },
    // 16 help: a question mark in a circle
    [](QPainter& p) { Disc(p, QRectF(0.5, 0.5, 15, 15), InfoBlue); QuestionMark(p, Paper); },
    // 17 demo configuration: an open book
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(Paper);
        p.drawPolygon(QPolygonF({QPointF(0.5, 2.5), QPointF(7.5, 4), QPointF(7.5, 14.5), QPointF(0.5, 13)}));
        p.drawPolygon(QPolygonF({QPointF(15.5, 2.5), QPointF(8.5, 4), QPointF(8.5, 14.5), QPointF(15.5, 13)}));
        TextLines(p, 2, 6, 6.5, 3);
        TextLines(p, 10, 14, 6.5, 3);
    },
    // 18 info: an i in a circle
    [](QPainter& p) { Disc(p, QRectF(0.5, 0.5, 15, 15), InfoBlue); InfoLetter(p, Paper); },
    // 19 copy: two pages
    [](QPainter& p) {
        Page(p, QRectF(0.5, 0.5, 9, 11));
        Page(p, QRectF(5.5, 4.5, 9, 11));
    },
    // 20 paste: a clipboard with a page
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(QColor(170, 120, 70));
        p.drawRoundedRect(QRectF(1.5, 1.5, 11, 14), 1, 1);
        p.setBrush(DeviceGrey);
        p.drawRect(QRectF(4.5, 0.5, 5, 3));
        Page(p, QRectF(6.5, 5.5, 9, 10));
    },
    // 21 message log: a list with coloured bullets
    [](QPainter& p) {
        const QColor bullets[] = {Ink, InfoBlue, Bad, Ink};
        for (int i = 0; i < 4; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(bullets[i]);
            p.drawEllipse(QRectF(0.5, 1 + i * 3.7, 3, 3));
            TextLines(p, 5, 15, 2.5 + i * 3.7, 1, 0, bullets[i]);
        }
    },
    // 22 warning: a yellow triangle with an exclamation mark
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(QColor(255, 210, 0));
        p.drawPolygon(QPolygonF({QPointF(8, 0.5), QPointF(15.5, 15), QPointF(0.5, 15)}));
        p.setPen(Pen(Ink, 2));
        p.drawLine(QPointF(8, 5.5), QPointF(8, 10));
        p.drawPoint(QPointF(8, 12.8));
    },
    // 23 error: a red circle with a white cross
    [](QPainter& p) { Disc(p, QRectF(0.5, 0.5, 15, 15), Bad); Cross(p, QRectF(5, 5, 6, 6), Paper); },
    // 24 serial port: a nine-pin connector
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(DeviceGrey);
        p.drawPolygon(QPolygonF({QPointF(0.5, 4.5), QPointF(15.5, 4.5), QPointF(13, 11.5), QPointF(3, 11.5)}));
        p.setPen(Pen(Ink, 1.4));
        for (int i = 0; i < 5; ++i)
            p.drawPoint(QPointF(3.5 + i * 2.25, 6.8));
        for (int i = 0; i < 4; ++i)
            p.drawPoint(QPointF(4.6 + i * 2.25, 9.3));
    },
    // 25 device connect: plug and socket joined
    [](QPainter& p) {
        Plug(p, 2, true, Good);
        Plug(p, 9, false, Good);
        p.setPen(Pen(Ink, 1.5));
        p.drawLine(QPointF(0, 8), QPointF(2, 8));
        p.drawLine(QPointF(14, 8), QPointF(16, 8));
    },
    // 26 device disconnect: plug and socket apart
    [](QPainter& p) {
        Plug(p, 0.5, true, Bad);
        Plug(p, 10.5, false, Bad);
        p.setPen(Pen(Bad, 1.2));
        p.drawLine(QPointF(7.5, 3), QPointF(8.5, 13));
    },
    // 27 send parameters: an arrow into the device
    [](QPainter& p) {
        DeviceBox(p, QRectF(8.5, 2.5, 7, 11));
        Arrow(p, QPointF(0.5, 8), QPointF(8, 8), InfoBlue);
    },
    // 28 receive parameters: an arrow out of the device
    [](QPainter& p) {
        DeviceBox(p, QRectF(0.5, 2.5, 7, 11));
        Arrow(p, QPointF(8, 8), QPointF(15.5, 8), Good);
    },
    // 29 configuration mode: a wrench
    [](QPainter& p) {
        p.setPen(Pen(QColor(90, 90, 100), 3));
        p.drawLine(QPointF(3, 13), QPointF(10, 6));
        p.setPen(Pen(QColor(90, 90, 100), 1));
        p.setBrush(QColor(90, 90, 100));
        p.drawEllipse(QRectF(8, 1, 7, 7));
        // The jaw: cut out of the head, so the background shows through.
        p.setPen(Qt::NoPen);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.drawRect(QRectF(12, 0, 4, 4));
    },
    // 30 TALV device: the box with its two fibre links
    [](QPainter& p) {
        DeviceBox(p, QRectF(0.5, 3.5, 9, 9));
        p.setPen(Pen(Fibre, 1.5));
        p.drawLine(QPointF(9.5, 6), QPointF(15.5, 6));
        p.drawLine(QPointF(9.5, 10), QPointF(15.5, 10));
    },
    // 31 clear the device's settings: the device and an eraser
    [](QPainter& p) {
        DeviceBox(p, QRectF(0.5, 0.5, 9, 9));
        Eraser(p, QPointF(11, 11));
    },
    // 32 comment: a speech bubble with a pen stroke
    [](QPainter& p) {
        Bubble(p, Paper, Ink);
        p.setPen(Pen(InfoBlue, 1.5));
        p.drawLine(QPointF(4, 6.5), QPointF(12, 6.5));
    },
    // 33 device name: a tag
    [](QPainter& p) {
        p.setPen(Pen(Ink));
        p.setBrush(QColor(255, 240, 160));
        p.drawPolygon(QPolygonF({QPointF(0.5, 8), QPointF(5, 3.5), QPointF(15.5, 3.5), QPointF(15.5, 12.5),
                                 QPointF(5, 12.5)}));
        p.drawEllipse(QRectF(3.5, 6.5, 3, 3));
        TextLines(p, 8.5, 13.5, 8, 1, 0, Ink);
    },
    // 34 refresh: a circular arrow
    [](QPainter& p) {
        p.setPen(Pen(Good, 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 2, 12, 12), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Good);
        p.drawPolygon(QPolygonF({QPointF(8, -0.5), QPointF(12.5, 2), QPointF(8, 4.5)}));
    },
    // 35 start the device: a green play triangle
    [](QPainter& p) {
        p.setPen(Pen(Good.darker(140)));
        p.setBrush(Good);
        p.drawPolygon(QPolygonF({QPointF(3.5, 1.5), QPointF(14.5, 8), QPointF(3.5, 14.5)}));
    },
    // 36 stop: a red square
    [](QPainter& p) {
        p.setPen(Pen(Bad.darker(140)));
        p.setBrush(Bad);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
    },
    // 37 a comment exists: a yellow bubble full of text
    [](QPainter& p) {
        Bubble(p, QColor(255, 230, 120), Ink);
        TextLines(p, 3.5, 12.5, 4.5, 3, 2.2, Ink);
    },
    // 38 no comment: an empty, pale bubble
    [](QPainter& p) { Bubble(p, QColor(245, 245, 245), QColor(150, 150, 150)); },
};

QIcon Draw(const TDraw& draw)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

const QIcon& TFrmRes::ComparePicture()
{
    static const QIcon picture = Draw([](QPainter& p) {
        DeviceBox(p, QRectF(0.5, 1.5, 6, 9));
        Page(p, QRectF(8.5, 0.5, 7, 10));
        p.setPen(Pen(Good, 1.5));
        p.drawLine(QPointF(4, 12.5), QPointF(6.5, 15));
        p.drawLine(QPointF(6.5, 15), QPointF(11.5, 10.5));
    });
    return picture;
}

const QIcon& TFrmRes::Image(int index)
{
    if (index < 0 || index >= ImageCount)
        throw ERangeError("TFrmRes::Image: falscher Index " + std::to_string(index));
    // Drawn on first use: pixmaps need the application object, which exists by then. The list
    // is used by the GUI thread only.
    static const std::array<QIcon, ImageCount> images = [] {
        std::array<QIcon, ImageCount> drawn;
        for (int i = 0; i < ImageCount; ++i)
            drawn[i] = Draw(Pictures[i]);
        return drawn;
    }();
    return images[index];
}
