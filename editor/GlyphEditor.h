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

#include <QImage>
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
// The canvas's commands (its context menus and keys).
constexpr int kCmdUndo = 8028, kCmdRedo = 8029, kCmdCut = 8026, kCmdCopy = 8024, kCmdPaste = 8025,
              kCmdDelete = 8027, kCmdSelectAll = 8040, kCmdGrid4 = 8020, kCmdGrid6 = 8021,
              kCmdGrid8 = 8022, kCmdGrid10 = 8023, kCmdTurnLeft = 8030, kCmdTurnRight = 8031,
              kCmdTurn180 = 8032, kCmdMirrorHorizontal = 8033, kCmdMirrorVertical = 8034,
              kCmdInvert = 8035, kCmdHollow = 8036, kCmdClearBoard = 8037;
enum class Transform { TurnLeft, TurnRight, Turn180, MirrorHorizontal, MirrorVertical, Invert, Hollow };
enum class Menu { None, Pop1, Pop2, Pop3 };
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

    /// Ends what floats on the board: with the eraser its square is lifted; otherwise the
    /// selection ends and the board keeps what it shows.
    void DropSelection();

    // ---- the selection ----
    bool hasSelection() const { return selWidth_ > 0 && selHeight_ > 0; }
    /// The board rectangle of the selection (it may lie off the board while moved).
    QRect selectionRect() const { return selRect_; }
    QSize selectionSize() const { return QSize(selWidth_, selHeight_); }
    /// The canvas rectangle the selection's place follows while it is moved.
    QRect rubberRect() const { return rubberRect_; }
    /// The floating pixels: the selection's top-left selWidth x selHeight.
    const MonoImage &floatImage() const { return float_; }
    /// Lifts a board rectangle into the floating image; the board does not change.
    void LiftSelection(const QRect &pixels);
    /// Writes the floating pixels onto the board at the selection (opaque: all of them;
    /// transparent: those not of the background colour).
    void StampSelection();
    /// The board as it is without the floating pixels, then them on top.
    void RecomposeSelection();
    /// The floating pixels go; what was under them shows again.
    void DeleteSelection();
    void SelectAll();
    void TransformSelection(editor::Transform kind);
    void ClearBoard();
    /// Lays the board out again with another cell size.
    bool SetGridSize(int cell);
    /// The selection as a picture for other programs: ink black, paper white.
    QImage CopySelection() const;
    /// Floats a picture at the board pixel of the top-left visible canvas point (pure
    /// white is paper, every other colour ink), cut to the board image; switches to the
    /// select tool. Nothing for an empty board or picture.
    bool PasteBitmap(const QImage &picture, QPoint scrollPosition);
    /// A canvas command (undo, clipboard, transformations, grid sizes); the clipboard's
    /// picture comes in for a paste and goes out for a copy.
    bool OnCanvasCommand(int command, QPoint scrollPosition, const QImage &clipboard, QImage *copied);
    /// A key: Delete and Escape with the select tool.
    void OnKey(int key);

    // ---- context menus ----
    /// The menu a right click at a content point opens.
    editor::Menu menuAt(QPoint point) const;
    /// Whether a menu item can be used now (the clipboard's picture told apart).
    bool isCommandEnabled(int command, bool clipboardHasPicture) const;

    // ---- overlays ----
    /// The board rectangle of the eraser square while it is shown.
    std::optional<QRect> eraserSquare() const;
    /// The board rectangle a new selection's drag spans, while it is dragged.
    std::optional<QRect> selectionPreview() const;
    /// The board rectangle a resize would give, while a handle is dragged.
    std::optional<QRect> resizePreview() const;
    /// The handle (0-7) at a content point of the current selection, or -1.
    int handleAt(QPoint point) const;
    /// The canvas area of everything drawn over the board now.
    QRect overlayArea() const;

    // ---- history ----
    void PushSnapshot();
    void ResetHistory() { history_.Reset(); }
    const BoardHistory &history() const { return history_; }
    bool UndoBoard();
    bool RedoBoard();

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

    // The select tool's gestures.
    void selectPress(QPoint point, editor::Button button);
    void selectMove(QPoint point, bool anyButton);
    void selectRelease(QPoint point, editor::Button button);
    void moveSelectionTo(QPoint point);
    QRect selectionSquares() const { return layout_.squaresOf(selRect_); }
    bool withinSelection(QPoint point) const;
    void takeSnapshotOnce();
    void exchangeWithHistory(bool undo);
    void setOverlay();

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

    // The floating selection.
    int selWidth_ = 0, selHeight_ = 0;
    QRect selRect_;
    QRect rubberRect_;      // canvas rectangle the selection's place follows
    QRect resizeRect_;
    MonoImage float_;       // the floating pixels at its top-left
    MonoImage background_;  // the board without them
    bool snapshotTaken_ = false;
    bool overSelection_ = false;
    bool moving_ = false;
    bool resizing_ = false;
    bool selecting_ = false;  // a new selection is being dragged
    int handle_ = -1;
    QRect overlay_;           // what was drawn over the board last
};

} // namespace tessivo
