// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The glyph editor's floating selection: pixels lifted off the board (or pasted onto it)
// that float at a board rectangle above what lies under them, until they are dropped.
// Its place is kept in board pixels only, so what is shown is what later moves, resizes
// and nudges start from. With no selection nothing is recomposed.

#include "rows/MonoImage.h"

#include <QImage>
#include <QRect>

namespace tessivo {

namespace editor {
enum class Transform { TurnLeft, TurnRight, Turn180, MirrorHorizontal, MirrorVertical, Invert, Hollow };
}

class FloatingSelection {
public:
    /// Room for pictures up to twice the widest board in each direction.
    explicit FloatingSelection(int boardImageWidth);

    bool active() const { return !rect_.isEmpty(); }
    /// The board rectangle of the floating pixels; it may lie beside the board, never
    /// further than its own size.
    QRect rect() const { return rect_; }
    /// The floating pixels, at the image's top-left.
    const MonoImage &image() const { return image_; }
    /// The largest size the floating pixels may take.
    QSize capacity() const { return QSize(image_.width(), image_.height()); }
    bool contains(QPoint pixel) const { return rect_.contains(pixel); }

    /// Lifts a rectangle of the board: its pixels float, and the board under them shows
    /// the background colour once they move away. The board itself does not change.
    void lift(const MonoImage &board, const QRect &pixels, const QRect &used, bool backgroundInk);
    /// Floats a picture at a board place without lifting anything: moving or deleting it
    /// shows the board as it was. Ink where `picture` (w x h, at its top-left) has ink.
    void floatOver(const MonoImage &board, const QRect &used, const MonoImage &picture, const QRect &place);
    /// Ends the selection; the board keeps what it shows.
    void drop() { rect_ = QRect(); }

    /// Writes the floating pixels onto the board (opaque: all of them; transparent: those
    /// not of the background colour), clipped to the used board.
    void stamp(MonoImage &board, const QRect &used, bool opaque, bool backgroundInk) const;
    /// The board as it is without the floating pixels. Nothing without a selection.
    void restoreBackground(MonoImage &board, const QRect &used) const;
    /// The board without the floating pixels, then them on top.
    void recompose(MonoImage &board, const QRect &used, bool opaque, bool backgroundInk) const;

    /// Moves the top-left to a board pixel, kept within one selection size of the board.
    void moveTo(QPoint topLeft, QSize boardSize);
    /// The top-left a move to `wanted` ends at.
    QPoint clampedTopLeft(QPoint wanted, QSize boardSize) const;
    /// Scales the floating pixels to a new rectangle: pixels are repeated when it grows,
    /// and merged when it shrinks, ink winning. Cut to the capacity.
    void resizeTo(const QRect &target);
    void transform(editor::Transform kind);

    /// The floating pixels as a picture: ink black, paper white.
    QImage picture() const;

private:
    MonoImage image_;
    MonoImage background_;
    QRect rect_;
};

} // namespace tessivo
