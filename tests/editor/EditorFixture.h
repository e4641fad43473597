// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An editor model bound to a 16-LED row of five blank characters (a 40 x 16 board),
// with helpers that click and drag on board pixels.

#include "editor/GlyphEditor.h"
#include "rows/RowModel.h"

#include <gtest/gtest.h>

namespace tessivo {

inline bool blankGlyph(uint16_t, int ledType, ChrRecord &record)
{
    record.width = 8;
    record.height = LedTypeTable()[ledType].ledCount;
    record.byteCount = uint8_t(8 * bytesPerColumn(record.height));
    return true;
}

class EditorFixture : public ::testing::Test {
protected:
    EditorFixture() : row(&blankGlyph), editor(180)
    {
        row.SetLedType(ledtype::k16, false);
        for (int i = 0; i < 5; ++i)
            if (row.AddChar('a', false))
                row.MoveCaret(1, false);
        editor.setRequestedCharSize(16, 16);
        editor.LoadRow(&row, 0);
    }
    /// The content point in the middle of board pixel (x, y).
    QPoint at(int x, int y) const { return editor.layout().squaresOf(QRect(x, y, 1, 1)).center(); }
    void click(int x, int y, editor::Button button = editor::Button::Left)
    {
        editor.Press(at(x, y), button);
        editor.Release(at(x, y), button);
    }
    /// Draws ink at the pixels with the pencil.
    void ink(std::initializer_list<QPoint> pixels)
    {
        editor.OnCommand(editor::kCmdPencil);
        for (const QPoint &p : pixels)
            click(p.x(), p.y());
    }
    /// Marks a rectangle with the select tool (a drag from one corner to the other).
    void select(const QRect &r)
    {
        editor.OnCommand(editor::kCmdSelect);
        editor.Move(at(r.left(), r.top()), false, false);
        drag(r.topLeft(), r.bottomRight());
    }
    void drag(QPoint from, QPoint to, editor::Button button = editor::Button::Left)
    {
        editor.Press(at(from.x(), from.y()), button);
        editor.Move(at(to.x(), to.y()), button == editor::Button::Left, button == editor::Button::Right);
        editor.Release(at(to.x(), to.y()), button);
    }
    int inkCount() const
    {
        int n = 0;
        for (int y = 0; y < editor.layout().boardHeight; ++y)
            for (int x = 0; x < editor.layout().boardWidth; ++x)
                n += editor.board().pixel(x, y);
        return n;
    }
    bool boardMatchesRow() const
    {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 40; ++x)
                if (editor.board().pixel(x, y) != row.rowImage().pixel(x, y))
                    return false;
        return true;
    }

    RowModel row;
    GlyphEditor editor;
};

} // namespace tessivo
