// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The glyph editor without a window: the board it draws on, its layout in character
// windows, the tools and their gestures, the eraser, the five-step history and the row
// the board is bound to. Every change of the board goes straight into the bound row.
// The canvas window converts its events to content coordinates and calls the gestures;
// the model says what to repaint with its signals.

#include "editor/BoardHistory.h"
#include "editor/BoardLayout.h"
#include "editor/BoardOps.h"
#include "editor/FloatingSelection.h"
#include "rows/MonoImage.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <array>
#include <memory>
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
// Commands of our own beyond the editor's menus.
constexpr int kCmdAddColumns = 8041;
// What "Add columns" gives the bound row: blank characters of this many columns.
constexpr int kAddedColumns = 16;
enum class Menu { None, Pop1, Pop2, Pop3 };
enum class Button { Left, Right };
enum class Cursor { Arrow, Pencil, ThinCross, Cross, Blank, Bucket, Move, SizeNWSE, SizeNESW, SizeNS, SizeWE };
}

class GlyphEditor : public QObject {
    Q_OBJECT
public:
    /// A board image `boardImageWidth` columns wide (the widest row) and 32 lines high.
    explicit GlyphEditor(int boardImageWidth, QObject *parent = nullptr);
    ~GlyphEditor() override;

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
    // A press begins a gesture of the current tool, moves drag it, the release of its
    // button ends it. Whatever else happens in between (a context menu, Escape, a tool
    // change, a lost focus, the pointer leaving, another row) cancels it the one way
    // CancelGesture does: what it drew stays, what it only previewed goes.
    void Press(QPoint point, editor::Button button);
    /// A move; `left` and `right` say which buttons are held.
    void Move(QPoint point, bool left, bool right);
    void Release(QPoint point, editor::Button button);
    /// Ends the gesture in progress without its release.
    void CancelGesture();
    /// The pointer left the canvas: with no button held the gesture ends and a square
    /// the eraser only hovered is lifted.
    void Leave();
    /// Shift held: lines keep to multiples of 45 degrees, rectangles square, ellipses round.
    void setConstrained(bool constrained) { constrained_ = constrained; }
    editor::Cursor cursor() const { return cursor_; }
    bool gestureActive() const { return gesture_ != nullptr; }

    /// Ends what floats on the board: with the eraser its square is lifted; otherwise the
    /// selection ends and the board keeps what it shows. Either ends a gesture on it.
    void DropSelection();

    // ---- the selection ----
    bool hasSelection() const { return selection_.active(); }
    /// The board rectangle of the selection (it may lie beside the board while moved).
    QRect selectionRect() const { return selection_.rect(); }
    QSize selectionSize() const { return selection_.rect().size(); }
    /// The canvas squares of the selection's place.
    QRect rubberRect() const { return layout_.squaresOf(selection_.rect()); }
    /// The floating pixels: the selection's top-left width x height.
    const MonoImage &floatImage() const { return selection_.image(); }
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
    /// Moves a floating selection by board pixels (the arrow keys), one undo step with
    /// every other change of the same selection.
    bool NudgeSelection(QPoint step);
    void ClearBoard();
    /// Lays the board out again with another cell size.
    bool SetGridSize(int cell);
    /// The next grid size up or down (4, 6, 8, 10), at the ends the same.
    bool StepGridSize(int direction);
    /// Gives the bound row `columns` more blank columns at its end, as blank characters
    /// within the row's limits, so there is room to draw; false when none fit.
    bool AddColumns(int columns);
    /// The selection as a picture for other programs: ink black, paper white.
    QImage CopySelection() const;
    /// Floats a picture at the board pixel of the top-left visible canvas point, cut to
    /// the board image; switches to the select tool. Pixels less than half opaque are
    /// paper, the rest ink when darker than mid-grey. Nothing for an empty board or picture.
    bool PasteBitmap(const QImage &picture, QPoint scrollPosition);
    /// A canvas command (undo, clipboard, transformations, grid sizes); the clipboard's
    /// picture comes in for a paste and goes out for a copy.
    bool OnCanvasCommand(int command, QPoint scrollPosition, const QImage &clipboard, QImage *copied);
    /// A key: Delete and Escape with the select tool, the arrows with a selection.
    /// True when the key was taken.
    bool OnKey(int key);
    /// Escape closes the editor when there is neither a gesture to cancel nor a
    /// selection to drop.
    bool escapeCloses() const { return !gestureActive() && !hasSelection(); }

    // ---- context menus ----
    /// The menu a right click at a content point opens.
    editor::Menu menuAt(QPoint point) const;
    /// The menu the keyboard's menu key opens and the content point it opens at: the
    /// selection's menu at the selection, else the board's menu at the board's corner.
    std::pair<editor::Menu, QPoint> keyboardMenu() const;
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
    /// Where each handle reacts, in content coordinates. Handles that would lie beyond the
    /// canvas's top or left edge come inside the selection, so they can be grabbed.
    std::array<QRect, 8> handleAreas() const;
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
    /// What a press began and its button's release ends: the state of one gesture, in
    /// one object of the tool's own kind, gone between gestures.
    class Gesture {
    public:
        virtual ~Gesture() = default;
        virtual void move(QPoint point, bool left, bool right) = 0;
        /// A button was let go; true when that ends the gesture.
        virtual bool release(QPoint point, editor::Button button) = 0;
        /// The gesture ends without its release: what it drew stays, previews go.
        virtual void cancel() = 0;
        /// The board rectangle a new selection's drag spans.
        virtual std::optional<QRect> marquee() const { return std::nullopt; }
        /// The board rectangle a resize would give.
        virtual std::optional<QRect> resizeTarget() const { return std::nullopt; }
    };
    class PencilGesture;
    class ShapeGesture;
    class EraseGesture;
    class MarqueeGesture;
    class MoveGesture;
    class ResizeGesture;
    friend class PencilGesture;
    friend class ShapeGesture;
    friend class EraseGesture;
    friend class MarqueeGesture;
    friend class MoveGesture;
    friend class ResizeGesture;

    bool inkFor(editor::Button button) const { return button == editor::Button::Right ? backgroundInk_ : penInk_; }
    QRect used() const { return layout_.usedArea(); }
    QSize boardSize() const { return QSize(layout_.boardWidth, layout_.boardHeight); }
    bool opaque() const { return pasteMode_ == editor::kOpaque; }
    void setCursor(editor::Cursor cursor);
    void showToolCursor();
    editor::Cursor toolCursor() const;
    /// The cursor a still pointer at this point shows.
    void hover(QPoint point);
    /// The gesture a press at this point begins (none for a press that does its work at
    /// once, as fill does).
    std::unique_ptr<Gesture> beginGesture(QPoint point, editor::Button button);

    // What a change of the board tells the row and the view.
    void pixelChanged(QPoint pixel);
    void rectChanged(const QRect &pixels);
    void wholeBoardChanged();

    // The eraser square: shown over the board while the pointer rests on it. Only what
    // the eraser really erased reaches the row.
    QRect eraserRectAt(QPoint point) const;
    void placeEraser(const QRect &square, bool erasing);
    void liftEraser();

    // The selection.
    struct Handle {
        QRect area;
        editor::Cursor cursor;
    };
    /// The handles of a selection whose squares these are: where each reacts, and its pointer.
    static std::array<Handle, 8> handlesOf(const QRect &squares);
    /// An area that reaches past the canvas's top or left edge, moved inside it.
    static QRect insideCanvas(QRect area);
    QRect selectionSquares() const { return layout_.squaresOf(selection_.rect()); }
    bool withinSelection(QPoint point) const;
    /// Whether a press here resizes (a handle) rather than moves the selection.
    bool grabsHandle(QPoint point, int *handle) const;
    void takeSnapshotOnce();
    void moveSelectionTo(QPoint topLeft);
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
    bool constrained_ = false;
    editor::Cursor cursor_ = editor::Cursor::Arrow;

    // The gesture of the button held now; none between gestures.
    std::unique_ptr<Gesture> gesture_;

    bool eraserShown_ = false;
    QRect eraserRect_;
    MonoImage eraserSaved_;

    FloatingSelection selection_;
    bool snapshotTaken_ = false;  // the selection's changes so far are one undo step
};

} // namespace tessivo
