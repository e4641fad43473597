// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/EditChrWnd.h"

#include "editor/EditChrView.h"
#include "editor/GlyphEditor.h"
#include "editor/Rulers.h"

#include <QPainter>

namespace tessivo {

namespace {

const QColor kStrip(0xC0, 0xC0, 0xC0);
const QColor kBand(0xAA, 0xC8, 0xFF);      // light blue
const QColor kMajor(0xA0, 0x00, 0x00);     // dark red
const QColor kOffset(0x78, 0x78, 0x78);    // grey
const QColor kShade(0x80, 0x80, 0x80);

/// A ruler number, its digits 5 pixels apart; `turned` writes them upward, each digit
/// turned a quarter counter-clockwise. Unset digit pixels show the band's colour.
void drawNumber(QPainter &p, int number, QPoint first, bool turned, const QColor &colour)
{
    const QString text = QString::number(number);
    for (int d = 0; d < text.size(); ++d) {
        const int digit = text[d].unicode() - u'0';
        for (int column = 0; column < ruler::kDigitPitch; ++column) {
            for (int row = 0; row < 7; ++row) {
                const bool set = ruler::digitPixel(digit, column, row);
                // Upright: (column, row); turned: the blank column on top, rows to the right.
                const QPoint at = turned ? first + QPoint(row, 4 - column - d * ruler::kDigitPitch)
                                         : first + QPoint(column + d * ruler::kDigitPitch, row);
                p.fillRect(QRect(at, QSize(1, 1)), set ? colour : kBand);
            }
        }
    }
}

} // namespace

CEditChrWnd::CEditChrWnd(GlyphEditor &editor, const LanguageTable *languages, QWidget *parent)
    : QWidget(parent), editor_(editor), canvas_(new CEditChrView(editor, languages, this))
{
    setObjectName(QStringLiteral("id%1").arg(kControlId));
    setAccessibleName(QStringLiteral("Rulers"));
    // The focus given to the frame goes on to the board (focusInEvent), without a proxy,
    // so that only the board says it has the focus.
    connect(canvas_, &CEditChrView::boardDrawn, this, [this] {
        update(QRect(0, 0, width(), ruler::kMargin));
        update(QRect(0, 0, ruler::kMargin, height()));
    });
}

void CEditChrWnd::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The canvas runs two pixels past the frame's right and bottom edges.
    canvas_->setGeometry(ruler::kMargin, ruler::kMargin, width() - 13, height() - 13);
}

void CEditChrWnd::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    canvas_->setFocus();
}

void CEditChrWnd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DrawHorzRuler(painter);
    DrawVertRuler(painter);
}

void CEditChrWnd::DrawHorzRuler(QPainter &p)
{
    const BoardLayout &layout = editor_.layout();
    const int sX = canvas_->GetDeviceScrollPosition().x();
    p.fillRect(QRect(0, 0, width(), ruler::kMargin), kStrip);
    const int R = layout.boardRect().right() - sX + 27;
    if (R > 11) {
        p.fillRect(QRect(QPoint(11, 2), QPoint(R - 1, 12)), kBand);
        p.fillRect(QRect(11, 2, R - 11, 1), kShade);
        p.fillRect(QRect(11, 2, 1, 11), kShade);
        p.fillRect(QRect(11, 12, R - 11, 1), Qt::white);
        p.fillRect(QRect(R - 1, 2, 1, 11), Qt::white);
    }
    for (const ruler::Tick &t : ruler::ticks(sX, layout.cellSize, layout.charWidth, layout.boardWidth)) {
        if (!t.major) {
            p.fillRect(QRect(t.position, 7, 1, 5), Qt::black);
            continue;
        }
        p.fillRect(QRect(t.position, 4, 1, 8), kMajor);
        if (t.numbered) {
            const int digits = int(QString::number(t.number).size());
            drawNumber(p, t.number, QPoint(t.position - ruler::kDigitPitch * digits / 2, 4), false,
                       t.offset ? kOffset : kMajor);
        }
    }
}

void CEditChrWnd::DrawVertRuler(QPainter &p)
{
    const BoardLayout &layout = editor_.layout();
    const int sY = canvas_->GetDeviceScrollPosition().y();
    p.fillRect(QRect(0, ruler::kMargin, ruler::kMargin, height() - ruler::kMargin), kStrip);
    const int B = layout.boardRect().bottom() - sY + 27;
    if (B > 11) {
        p.fillRect(QRect(QPoint(2, 11), QPoint(12, B - 1)), kBand);
        p.fillRect(QRect(2, 11, 11, 1), kShade);
        p.fillRect(QRect(2, 11, 1, B - 11), kShade);
        p.fillRect(QRect(12, 11, 1, B - 11), Qt::white);
        p.fillRect(QRect(2, B - 1, 11, 1), Qt::white);
    }
    for (const ruler::Tick &t : ruler::ticks(sY, layout.cellSize, layout.charHeight, layout.boardHeight)) {
        if (!t.major) {
            p.fillRect(QRect(7, t.position, 5, 1), Qt::black);
            continue;
        }
        p.fillRect(QRect(4, t.position, 8, 1), kMajor);
        if (t.numbered) {
            const int digits = int(QString::number(t.number).size());
            drawNumber(p, t.number, QPoint(4, t.position + ruler::kDigitPitch * digits / 2 - 5), true,
                       t.offset ? kOffset : kMajor);
        }
    }
}

} // namespace tessivo
