// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rules of the editor canvas's scroll bars, without a window: the page and line
// steps, when each bar is needed (one bar can make the other needed), how far a
// position is pulled back when the window grows, the actions of the bars and the
// wheel.

#include <QPoint>
#include <QSize>

namespace tessivo::scrolling {

struct Sizes {
    QSize total;  // the content
    QSize page;   // a page step: a tenth of the content
    QSize line;   // a line step as given; a 0 component a tenth of the page
};
Sizes scrollSizes(QSize line, QSize total);

/// The client size there would be without bars: the client plus the bars shown now.
QSize trueClientSize(QSize client, bool horizontalShown, bool verticalShown, QSize bars);
/// Whether bars fit at all: the true client is wider and higher than a bar.
bool roomForBars(QSize trueClient, QSize bars);

struct BarState {
    bool horizontal = false;
    bool vertical = false;
    QSize range;     // how far the content exceeds the client, bars included
    QPoint start;    // the position, pulled back into the range
};
/// Which bars a content of `total` needs in a true client area, and the position
/// (`position` pulled back when it lies at or beyond a positive range, 0 on an axis
/// without a bar).
BarState barState(QSize total, QSize trueClient, QPoint position, QSize bars);

enum Action { LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbPosition = 4, ThumbTrack = 5, Top = 6, Bottom = 7 };
/// The new position on one axis after a bar action (before clamping).
int scrolled(Action action, int position, int thumb, int line, int page);
/// The distance one wheel event scrolls: ten lines a notch (120), rounded to nearest;
/// a distance of less than one line upward scrolls a page; downward at most a page.
int wheelDistance(int delta, int line, int page);

} // namespace tessivo::scrolling
