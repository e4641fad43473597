#pragma once
// The editor's canvas: the board magnified cell by cell with its grid, the character
// windows' separators, frame and shadow, and the overlays (eraser outline, selection
// frame). It turns mouse events into gestures of the editor model in content
// coordinates and repaints only the squares a change touched.

#include "editor/ScrollWnd.h"

namespace tessivo {

class GlyphEditor;

class CEditChrView : public CScrollWnd {
    Q_OBJECT
public:
    static constexpr int kControlId = 106;

    explicit CEditChrView(GlyphEditor &editor, QWidget *parent = nullptr);

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
    bool viewportEvent(QEvent *event) override;

private:
    void drawBoard(QPainter &painter, const QRect &exposed) const;
    void drawFrame(QPainter &painter) const;
    void drawOverlays(QPainter &painter) const;
    /// The viewport area of a board rectangle's squares with room for the overlays.
    QRect viewportArea(const QRect &pixels) const;
    void showCursor();

    GlyphEditor &editor_;
    QRect lastEraser_;  // board rectangle of the outline drawn last
};

} // namespace tessivo
