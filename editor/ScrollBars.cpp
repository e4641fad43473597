// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/ScrollBars.h"

#include <climits>
#include <cmath>

namespace tessivo::scrolling {

Sizes scrollSizes(QSize line, QSize total)
{
    Sizes s;
    s.total = QSize(total.width(), std::abs(total.height()));
    s.page = QSize(s.total.width() / 10, s.total.height() / 10);
    s.line = QSize(line.width() != 0 ? line.width() : s.page.width() / 10,
                   line.height() != 0 ? line.height() : s.page.height() / 10);
    return s;
}

QSize trueClientSize(QSize client, bool horizontalShown, bool verticalShown, QSize bars)
{
    return QSize(client.width() + (verticalShown ? bars.width() : 0),
                 client.height() + (horizontalShown ? bars.height() : 0));
}

bool roomForBars(QSize trueClient, QSize bars)
{
    return trueClient.width() > bars.width() && trueClient.height() > bars.height();
}

BarState barState(QSize total, QSize trueClient, QPoint position, QSize bars)
{
    BarState s;
    s.range = QSize(total.width() - trueClient.width(), total.height() - trueClient.height());
    s.start = position;
    s.horizontal = s.range.width() > 0;
    if (!s.horizontal)
        s.start.setX(0);
    else
        s.range.rheight() += bars.height();
    s.vertical = s.range.height() > 0;
    if (!s.vertical)
        s.start.setY(0);
    else
        s.range.rwidth() += bars.width();
    // A vertical bar can leave too little width after all.
    if (s.vertical && !s.horizontal && s.range.width() > 0) {
        s.horizontal = true;
        s.range.rheight() += bars.height();
    }
    if (s.range.width() > 0 && s.start.x() >= s.range.width())
        s.start.setX(s.range.width());
    if (s.range.height() > 0 && s.start.y() >= s.range.height())
        s.start.setY(s.range.height());
    return s;
}

int scrolled(Action action, int position, int thumb, int line, int page)
{
    switch (action) {
    case LineUp: return position - line;
    case LineDown: return position + line;
    case PageUp: return position - page;
    case PageDown: return position + page;
    case ThumbTrack: return thumb;
    case Top: return 0;
    case Bottom: return INT_MAX;
    default: return position;
    }
}

int wheelDistance(int delta, int line, int page)
{
    // MulDiv(-delta, 10, 120): rounded to the nearest whole line.
    const double exact = -double(delta) * 10.0 / 120.0;
    const int lines = int(exact < 0 ? -std::floor(-exact + 0.5) : std::floor(exact + 0.5));
    if (lines == -1)
        return delta > 0 ? -page : page;
    const int distance = lines * line;
    return distance > page ? page : distance;
}

} // namespace tessivo::scrolling
