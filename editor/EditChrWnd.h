// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The frame around the editor's canvas: rulers along its top and its left edge, in
// board columns and lines, following the canvas as it scrolls.

#include <QWidget>

namespace tessivo {

class CEditChrView;
class GlyphEditor;
class LanguageTable;

class CEditChrWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kControlId = 104;

    CEditChrWnd(GlyphEditor &editor, const LanguageTable *languages = nullptr, QWidget *parent = nullptr);
    CEditChrView *canvas() const { return canvas_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void DrawHorzRuler(QPainter &painter);
    void DrawVertRuler(QPainter &painter);

    GlyphEditor &editor_;
    CEditChrView *canvas_;
};

} // namespace tessivo
