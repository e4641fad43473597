// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Outline.h"

#include <QPainter>
#include <QPainterPath>

namespace tessivo {
namespace {

const QColor kCard(0xff, 0xfd, 0xf2);
const QColor kNoteOutline(0xd8, 0xcf, 0xa8);
const QColor kNoteText(0x3a, 0x34, 0x24);
constexpr qreal kNoteRadius = 4;

} // namespace

void paintOutline(QPainter &painter, const QRect &box, const QColor &colour, qreal radius)
{
    const QRectF area(box);
    const qreal r = radius;
    const qreal x1 = area.left(), y1 = area.top(), x2 = area.right(), y2 = area.bottom();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The corners are drawn with square ends, so that each overlaps its bar and the other
    // half of its corner as the edges overlap; bottom, right, left and top, in that
    // order, each over the one before.
    QPen pen(colour, 1);
    pen.setCapStyle(Qt::SquareCap);
    const qreal d = 2 * r - 1;
    const QRectF topLeft(x1 + 0.5, y1 + 0.5, d, d), topRight(x2 - 2 * r + 0.5, y1 + 0.5, d, d);
    const QRectF bottomLeft(x1 + 0.5, y2 - 2 * r + 0.5, d, d);
    const QRectF bottomRight(x2 - 2 * r + 0.5, y2 - 2 * r + 0.5, d, d);
    const auto edge = [&](const QRectF &bar, const QRectF &first, int firstFrom, int firstSpan,
                          const QRectF &second, int secondFrom, int secondSpan) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRect(bar);
        if (r <= 0)
            return;
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(first, firstFrom * 16, firstSpan * 16);
        painter.drawArc(second, secondFrom * 16, secondSpan * 16);
    };
    edge(QRectF(x1 + r, y2 - 1, x2 - x1 - 2 * r, 1), bottomLeft, -90, -45, bottomRight, -90, 45);
    edge(QRectF(x2 - 1, y1 + r, 1, y2 - y1 - 2 * r), topRight, 45, -45, bottomRight, 315, 45);
    edge(QRectF(x1, y1 + r, 1, y2 - y1 - 2 * r), topLeft, 135, 45, bottomLeft, 180, 45);
    edge(QRectF(x1 + r, y1, x2 - x1 - 2 * r, 1), topLeft, 135, -45, topRight, 45, 45);
    painter.restore();
}

void COutlineFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintOutline(painter, rect(), Qt::black, 0);
}

CNoteLabel::CNoteLabel(QWidget *parent) : QLabel(parent)
{
    setFrameShape(QFrame::NoFrame);
    setContentsMargins(1, 1, 1, 1);  // the outline's pixel
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, kNoteText);
    colours.setColor(QPalette::Text, kNoteText);
    setPalette(colours);
}

void CNoteLabel::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        // The card reaches to the middle of the outline.
        QPainterPath card;
        card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kNoteRadius - 0.5,
                            kNoteRadius - 0.5);
        painter.fillPath(card, kCard);
        paintOutline(painter, rect(), kNoteOutline, kNoteRadius);
    }
    QLabel::paintEvent(event);
}

} // namespace tessivo
