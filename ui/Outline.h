// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One-pixel outlines with optionally rounded corners, painted directly: a style sheet
// would draw the same, but brings the whole style sheet machinery into every start.

#include <QFrame>
#include <QLabel>

class QPainter;

namespace tessivo {

/// Paints a one-pixel outline along the inside of `box`: a bar along each edge between
/// the corners and, with a radius, an eighth of a circle at each end of a bar.
void paintOutline(QPainter &painter, const QRect &box, const QColor &colour, qreal radius);

/// A frame drawn as a black outline, whatever the palette.
class COutlineFrame : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *event) override;
};

/// A label on a pale card with a thin rounded outline: the main window's note.
class CNoteLabel : public QLabel {
    Q_OBJECT
public:
    explicit CNoteLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace tessivo
