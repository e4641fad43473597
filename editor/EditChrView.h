// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The editor's canvas: the board magnified cell by cell with its grid, the character
// windows' separators, frame and shadow, and the overlays (eraser outline, selection
// frame). It turns mouse events into gestures of the editor model in content
// coordinates and repaints only the squares a change touched.

#include "editor/GlyphEditor.h"
#include "editor/ScrollWnd.h"

class QMenu;

namespace tessivo {

class GlyphEditor;
class LanguageTable;

class CEditChrView : public CScrollWnd {
    Q_OBJECT
public:
    static constexpr int kControlId = 106;

    /// A canvas of `editor`; its context menus take their texts from the current
    /// language of `languages` (built-in Chinese texts without one).
    explicit CEditChrView(GlyphEditor &editor, const LanguageTable *languages = nullptr,
                          QWidget *parent = nullptr);

    /// Runs a canvas command (undo, clipboard, transformations, grid sizes, clear).
    void OnCommand(int command);
    /// Fills the context menu for a content point; false when there is none there.
    bool fillContextMenu(QMenu &menu, QPoint content) { return fillContextMenu(menu, editor_.menuAt(content)); }
    /// Fills one of the canvas's menus; false for none.
    bool fillContextMenu(QMenu &menu, editor::Menu which);

    /// SetScrollSizes for the board: a cell a line, the board and 10 pixels more.
    void UpdateScrollSizes();
    /// Repaints the squares of a board rectangle (and what lies over them) at once.
    void RepaintRect(const QRect &pixels);
    void RepaintBoard();
    /// The content point of a client point.
    QPoint contentPoint(QPoint client) const { return client + GetDeviceScrollPosition(); }

signals:
    /// The board was drawn: the rulers follow it.
    void boardDrawn();

protected:
    void OnDraw(QPainter &painter, const QRect &exposed) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void drawBoard(QPainter &painter, const QRect &exposed) const;
    void drawFrame(QPainter &painter) const;
    void drawOverlays(QPainter &painter) const;
    void drawSelectionFrame(QPainter &painter, const QRect &pixels) const;
    void drawDottedFrame(QPainter &painter, const QRect &pixels) const;
    /// The viewport area of a board rectangle's squares with room for the overlays.
    QRect viewportArea(const QRect &pixels) const;
    void showCursor();

    GlyphEditor &editor_;
    const LanguageTable *languages_;
    QRect lastOverlay_;  // canvas area of the overlays drawn last
};

} // namespace tessivo
