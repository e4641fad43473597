// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A scrolling view whose content is larger than its window: the subclass states the
// size of its content and draws it in content coordinates (client point plus scroll
// position, one to one); the bars appear exactly when the content needs them, page and
// line steps and the wheel follow the editor's rules, and painting goes through the
// window's off-screen image.

#include "editor/ScrollBars.h"

#include <QAbstractScrollArea>

namespace tessivo {

class CScrollWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CScrollWnd(QWidget *parent = nullptr);

    /// The content's size and the line step (a 0 component: a tenth of the page).
    void SetScrollSizes(QSize line, QSize total);
    QPoint GetDeviceScrollPosition() const;
    void ScrollToDevicePosition(QPoint position);
    /// Shows, hides and sizes the bars for the content and the client area.
    void UpdateBars();
    bool horizontalBarShown() const { return horizontalShown_; }
    bool verticalBarShown() const { return verticalShown_; }
    const scrolling::Sizes &scrollSizes() const { return sizes_; }
    /// A scroll by a distance, clamped to the content; false when nothing moved.
    bool OnScrollBy(int dx, int dy);
    /// The widths a vertical and a horizontal bar take.
    QSize barSizes() const;

signals:
    /// The scroll position changed.
    void scrolled(QPoint position);

protected:
    /// Draws the content of `exposed` (content coordinates) with the painter already
    /// moved by the scroll position.
    virtual void OnDraw(QPainter &painter, const QRect &exposed) = 0;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void onAction(Qt::Orientation orientation, int action);

    scrolling::Sizes sizes_;
    bool haveSizes_ = false;
    bool updating_ = false;
    bool horizontalShown_ = false;
    bool verticalShown_ = false;
};

} // namespace tessivo
