// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/EditorPictures.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace tessivo {

using namespace editor;

namespace {

const QColor kOutline(30, 30, 34);

QPixmap canvas(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

/// A light rim around everything drawn, under it: dark lines stay visible on a dark
/// tool bar, and on a light one the rim disappears into the background.
QPixmap withLightRim(const QPixmap &drawn, double ratio)
{
    // The picture's shape, spread by the rim's width in every direction, in the rim's
    // colour; the picture on top.
    const QImage ink = drawn.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int rim = std::max(1, int(std::lround(ratio)));
    QImage result(ink.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter p(&result);
    for (int dy = -rim; dy <= rim; ++dy)
        for (int dx = -rim; dx <= rim; ++dx)
            if (dx || dy)
                p.drawImage(dx, dy, ink);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(result.rect(), QColor(235, 235, 240, 170));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(0, 0, ink);
    p.end();
    return QPixmap::fromImage(result);
}

/// The ratios an icon carries pictures for: plain, the screen's own, and double. Each
/// is drawn at its own size, so the icon shows a sharp one at any scale.
std::vector<double> iconRatios()
{
    std::vector<double> ratios = {1.0, 2.0};
    const double screen = qApp ? qApp->devicePixelRatio() : 1.0;
    if (std::find(ratios.begin(), ratios.end(), screen) == ratios.end())
        ratios.push_back(screen);
    return ratios;
}

/// An icon of pictures drawn by `draw` in logical pixels at each ratio.
template <class Draw>
QIcon sharpIcon(QSize size, bool rim, Draw draw)
{
    QIcon icon;
    for (const double ratio : iconRatios()) {
        QPixmap pixmap((QSizeF(size) * ratio).toSize());
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.scale(ratio, ratio);
        draw(p);
        p.end();
        icon.addPixmap(rim ? withLightRim(pixmap, ratio) : pixmap);
    }
    return icon;
}



void drawPencil(QPainter &p, double scale)
{
    p.save();
    p.scale(scale, scale);
    // Tip at the bottom left, body up to the right.
    QPainterPath body;
    body.moveTo(1, 17);
    body.lineTo(3.5, 11.5);
    body.lineTo(13, 2);
    body.lineTo(16, 5);
    body.lineTo(6.5, 14.5);
    body.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(240, 196, 64));
    p.drawPath(body);
    p.setBrush(QColor(232, 120, 120));
    p.drawPolygon(QPolygonF({QPointF(13, 2), QPointF(14.5, 0.5), QPointF(17.5, 3.5), QPointF(16, 5)}));
    p.setBrush(QColor(236, 210, 170));
    p.drawPolygon(QPolygonF({QPointF(1, 17), QPointF(3.5, 11.5), QPointF(6.5, 14.5)}));
    p.setBrush(kOutline);
    p.drawPolygon(QPolygonF({QPointF(1, 17), QPointF(2, 15), QPointF(3, 16)}));
    p.restore();
}

void drawBucket(QPainter &p, double scale)
{
    p.save();
    p.scale(scale, scale);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(200, 204, 212));
    p.drawPolygon(QPolygonF({QPointF(5, 6), QPointF(11, 1), QPointF(17, 7), QPointF(11, 13)}));
    p.setBrush(QColor(40, 90, 200));
    p.drawPolygon(QPolygonF({QPointF(5, 6), QPointF(2, 9), QPointF(2, 13), QPointF(4, 13), QPointF(4, 9)}));
    p.drawEllipse(QPointF(3, 15), 1.6, 1.8);
    p.restore();
}

void drawIcon(QPainter &p, int command)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPen pen(kOutline, 1.4);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (command) {
    case kCmdSelect:
        p.setPen(QPen(kOutline, 1.2, Qt::DashLine));
        p.drawRect(QRectF(3, 3, 14, 12));
        break;
    case kCmdPencil:
        drawPencil(p, 1.0);
        break;
    case kCmdLine:
        p.drawLine(QPointF(3, 15), QPointF(17, 3));
        break;
    case kCmdRectangle:
        p.drawRect(QRectF(3.5, 3.5, 13, 11));
        break;
    case kCmdFilledRectangle:
        p.setBrush(QColor(70, 90, 140));
        p.drawRect(QRectF(3.5, 3.5, 13, 11));
        break;
    case kCmdEllipse:
        p.drawEllipse(QRectF(2.5, 3.5, 15, 11));
        break;
    case kCmdFilledEllipse:
        p.setBrush(QColor(70, 90, 140));
        p.drawEllipse(QRectF(2.5, 3.5, 15, 11));
        break;
    case kCmdFill:
        drawBucket(p, 1.0);
        break;
    case kCmdEraser:
        p.setBrush(QColor(236, 140, 160));
        p.drawPolygon(QPolygonF({QPointF(2, 12), QPointF(10, 4), QPointF(17, 9), QPointF(10, 16)}));
        p.setBrush(QColor(220, 224, 232));
        p.drawPolygon(QPolygonF({QPointF(2, 12), QPointF(6, 8), QPointF(13, 13), QPointF(10, 16)}));
        break;
    case kCmdEraser2:
        p.setBrush(kOutline);
        p.drawRect(QRectF(8, 7, 4, 4));
        break;
    case kCmdEraser4:
        p.setBrush(kOutline);
        p.drawRect(QRectF(6, 5, 8, 8));
        break;
    case kCmdOpaque:
    case kCmdTransparent:
        if (command == kCmdTransparent)
            p.setPen(QPen(kOutline, 1, Qt::DashLine));
        p.setBrush(command == kCmdOpaque ? QColor(250, 250, 240) : Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 15, 13));
        p.setPen(QPen(QColor(40, 110, 60), 1.4));
        p.setBrush(QColor(120, 190, 120));
        p.drawPolygon(QPolygonF({QPointF(4, 14), QPointF(9, 7), QPointF(12, 11), QPointF(14, 9), QPointF(16, 14)}));
        p.setBrush(QColor(240, 180, 40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(13, 6), 1.8, 1.8);
        break;
    case kCmdPenInk:
    case kCmdPenPaper:
        p.setBrush(command == kCmdPenInk ? Qt::black : Qt::white);
        p.drawRect(QRectF(4.5, 3.5, 11, 11));
        break;
    case kCmdBackgroundInk:
    case kCmdBackgroundPaper:
        p.setBrush(QColor(150, 150, 156));
        p.drawRect(QRectF(9.5, 8.5, 8, 7));
        p.setBrush(command == kCmdBackgroundInk ? Qt::black : Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 10, 9));
        break;
    default:
        break;
    }
}

} // namespace

QIcon toolIcon(int command)
{
    return sharpIcon(toolbar::kImageSize, true, [command](QPainter &p) { drawIcon(p, command); });
}

namespace {

/// Draws a menu item's picture; false for an item that has none of its own.
bool drawMenuPicture(QPainter &p, int command)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPen pen(kOutline, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    const auto arrowHead = [&p](QPointF tip, QPointF a, QPointF b) {
        p.setBrush(kOutline);
        p.drawPolygon(QPolygonF({tip, a, b}));
        p.setBrush(Qt::NoBrush);
    };
    switch (command) {
    case kCmdUndo:
    case kCmdRedo: {
        p.save();
        if (command == kCmdRedo) {
            p.translate(17, 0);
            p.scale(-1, 1);
        }
        p.drawArc(QRectF(4, 4, 10, 9), 90 * 16, -200 * 16);
        arrowHead(QPointF(2, 6), QPointF(7, 2), QPointF(7, 9));
        p.restore();
        break;
    }
    case kCmdCut:
        p.drawEllipse(QPointF(5, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
        p.drawLine(QPointF(6.5, 10), QPointF(12, 2));
        p.drawLine(QPointF(10.5, 10), QPointF(5, 2));
        break;
    case kCmdCopy:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(2.5, 2.5, 8, 9));
        p.drawRect(QRectF(6.5, 5.5, 8, 9));
        break;
    case kCmdPaste:
        p.setBrush(QColor(210, 170, 110));
        p.drawRoundedRect(QRectF(2.5, 2.5, 10, 12), 1.5, 1.5);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(7.5, 6.5, 7, 8));
        break;
    case kCmdDelete:
        p.setPen(QPen(QColor(200, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 3), QPointF(13, 12));
        p.drawLine(QPointF(13, 3), QPointF(4, 12));
        break;
    case kCmdTurnLeft:
    case kCmdTurnRight: {
        p.save();
        if (command == kCmdTurnRight) {
            p.translate(17, 0);
            p.scale(-1, 1);
        }
        p.drawArc(QRectF(3, 3, 11, 11), 0, 270 * 16);
        arrowHead(QPointF(14, 10), QPointF(11.5, 6.5), QPointF(16.5, 6.5));
        p.restore();
        break;
    }
    case kCmdTurn180:
        p.drawArc(QRectF(3, 3, 11, 11), 180 * 16, -180 * 16);
        arrowHead(QPointF(14, 10), QPointF(11.5, 6.5), QPointF(16.5, 6.5));
        break;
    case kCmdMirrorHorizontal:
        p.setPen(QPen(kOutline, 1, Qt::DashLine));
        p.drawLine(QPointF(8.5, 1), QPointF(8.5, 15));
        p.setPen(pen);
        arrowHead(QPointF(1, 8), QPointF(6, 4), QPointF(6, 12));
        arrowHead(QPointF(16, 8), QPointF(11, 4), QPointF(11, 12));
        break;
    case kCmdMirrorVertical:
        p.setPen(QPen(kOutline, 1, Qt::DashLine));
        p.drawLine(QPointF(1, 8), QPointF(16, 8));
        p.setPen(pen);
        arrowHead(QPointF(8.5, 1), QPointF(4.5, 6), QPointF(12.5, 6));
        arrowHead(QPointF(8.5, 15), QPointF(4.5, 10), QPointF(12.5, 10));
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

QIcon menuIcon(int command)
{
    if (command == kCmdClearBoard)
        return toolIcon(kCmdEraser);
    bool own = false;
    const QIcon icon = sharpIcon(QSize(17, 16), false, [command, &own](QPainter &p) { own = drawMenuPicture(p, command); });
    return own ? icon : QIcon();
}

QCursor editorCursor(editor::Cursor cursor)
{
    switch (cursor) {
    case Cursor::Pencil: {
        QPixmap pixmap = canvas(QSize(32, 32));
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        drawPencil(p, 1.0);
        p.end();
        return QCursor(pixmap, 1, 17);
    }
    case Cursor::Bucket: {
        QPixmap pixmap = canvas(QSize(32, 32));
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        drawBucket(p, 1.0);
        p.end();
        return QCursor(pixmap, 3, 16);
    }
    case Cursor::ThinCross:
    case Cursor::Cross: return QCursor(Qt::CrossCursor);
    case Cursor::Blank: return QCursor(Qt::BlankCursor);
    case Cursor::Move: return QCursor(Qt::SizeAllCursor);
    case Cursor::SizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case Cursor::SizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case Cursor::SizeNS: return QCursor(Qt::SizeVerCursor);
    case Cursor::SizeWE: return QCursor(Qt::SizeHorCursor);
    default: return QCursor(Qt::ArrowCursor);
    }
}

} // namespace tessivo
