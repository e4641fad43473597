#pragma once
// The glyph editor without a window: the board it draws on, its layout in character
// windows, the tools and their gestures, the eraser, the five-step history and the row
// the board is bound to. Every change of the board goes straight into the bound row.
// The canvas window converts its events to content coordinates and calls the gestures;
// the model says what to repaint with its signals.

#include "editor/BoardHistory.h"
#include "editor/BoardLayout.h"
#include "editor/BoardOps.h"
#include "rows/MonoImage.h"

#include <QObject>
#include <QString>
#include <optional>

namespace tessivo {

class RowModel;

namespace editor {
// The tools, as the editor numbers them.
constexpr int kPencil = 1, kLine = 3, kRectangle = 4, kFilledRectangle = 5, kEllipse = 6,
              kFilledEllipse = 7, kSelect = 8, kEraser = 9, kFill = 10;
// The tool bar's commands.
constexpr int kCmdPencil = 7772, kCmdLine = 7774, kCmdRectangle = 7775, kCmdFilledRectangle = 7776,
              kCmdEllipse = 7777, kCmdFilledEllipse = 7778, kCmdSelect = 7779, kCmdEraser = 7780,
              kCmdOpaque = 7784, kCmdTransparent = 7785, kCmdFill = 7787, kCmdPenInk = 7788,
              kCmdPenPaper = 7789, kCmdBackgroundInk = 7790, kCmdBackgroundPaper = 7791,
              kCmdEraser2 = 7792, kCmdEraser4 = 7793;
constexpr int kOpaque = 2, kTransparent = 1;  // paste modes
enum class Button { Left, Right };
enum class Cursor { Arrow, Pencil, ThinCross, Cross, Blank, Bucket, Move, SizeNWSE, SizeNESW, SizeNS, SizeWE };
}

class GlyphEditor : public QObject {
    Q_OBJECT
public:
    /// A board image `boardImageWidth` columns wide (the widest row) and 32 lines high.
    explicit GlyphEditor(int boardImageWidth, QObject *parent = nullptr);

    // ---- the board ----
    const MonoImage &board() const { return board_; }
    const BoardLayout &layout() const { return layout_; }
    int boardImageWidth() const { return board_.width(); }
    /// The character-window size asked for (the row's glyph width plus gap by its LEDs).
    void setRequestedCharSize(int width, int height);
    /// Lays the board out anew for a size and a cell size (0: the current one). Refused
    /// (the old size kept, `layoutRefused` sent) when it would need more than 255
    /// character windows. New area is filled with the background colour.
    bool ResizeBoard(int width, int height, int cell);
    /// The top-left corner of the board on the canvas (the window's client origin).
    void setOrigin(QPoint origin);

    // ---- the row ----
    /// Binds a row and copies its used area into the board; false without a row.
    bool LoadRow(RowModel *row, int index);
    RowModel *boundRow() const { return row_; }
    int rowIndex() const { return rowIndex_; }
    /// "Sect1 [144x16] - [40x16]": row number, row width and height, used width and height.
    QString title() const { return title_; }

    // ---- tools, colours, paste mode ----
    int tool() const { return tool_; }
    int pasteMode() const { return pasteMode_; }
    int eraserSize() const { return eraserSize_; }
    bool penInk() const { return penInk_; }
    bool backgroundInk() const { return backgroundInk_; }
    /// A tool bar command (7772-7793); false for any other number.
    bool OnCommand(int command);
    /// The tool bar's states: which items are checked and which enabled.
    bool isChecked(int command) const;
    bool isEnabled(int command) const;

    // ---- gestures, in content coordinates ----
    void Press(QPoint point, editor::Button button);
    /// A move; `left` and `right` say which buttons are held.
    void Move(QPoint point, bool left, bool right);
    void Release(QPoint point, editor::Button button);
    /// The pointer left the canvas: a square the eraser only hovered is lifted.
    void Leave();
    editor::Cursor cursor() const { return cursor_; }
    bool gestureActive() const { return buttonDown_; }

    /// Ends what floats on the board: the eraser square is lifted.
    void DropSelection();

    // ---- overlays ----
    /// The board rectangle of the eraser square while it is shown.
    std::optional<QRect> eraserSquare() const;

    // ---- history ----
    void PushSnapshot();
    void ResetHistory() { history_.Reset(); }
    const BoardHistory &history() const { return history_; }

signals:
    /// These board pixels look different: repaint their squares.
    void squaresChanged(QRect pixels);
    /// The whole board looks different.
    void boardChanged();
    /// The board's size or cell size changed (the scroll sizes follow).
    void layoutChanged();
    /// A board size was refused: more than 255 character windows.
    void layoutRefused();
    /// The overlays (eraser outline) moved.
    void overlayChanged();
    void titleChanged(const QString &title);
    /// The tool, a colour, the eraser size or the paste mode changed.
    void toolStateChanged();
    void cursorChanged();

private:
    bool inkFor(editor::Button button) const { return button == editor::Button::Right ? backgroundInk_ : penInk_; }
    QRect used() const { return layout_.usedArea(); }
    void setCursor(editor::Cursor cursor);
    void showToolCursor();
    editor::Cursor toolCursor() const;

    // What a change of the board tells the row and the view.
    void pixelChanged(QPoint pixel);
    void rectChanged(const QRect &pixels);
    void wholeBoardChanged();

    // Shape previews, drawn by flipping board pixels.
    void removePreview();
    void drawPreview();
    boardops::Pixels shapePixels(QPoint from, QPoint to) const;

    // The eraser square.
    QRect eraserRectAt(QPoint point) const;
    void placeEraser(const QRect &square);
    void liftEraser();

    MonoImage board_;
    BoardLayout layout_;
    BoardHistory history_;
    RowModel *row_ = nullptr;
    int rowIndex_ = -1;
    QString title_;

    int tool_ = editor::kPencil;
    int pasteMode_ = editor::kOpaque;
    bool penInk_ = true;
    bool backgroundInk_ = false;
    int eraserSize_ = 2;
    editor::Cursor cursor_ = editor::Cursor::Arrow;

    bool buttonDown_ = false;
    QPoint lastPoint_;
    QPoint rubberStart_, rubberEnd_;
    bool previewShown_ = false;
    boardops::Pixels preview_;

    bool eraserShown_ = false;
    QRect eraserRect_;
    MonoImage eraserSaved_;
};

} // namespace tessivo
