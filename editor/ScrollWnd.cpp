// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/ScrollWnd.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace tessivo {

CScrollWnd::CScrollWnd(QWidget *parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { onAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { onAction(Qt::Vertical, action); });
}

QSize CScrollWnd::barSizes() const
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return QSize(extent, extent);
}

void CScrollWnd::SetScrollSizes(QSize line, QSize total)
{
    const bool first = !haveSizes_;
    sizes_ = scrolling::scrollSizes(line, total);
    haveSizes_ = true;
    UpdateBars();
    if (first)
        viewport()->update();
}

QPoint CScrollWnd::GetDeviceScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CScrollWnd::ScrollToDevicePosition(QPoint position)
{
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

void CScrollWnd::UpdateBars()
{
    // Showing or hiding a bar resizes the client area and asks for this again.
    if (updating_ || !haveSizes_)
        return;
    updating_ = true;
    const QSize bars = barSizes();
    const QSize client = viewport()->size();
    const QSize trueClient = scrolling::trueClientSize(client, horizontalShown_, verticalShown_, bars);
    if (!scrolling::roomForBars(trueClient, bars)) {
        if (client.width() > 0 && client.height() > 0) {
            setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            horizontalShown_ = verticalShown_ = false;
            horizontalScrollBar()->setRange(0, 0);
            verticalScrollBar()->setRange(0, 0);
        }
        updating_ = false;
        return;
    }
    const scrolling::BarState state =
        scrolling::barState(sizes_.total, trueClient, GetDeviceScrollPosition(), bars);
    const QSize reduced(trueClient.width() - (state.vertical ? bars.width() : 0),
                        trueClient.height() - (state.horizontal ? bars.height() : 0));
    horizontalShown_ = state.horizontal;
    verticalShown_ = state.vertical;
    setHorizontalScrollBarPolicy(state.horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(state.vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Each bar spans the whole content with a page of the client it leaves.
    QScrollBar *h = horizontalScrollBar();
    h->setPageStep(std::max(1, reduced.width()));
    h->setSingleStep(std::max(1, sizes_.line.width()));
    h->setRange(0, state.horizontal ? std::max(0, sizes_.total.width() - reduced.width()) : 0);
    QScrollBar *v = verticalScrollBar();
    v->setPageStep(std::max(1, reduced.height()));
    v->setSingleStep(std::max(1, sizes_.line.height()));
    v->setRange(0, state.vertical ? std::max(0, sizes_.total.height() - reduced.height()) : 0);
    ScrollToDevicePosition(state.start);
    updating_ = false;
}

void CScrollWnd::onAction(Qt::Orientation orientation, int action)
{
    using scrolling::Action;
    Action what;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: what = Action::LineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: what = Action::LineDown; break;
    case QAbstractSlider::SliderPageStepSub: what = Action::PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: what = Action::PageDown; break;
    case QAbstractSlider::SliderMove: what = Action::ThumbTrack; break;
    case QAbstractSlider::SliderToMinimum: what = Action::Top; break;
    case QAbstractSlider::SliderToMaximum: what = Action::Bottom; break;
    default: return;
    }
    const bool horizontal = orientation == Qt::Horizontal;
    QScrollBar *bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int line = horizontal ? sizes_.line.width() : sizes_.line.height();
    const int page = horizontal ? sizes_.page.width() : sizes_.page.height();
    const int target = scrolling::scrolled(what, bar->value(), bar->sliderPosition(), line, page);
    bar->setSliderPosition(std::clamp(target, bar->minimum(), bar->maximum()));
}

bool CScrollWnd::OnScrollBy(int dx, int dy)
{
    if (!verticalShown_)
        dy = 0;
    if (!horizontalShown_)
        dx = 0;
    QScrollBar *h = horizontalScrollBar(), *v = verticalScrollBar();
    const int x = std::clamp(h->value() + dx, 0, h->maximum());
    const int y = std::clamp(v->value() + dy, 0, v->maximum());
    if (x == h->value() && y == v->value())
        return false;
    h->setValue(x);
    v->setValue(y);
    return true;
}

void CScrollWnd::wheelEvent(QWheelEvent *event)
{
    // With Ctrl or Shift the wheel is not this view's.
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier) || (!verticalShown_ && !horizontalShown_)) {
        event->ignore();
        return;
    }
    const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    const bool moved = verticalShown_
        ? OnScrollBy(0, scrolling::wheelDistance(delta, sizes_.line.height(), sizes_.page.height()))
        : OnScrollBy(scrolling::wheelDistance(delta, sizes_.line.width(), sizes_.page.width()), 0);
    if (moved)
        viewport()->repaint();
    event->setAccepted(moved);
}

void CScrollWnd::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
    emit scrolled(GetDeviceScrollPosition());
}

void CScrollWnd::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateBars();
}

void CScrollWnd::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::white);
    const QPoint position = GetDeviceScrollPosition();
    painter.translate(-position);
    OnDraw(painter, exposed.translated(position));
}

} // namespace tessivo
