// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ShadeButton.h"

#include "ui/Pictures.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace tessivo {

CShadeButtonST::CShadeButtonST(QWidget *parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

QSize CShadeButtonST::sizeHint() const
{
    const QSize text = fontMetrics().size(0, this->text());
    return QSize(text.width() + 40, std::max(24, text.height() + 10));
}

void CShadeButtonST::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool enabled = isEnabled();
    const bool down = isDown() || (menu() && menu()->isVisible());
    const bool hover = enabled && underMouse();

    // The face: a soft vertical shade, darker when pressed, lighter under the mouse.
    QColor top, bottom, border;
    if (shade_ == kHardBump) {
        top = QColor(250, 251, 253);
        bottom = QColor(203, 211, 226);
        border = QColor(122, 138, 168);
    } else {
        top = QColor(246, 249, 255);
        bottom = QColor(214, 226, 246);
        border = QColor(140, 160, 200);
    }
    if (hover) {
        top = top.lighter(103);
        bottom = QColor(255, 226, 160);
        border = QColor(220, 160, 60);
    }
    if (down)
        std::swap(top, bottom);
    if (!enabled) {
        top = QColor(244, 244, 244);
        bottom = QColor(228, 228, 228);
        border = QColor(180, 180, 180);
    }
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, top);
    g.setColorAt(shade_ == kHardBump ? 0.45 : 0.6, top.darker(103));
    g.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(face, 4, 4);
    if (!down && enabled) {
        p.setPen(QPen(QColor(255, 255, 255, 170), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(1, 1, -1, -1), 3, 3);
    }

    // Picture on the left, caption beside it, the menu's arrow on the right.
    const int offset = down ? 1 : 0;
    QRect content = rect().adjusted(3 + offset, 2 + offset, -3 + offset, -2 + offset);
    if (menu()) {
        const QRect arrow(content.right() - 6, content.center().y() - 2, 7, 4);
        QPainterPath path;
        path.moveTo(arrow.left(), arrow.top());
        path.lineTo(arrow.right(), arrow.top());
        path.lineTo(arrow.center().x() + 0.5, arrow.bottom());
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? QColor(60, 70, 90) : QColor(170, 170, 170));
        p.drawPath(path);
        content.setRight(content.right() - 9);
    }
    if (pictureId_ != 0) {
        // The picture gives way to the caption when room is short.
        const int textWidth = fontMetrics().size(0, text()).width();
        const int room = content.width() - textWidth - 3;
        const int side = std::clamp(room, 14, std::min(content.height() - 2, 22));
        const QRect pic(content.left() + 1, content.center().y() - side / 2 + 1, side, side);
        p.save();
        if (!enabled)
            p.setOpacity(0.35);
        if (picture_.deviceIndependentSize().toSize() != pic.size())
            picture_ = pictures::picture(pictureId_, pic.size());
        p.drawPixmap(pic, picture_);
        p.restore();
        content.setLeft(pic.right() + 2);
    }
    p.setPen(enabled ? QColor(20, 30, 50) : QColor(150, 150, 150));
    p.setFont(font());
    p.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen focus(QColor(80, 90, 110), 1, Qt::DotLine);
        p.setPen(focus);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace tessivo
