// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Pictures.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QConicalGradient>
#include <cmath>
#include <map>

namespace tessivo::pictures {

namespace {

/// Drawing happens on a 100 x 100 canvas that is scaled to the picture.
struct Canvas {
    QPixmap pixmap;
    QPainter painter;
    Canvas(QSize size, double ratio) : pixmap(size * ratio)
    {
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        painter.begin(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
    }
};

void squareCanvas(QPainter &p, QSize size)
{
    const double side = std::min(size.width(), size.height());
    p.translate((size.width() - side) / 2.0, (size.height() - side) / 2.0);
    p.scale(side / 100.0, side / 100.0);
}

void led(QPainter &p, QPointF centre, double radius, QColor colour)
{
    QRadialGradient glow(centre, radius * 2.2);
    QColor halo = colour;
    halo.setAlpha(90);
    glow.setColorAt(0, halo);
    glow.setColorAt(1, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius * 2.2, radius * 2.2);
    QRadialGradient body(centre - QPointF(radius / 3, radius / 3), radius * 1.2);
    body.setColorAt(0, colour.lighter(170));
    body.setColorAt(1, colour);
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);
}

/// The spinning blade with its arc of lit LEDs: the logo and the icon.
void drawFan(QPainter &p, bool background)
{
    if (background) {
        QLinearGradient bg(0, 0, 0, 100);
        bg.setColorAt(0, QColor(38, 52, 86));
        bg.setColorAt(1, QColor(14, 20, 38));
        p.setPen(Qt::NoPen);
        p.setBrush(bg);
        p.drawRoundedRect(QRectF(2, 2, 96, 96), 18, 18);
    }
    // The trail of light the blade draws.
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 5; ++ring) {
        const double r = 18 + ring * 7;
        QColor arc = QColor::fromHsv((ring * 40 + 350) % 360, 200, 255);
        arc.setAlpha(200);
        p.setPen(QPen(arc, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(50 - r, 50 - r, 2 * r, 2 * r), 200 * 16, -150 * 16);
    }
    // Hub and blade.
    p.save();
    p.translate(50, 50);
    p.rotate(-30);
    QLinearGradient blade(-4, 0, 4, 0);
    blade.setColorAt(0, QColor(170, 180, 200));
    blade.setColorAt(1, QColor(90, 100, 125));
    p.setPen(Qt::NoPen);
    p.setBrush(blade);
    p.drawRoundedRect(QRectF(-4, -46, 8, 92), 4, 4);
    for (int i = 0; i < 5; ++i)
        led(p, QPointF(0, -18 - i * 7), 2.4, QColor::fromHsv((i * 40 + 350) % 360, 230, 255));
    p.restore();
    QRadialGradient hub(QPointF(48, 48), 9);
    hub.setColorAt(0, QColor(235, 238, 245));
    hub.setColorAt(1, QColor(120, 128, 150));
    p.setBrush(hub);
    p.drawEllipse(QPointF(50, 50), 8, 8);
}

void drawLogo(QPainter &p, QSize size)
{
    const QRectF area(0, 0, size.width(), size.height());
    QLinearGradient bg(0, 0, 0, area.height());
    bg.setColorAt(0, QColor(38, 52, 86));
    bg.setColorAt(1, QColor(14, 20, 38));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const double side = std::min(area.width(), area.height() * 0.78);
    p.save();
    p.translate((area.width() - side) / 2, 1);
    p.scale(side / 100, side / 100);
    drawFan(p, false);
    p.restore();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(7, int(area.height() * 0.16)));
    p.setFont(font);
    p.setPen(QColor(230, 236, 250));
    p.drawText(QRectF(0, area.height() * 0.78, area.width(), area.height() * 0.22),
               Qt::AlignCenter, QStringLiteral("Tessivo"));
}

void drawFolder(QPainter &p)
{
    const QPolygonF back{QPointF(8, 26),  QPointF(38, 26), QPointF(46, 34),
                         QPointF(88, 34), QPointF(88, 84), QPointF(8, 84)};
    p.setPen(QPen(QColor(150, 105, 20), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(232, 178, 60));
    p.drawPolygon(back);
    const QPolygonF front{QPointF(18, 46), QPointF(96, 46), QPointF(86, 84), QPointF(8, 84)};
    QLinearGradient g(0, 46, 0, 84);
    g.setColorAt(0, QColor(255, 222, 120));
    g.setColorAt(1, QColor(244, 190, 70));
    p.setBrush(g);
    p.drawPolygon(front);
}

void drawFloppy(QPainter &p)
{
    p.setPen(QPen(QColor(25, 55, 120), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(0, 10, 0, 90);
    g.setColorAt(0, QColor(80, 130, 220));
    g.setColorAt(1, QColor(40, 85, 170));
    p.setBrush(g);
    const QPolygonF body{QPointF(12, 10), QPointF(78, 10), QPointF(90, 22), QPointF(90, 90),
                         QPointF(12, 90)};
    p.drawPolygon(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 236, 245));
    p.drawRect(QRectF(26, 12, 44, 26));
    p.setBrush(QColor(40, 85, 170));
    p.drawRect(QRectF(56, 16, 9, 18));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(22, 52, 58, 36), 3, 3);
    p.setPen(QPen(QColor(160, 170, 190), 2.5));
    p.drawLine(QPointF(30, 63), QPointF(72, 63));
    p.drawLine(QPointF(30, 74), QPointF(72, 74));
}

void drawEraser(QPainter &p)
{
    p.save();
    p.translate(50, 52);
    p.rotate(-35);
    p.setPen(QPen(QColor(120, 40, 50), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(0, -16, 0, 16);
    g.setColorAt(0, QColor(250, 130, 140));
    g.setColorAt(1, QColor(215, 70, 85));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(-6, -16, 46, 32), 5, 5);
    p.setBrush(QColor(235, 235, 240));
    p.drawRoundedRect(QRectF(-40, -16, 34, 32), 5, 5);
    p.restore();
    p.setPen(QPen(QColor(150, 150, 160), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 92), QPointF(60, 92));
}

void drawLedColumn(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 66, 80));
    p.drawRoundedRect(QRectF(36, 4, 28, 92), 8, 8);
    const QColor colours[] = {QColor(255, 60, 60), QColor(255, 60, 60), QColor(90, 90, 100),
                              QColor(255, 60, 60), QColor(90, 90, 100)};
    for (int i = 0; i < 5; ++i)
        led(p, QPointF(50, 16 + i * 17), 6.5, colours[i]);
}

void drawColours(QPainter &p)
{
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    const QColor colours[] = {QColor(235, 40, 40), QColor(40, 200, 60), QColor(50, 90, 240)};
    const QPointF centres[] = {QPointF(50, 34), QPointF(34, 62), QPointF(66, 62)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QColor c = colours[i];
        c.setAlpha(235);
        p.setBrush(c);
        p.drawEllipse(centres[i], 26, 26);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

/// A round, lit button face; the sign on it is drawn in white afterwards.
void roundButton(QPainter &p, QColor light, QColor dark, QColor edge)
{
    QRadialGradient g(QPointF(40, 40), 60);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(edge, 3));
    p.setBrush(g);
    p.drawEllipse(QPointF(50, 50), 44, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
}

void drawPlay(QPainter &p)
{
    roundButton(p, QColor(120, 220, 120), QColor(30, 150, 50), QColor(20, 110, 40));
    p.drawPolygon(QPolygonF{QPointF(40, 28), QPointF(72, 50), QPointF(40, 72)});
}

void drawStop(QPainter &p)
{
    roundButton(p, QColor(250, 120, 110), QColor(200, 40, 40), QColor(150, 25, 25));
    p.drawRoundedRect(QRectF(33, 33, 34, 34), 4, 4);
}

void drawExit(QPainter &p)
{
    p.setPen(QPen(QColor(90, 60, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(0, 0, 100, 0);
    g.setColorAt(0, QColor(190, 130, 70));
    g.setColorAt(1, QColor(150, 95, 45));
    p.setBrush(g);
    p.drawRect(QRectF(14, 8, 46, 84));
    p.setBrush(QColor(250, 210, 90));
    p.drawEllipse(QPointF(50, 52), 4, 4);
    p.setPen(QPen(QColor(200, 40, 40), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(56, 50), QPointF(90, 50));
    p.drawLine(QPointF(78, 36), QPointF(92, 50));
    p.drawLine(QPointF(78, 64), QPointF(92, 50));
}

void drawSend(QPainter &p)
{
    const QPolygonF plane{QPointF(6, 48), QPointF(94, 10), QPointF(70, 90), QPointF(48, 62)};
    QLinearGradient g(0, 10, 100, 90);
    g.setColorAt(0, QColor(90, 170, 250));
    g.setColorAt(1, QColor(30, 100, 200));
    p.setPen(QPen(QColor(20, 70, 150), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPolygon(plane);
    p.setPen(QPen(QColor(230, 240, 255), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(94, 10), QPointF(48, 62));
    p.setPen(QPen(QColor(20, 70, 150), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(20, 70, 150));
    const QPolygonF fold{QPointF(48, 62), QPointF(44, 86), QPointF(58, 72)};
    p.drawPolygon(fold);
}

/// A key of the character keyboard: a light grey face, or the blue-grey face of the
/// key under the pointer, with a bevel.
void drawKey(QPainter &p, QSize size, bool hot)
{
    const QRectF face(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, hot ? QColor(196, 210, 232) : QColor(248, 248, 250));
    fill.setColorAt(1, hot ? QColor(150, 170, 204) : QColor(214, 216, 222));
    p.setPen(QPen(hot ? QColor(72, 96, 140) : QColor(150, 154, 164), 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, hot ? 120 : 200), 1));
    p.drawLine(QPointF(4, 1.5), QPointF(size.width() - 4, 1.5));
}

void drawTxt(QPainter &p, QSize size)
{
    const QRectF area(0, 0, size.width(), size.height());
    // "TXT" in LED dots: the glyph editor opens on the row's LEDs.
    static const char *const rows[5] = {
        "111.1.1.111",
        ".1..1.1..1.",
        ".1...1...1.",
        ".1..1.1..1.",
        ".1..1.1..1.",
    };
    const double cell = std::min(area.width() / 12.0, area.height() / 6.0);
    const double left = (area.width() - cell * 11) / 2, top = (area.height() - cell * 5) / 2;
    p.setPen(Qt::NoPen);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 11; ++x) {
            const bool lit = rows[y][x] == '1';
            p.setBrush(lit ? QColor(215, 40, 40) : QColor(0, 0, 0, 28));
            p.drawEllipse(QRectF(left + x * cell + cell * 0.1, top + y * cell + cell * 0.1, cell * 0.8,
                                 cell * 0.8));
        }
    }
}

void drawLink(QPainter &p, QSize size, bool connected)
{
    const double w = size.width(), h = size.height();
    p.scale(w / 160.0, h / 100.0);
    // The display: a small fan housing with its blade.
    QLinearGradient housing(0, 20, 0, 80);
    housing.setColorAt(0, connected ? QColor(60, 70, 95) : QColor(150, 150, 156));
    housing.setColorAt(1, connected ? QColor(25, 30, 45) : QColor(110, 110, 118));
    p.setPen(QPen(connected ? QColor(20, 25, 40) : QColor(95, 95, 100), 2.5));
    p.setBrush(housing);
    p.drawEllipse(QPointF(118, 50), 36, 36);
    p.save();
    p.translate(118, 50);
    p.rotate(-30);
    p.setPen(Qt::NoPen);
    p.setBrush(connected ? QColor(200, 205, 215) : QColor(185, 185, 190));
    p.drawRoundedRect(QRectF(-3.5, -31, 7, 62), 3, 3);
    for (int i = 0; i < 4; ++i) {
        const QColor colour =
            connected ? QColor::fromHsv((i * 35 + 350) % 360, 220, 255) : QColor(130, 130, 135);
        led(p, QPointF(0, -10 - i * 6), 2.2, colour);
    }
    p.restore();
    if (connected) {
        p.setBrush(Qt::NoBrush);
        for (int ring = 0; ring < 3; ++ring) {
            QColor arc = QColor::fromHsv((ring * 35 + 350) % 360, 200, 255);
            arc.setAlpha(170);
            p.setPen(QPen(arc, 2.2, Qt::SolidLine, Qt::RoundCap));
            const double r = 12 + ring * 7;
            p.drawArc(QRectF(118 - r, 50 - r, 2 * r, 2 * r), 180 * 16, -120 * 16);
        }
    }
    // The cable and its plug; unplugged, the plug hangs short of the socket.
    const QColor cable = connected ? QColor(40, 45, 60) : QColor(120, 120, 128);
    const double plugX = connected ? 58 : 36;
    p.setPen(QPen(cable, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath wire;
    wire.moveTo(4, 82);
    wire.cubicTo(20, 82, 14, 50, plugX - 14, 50);
    p.drawPath(wire);
    p.setPen(QPen(cable.darker(130), 2));
    p.setBrush(connected ? QColor(70, 78, 98) : QColor(160, 160, 168));
    p.drawRoundedRect(QRectF(plugX - 16, 40, 20, 20), 3, 3);
    p.setBrush(QColor(200, 200, 208));
    p.drawRect(QRectF(plugX + 4, 44, 14, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(cable.darker(150));
    p.drawRect(QRectF(plugX + 8, 47, 3, 2.5));
    p.drawRect(QRectF(plugX + 8, 51, 3, 2.5));
    // Socket on the display's side.
    p.setBrush(QColor(30, 30, 35));
    p.drawRect(QRectF(76, 43, 6, 14));
    // The state badge.
    const QPointF badge(138, 20);
    p.setPen(QPen(Qt::white, 2.5));
    p.setBrush(connected ? QColor(40, 170, 70) : QColor(210, 45, 45));
    p.drawEllipse(badge, 14, 14);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (connected) {
        const QPolygonF tick{badge + QPointF(-7, 0), badge + QPointF(-2, 6), badge + QPointF(7, -6)};
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(tick);
    } else {
        p.drawLine(badge + QPointF(-6, -6), badge + QPointF(6, 6));
        p.drawLine(badge + QPointF(-6, 6), badge + QPointF(6, -6));
    }
}

/// Two overlapping T's: a scalable outline font.
void drawTrueType(QPainter &p)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(70);
    p.setFont(font);
    p.setPen(QColor(120, 120, 130));
    p.drawText(QRectF(-6, -10, 80, 100), Qt::AlignCenter, QStringLiteral("T"));
    p.setPen(QColor(30, 90, 200));
    p.drawText(QRectF(26, 10, 80, 100), Qt::AlignCenter, QStringLiteral("T"));
}

/// A printer: a font that lives in a device.
void drawDevice(QPainter &p)
{
    p.setPen(QPen(QColor(60, 70, 90), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(28, 8, 44, 30));
    p.setBrush(QColor(170, 180, 200));
    p.drawRoundedRect(QRectF(8, 36, 84, 38), 6, 6);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(28, 62, 44, 30));
    p.setPen(QPen(QColor(60, 70, 90), 4));
    p.drawLine(QPointF(36, 74), QPointF(64, 74));
    p.drawLine(QPointF(36, 84), QPointF(58, 84));
}

} // namespace

QPixmap picture(int id, QSize size)
{
    const double ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    Canvas canvas(size, ratio);
    QPainter &p = canvas.painter;
    switch (id) {
    case kLogo:
        drawLogo(p, size);
        break;
    case kConnected:
    case kNotConnected:
        drawLink(p, size, id == kConnected);
        break;
    case kTxt:
        drawTxt(p, size);
        break;
    case kKeyNormal:
    case kKeyHot:
        drawKey(p, size, id == kKeyHot);
        break;
    case kIcon:
        squareCanvas(p, size);
        drawFan(p, true);
        break;
    default:
        squareCanvas(p, size);
        switch (id) {
        case kOpen: drawFolder(p); break;
        case kSave: drawFloppy(p); break;
        case kClear: drawEraser(p); break;
        case kLedType: drawLedColumn(p); break;
        case kColour: drawColours(p); break;
        case kStart: drawPlay(p); break;
        case kStop: drawStop(p); break;
        case kExit: drawExit(p); break;
        case kSend: drawSend(p); break;
        case kFontTrueType: drawTrueType(p); break;
        case kFontDevice: drawDevice(p); break;
        default: break;
        }
        break;
    }
    p.end();
    return canvas.pixmap;
}

QImage fanFrontView(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 192.0, side / 192.0);
    const QPointF centre(96, 96);

    // Dark surroundings, a little lighter behind the fan.
    QRadialGradient room(centre, 136);
    room.setColorAt(0, QColor(40, 45, 56));
    room.setColorAt(1, QColor(10, 12, 17));
    p.fillRect(QRectF(0, 0, 192, 192), room);

    // The handle, held below the hub; the spinning blade passes in front of it.
    QLinearGradient handle(80, 0, 112, 0);
    handle.setColorAt(0, QColor(46, 58, 84));
    handle.setColorAt(0.35, QColor(128, 148, 190));
    handle.setColorAt(0.6, QColor(86, 104, 142));
    handle.setColorAt(1, QColor(36, 44, 64));
    p.setPen(QPen(QColor(18, 22, 32), 1));
    p.setBrush(handle);
    p.drawRoundedRect(QRectF(80, 96, 32, 120), 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 34, 50));
    for (int groove = 0; groove < 6; ++groove)
        p.drawRoundedRect(QRectF(85, 140 + groove * 8, 22, 2.4), 1, 1);
    // The switch on the handle.
    p.setBrush(QColor(190, 64, 56));
    p.drawRoundedRect(QRectF(90, 122, 12, 8), 2.5, 2.5);

    // The blade disc: a blur of the turning blade, faint rings of its motion, a rim.
    QRadialGradient disc(centre, 90);
    disc.setColorAt(0, QColor(70, 78, 94, 70));
    disc.setColorAt(0.7, QColor(52, 58, 72, 100));
    disc.setColorAt(1, QColor(36, 40, 50, 150));
    p.setBrush(disc);
    p.drawEllipse(centre, 90, 90);
    QConicalGradient sweep(centre, 80);
    sweep.setColorAt(0, QColor(150, 160, 180, 60));
    sweep.setColorAt(0.12, QColor(150, 160, 180, 0));
    sweep.setColorAt(0.5, QColor(150, 160, 180, 50));
    sweep.setColorAt(0.62, QColor(150, 160, 180, 0));
    sweep.setColorAt(1, QColor(150, 160, 180, 60));
    p.setBrush(sweep);
    p.drawEllipse(centre, 88, 88);
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 6; ++ring) {
        const double r = 34 + ring * 10;
        p.setPen(QPen(QColor(120, 130, 150, 26 + ring * 4), 1));
        p.drawEllipse(centre, r, r);
    }
    p.setPen(QPen(QColor(96, 104, 122), 2));
    p.drawEllipse(centre, 90, 90);
    p.setPen(QPen(QColor(20, 22, 28), 1));
    p.drawEllipse(centre, 92, 92);

    // The blade itself, caught half way round: a thin bar carrying the LED column.
    p.save();
    p.translate(centre);
    p.rotate(-62);
    QLinearGradient bar(0, -4, 0, 4);
    bar.setColorAt(0, QColor(54, 58, 68, 170));
    bar.setColorAt(0.5, QColor(128, 136, 152, 190));
    bar.setColorAt(1, QColor(54, 58, 68, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(14, -3.5, 74, 7), 3, 3);
    p.drawRoundedRect(QRectF(-88, -3.5, 74, 7), 3, 3);
    p.setBrush(QColor(30, 32, 38, 200));
    for (int i = 0; i < 8; ++i)
        p.drawEllipse(QPointF(52 + i * 4.6, 0), 1.2, 1.2);
    p.restore();

    // The hub: a metal ring and its cap.
    QRadialGradient hub(centre - QPointF(5, 6), 24);
    hub.setColorAt(0, QColor(214, 220, 230));
    hub.setColorAt(0.45, QColor(136, 144, 160));
    hub.setColorAt(1, QColor(58, 62, 72));
    p.setPen(QPen(QColor(26, 28, 34), 1.5));
    p.setBrush(hub);
    p.drawEllipse(centre, 19, 19);
    QRadialGradient cap(centre - QPointF(2, 3), 10);
    cap.setColorAt(0, QColor(232, 236, 242));
    cap.setColorAt(1, QColor(96, 104, 120));
    p.setPen(QPen(QColor(40, 44, 52), 1));
    p.setBrush(cap);
    p.drawEllipse(centre, 8, 8);
    p.end();
    return image;
}

namespace {

/// The program's icon, drawn at a size only when something asks for it (the window
/// system, a task bar). The small sizes are kept; a large one is drawn again if it is
/// asked again, which the window system does once.
class ProgramIconEngine : public QIconEngine {
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::max(1, std::min(size.width(), size.height()));
        if (side > kLargestKept)
            return picture(kIcon, QSize(side, side));
        auto found = drawn_.find(side);
        if (found == drawn_.end())
            found = drawn_.emplace(side, picture(kIcon, QSize(side, side))).first;
        return found->second;
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    /// What the window gives the window system for its title bar, task bar and window
    /// switcher; the desktop's launchers take the installed icon files instead.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int side : {16, 24, 32, 48, 64, 128})
            sizes << QSize(side, side);
        return sizes;
    }
    QIconEngine *clone() const override { return new ProgramIconEngine(*this); }

private:
    static constexpr int kLargestKept = 64;
    std::map<int, QPixmap> drawn_;
};

} // namespace

QIcon programIcon()
{
    return QIcon(new ProgramIconEngine);
}

} // namespace tessivo::pictures
