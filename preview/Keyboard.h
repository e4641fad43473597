// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The character keyboard without a window: the keys (every distinct glyph the current
// source gives for the codes 1 to 125), the grid of 28-pixel keys 16 to a line, the hit
// test with its gaps, the scroll actions, and the mouse rules that highlight and pick
// keys.

#include "rows/ChrRecord.h"

#include <QRect>
#include <algorithm>
#include <functional>
#include <vector>

namespace tessivo {

namespace keys {
constexpr int kMaxCode = 125;
constexpr int kPerLine = 16;
constexpr int kSize = 28;        // a key face
constexpr int kPitch = 30;       // a key and the gap to the next
constexpr int kScrollBarWidth = 20;
constexpr int kInitialVisibleLines = 4;
enum class Scroll { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Other };
}

/// Looks a code up for the keyboard's LED type into a cleared record.
using KeyLookup = std::function<bool(uint16_t code, ChrRecord &record)>;

/// The keyboard's lookup for a glyph source: as typing looks codes up, but from an
/// installed font the control codes below 32 only where the face itself draws them.
/// `faceHas` answers that (the installed font's own question, given for tests).
KeyLookup keyLookupFor(const KeyLookup &lookup, bool installedFont, const std::function<bool(uint16_t)> &faceHas);

/// The keys for codes 1 to min(maxCode, 125): failed lookups, blank glyphs (but space)
/// and glyphs identical to an earlier key (byte count, width, height, column bytes)
/// get no key.
std::vector<ChrRecord> FillKeys(int maxCode, const KeyLookup &lookup);

class Keyboard {
public:
    /// Refills the keys; the view goes back to the first line, no key is highlighted.
    void Fill(std::vector<ChrRecord> keys, int ledType);

    /// The client area changed: the grid (less the scroll bar, 2 pixels inside), the
    /// lines that fit, and the first line shown again.
    void Resize(int clientWidth, int clientHeight);

    /// A scroll action; answers whether the first line shown changed.
    bool Scroll(keys::Scroll action, int thumb);

    /// The key under a point, or -1 (a gap, below the last key, outside the grid).
    int HitTest(QPoint point) const;
    /// The face of key k on screen; empty when its line is not shown.
    QRect cellRect(int k) const;

    // The mouse, as the window reports it. Each answers the keys whose look changed.
    std::vector<int> MouseMove(QPoint point);
    std::vector<int> MousePress(QPoint point);
    /// The key picked by the release, or -1; `changed` gets the keys to redraw.
    int MouseRelease(QPoint point, std::vector<int> &changed);
    std::vector<int> MouseLeave();

    // The keyboard's own keys (the window has the focus): a focus key that the arrows
    // move (one key or one line), scrolled into view; Enter or Space picks it.
    /// Moves the focus key by `dx` keys and `dy` lines; the keys to redraw. The first
    /// move with no focus key yet puts it on the first key shown.
    std::vector<int> MoveFocus(int dx, int dy);
    /// Puts the focus key on key k (scrolled into view); the keys to redraw. A k that
    /// is no key changes nothing.
    std::vector<int> SetFocusKey(int k);
    int focusKey() const { return focusKey_; }
    /// The highest first line: the last line then shows at the bottom.
    int lastTopLine() const { return std::max(0, lineCount() - visibleLines_); }

    const std::vector<ChrRecord> &keys() const { return keys_; }
    int keyCount() const { return int(keys_.size()); }
    int ledType() const { return ledType_; }
    int lineCount() const { return (keyCount() + keys::kPerLine - 1) / keys::kPerLine; }
    int visibleLines() const { return visibleLines_; }
    int topLine() const { return topLine_; }
    int hotKey() const { return hotKey_; }
    /// The key drawn highlighted now, or -1.
    int litKey() const { return litKey_; }
    const QRect &gridRect() const { return gridRect_; }
    /// The scroll bar is of use only when the lines do not all fit.
    bool scrollBarEnabled() const { return lineCount() > visibleLines_; }

private:
    std::vector<ChrRecord> keys_;
    int ledType_ = 0;
    int visibleLines_ = keys::kInitialVisibleLines;
    int topLine_ = 0;
    int hotKey_ = -1;
    int litKey_ = -1;
    int focusKey_ = -1;
    QRect gridRect_;
};

} // namespace tessivo
