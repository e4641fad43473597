// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The character keyboard window: every glyph of the current source as a 28-pixel key,
// 16 to a line, with its own scroll bar. A click picks the key's glyph; the main window
// puts it into the current row. It follows the document: a new LED type or glyph source
// fills it anew.

#include "glyphs/GlyphFiles.h"
#include "preview/Keyboard.h"

#include <QFrame>
#include <QImage>
#include <QPixmap>

class QScrollBar;

namespace tessivo {

class MessageDocument;

class CKeyWnd : public QFrame {
    Q_OBJECT
public:
    static constexpr int kControlId = 101, kScrollBarId = 102;

    explicit CKeyWnd(const MessageDocument &document, QWidget *parent = nullptr);

    /// Makes screen readers see the keyboard through its own interface; start-up calls
    /// it before the first widget is made, every keyboard before it names itself.
    static void installAccessibility();

    /// Fills the keys for the codes 1 to min(maxCode, 125) from the document's glyph
    /// source at the LED type.
    void FillKeys(int maxCode, int ledType);

    const Keyboard &keyboard() const { return keyboard_; }
    QScrollBar *scrollBar() const { return scrollBar_; }
    /// The client point of key k's centre (for tests and automation); (-1, -1) when the
    /// key is not shown.
    QPoint keyCentre(int k) const;
    /// What a screen reader calls key k: its character, or "Symbol n" for a symbol.
    QString keyName(int k) const;
    /// Key k's face on the screen; empty while its line is not shown.
    QRect keyScreenRect(int k) const;
    /// What a screen reader's press and focus actions on key k do: pick its glyph, or
    /// give the keyboard the focus on that key.
    void pressKey(int k);
    void focusKey(int k);

signals:
    /// A key was clicked: its glyph, a copy the receiver keeps.
    void keyPicked(tessivo::ChrRecord record);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QPoint clientPoint(const QPointF &position) const;
    void redraw(const std::vector<int> &keys);
    /// Shows a move of the focus key: its keys redrawn, the scroll bar and the keys
    /// anew when the first line shown changed.
    void showFocusMove(int topBefore, const std::vector<int> &changed);
    void syncScrollBar();
    void onScroll(int action);
    void pick(int k);
    /// Tells screen readers which key has the focus.
    void announceFocus();
    /// Forgets the keys' pictures; each is drawn when its key is first painted.
    void renderGlyphs();
    /// Key k's glyph as drawn on its face (look 0 normal, 1 highlighted), and the faces.
    const QImage &glyphOf(int k, int look);
    const QPixmap &faceOf(int look);

    const MessageDocument &document_;
    Keyboard keyboard_;
    QScrollBar *scrollBar_;
    QPixmap faces_[2];                  // normal, highlighted
    std::vector<QImage> glyphs_[2];     // per key: normal ink, highlighted ink
    bool filled_ = false;               // the keys are those of:
    GlyphSource filledSource_;
    int filledType_ = -1, filledMaxCode_ = 0;
};

} // namespace tessivo
