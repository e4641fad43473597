// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/GlyphEditor.h"

#include "rows/PictureRecords.h"
#include "rows/RowModel.h"

#include <algorithm>
#include <array>

namespace tessivo {

using namespace editor;

namespace {

PixelRect pixelRect(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

GlyphEditor::GlyphEditor(int boardImageWidth, QObject *parent)
    : QObject(parent),
      board_(boardImageWidth, board::kHeight),
      history_(boardImageWidth, board::kHeight),
      eraserSaved_(4, 4),
      selection_(boardImageWidth)
{
    // A new editor lays out its 144 x 16 board for the requested windows, else 16 x 16.
    if (!layout_.Layout(layout_.cellSize, layout_.requestedCharWidth, layout_.requestedCharHeight)) {
        layout_.requestedCharWidth = layout_.requestedCharHeight = 16;
        layout_.Layout(layout_.cellSize, 16, 16);
    }
    board_.fill({0, 0, layout_.boardWidth + 1, layout_.boardHeight + 1}, backgroundInk_);
}

GlyphEditor::~GlyphEditor() = default;

void GlyphEditor::setRequestedCharSize(int width, int height)
{
    layout_.requestedCharWidth = width;
    layout_.requestedCharHeight = height;
}

void GlyphEditor::setOrigin(QPoint origin)
{
    layout_.origin = origin;
    layout_.Layout(layout_.cellSize, layout_.charWidth, layout_.charHeight);
    emit layoutChanged();
}

bool GlyphEditor::ResizeBoard(int width, int height, int cell)
{
    width = std::clamp(width, 0, board_.width());
    height = std::clamp(height, 0, board_.height());
    const int oldWidth = layout_.boardWidth, oldHeight = layout_.boardHeight;
    if (cell == 0)
        cell = layout_.cellSize;
    layout_.boardWidth = width;
    layout_.boardHeight = height;
    if (!layout_.Layout(cell, layout_.requestedCharWidth, layout_.requestedCharHeight)) {
        layout_.boardWidth = oldWidth;
        layout_.boardHeight = oldHeight;
        emit layoutRefused();
        return false;
    }
    // What the board gained shows the background colour.
    if (width > oldWidth)
        board_.fill({oldWidth, 0, width - oldWidth, height}, backgroundInk_);
    if (height > oldHeight)
        board_.fill({0, oldHeight, width, height - oldHeight}, backgroundInk_);
    emit layoutChanged();
    return true;
}

bool GlyphEditor::LoadRow(RowModel *row, int index)
{
    if (!row)
        return false;
    // Whatever floats or is in progress ends on the row as it was bound, before the
    // board takes the row anew: a hovering eraser square never reaches the new row.
    CancelGesture();
    DropSelection();
    const int W = row->n() > 0 ? row->usedWidth() : 0;
    const int H = row->height();
    title_ = QStringLiteral("Sect%1 [%2x%3] - [%4x%5]").arg(index + 1).arg(row->rowWidth()).arg(H).arg(W).arg(H);
    emit titleChanged(title_);
    row_ = row;
    rowIndex_ = index;
    ResetHistory();
    ResizeBoard(W, H, 0);
    board_.copyFrom(row->rowImage(), {0, 0, W, H}, 0, 0);
    emit boardChanged();
    return true;
}

// ---- tool bar ----

bool GlyphEditor::OnCommand(int command)
{
    static constexpr std::pair<int, int> kToolOf[] = {
        {kCmdPencil, kPencil},       {kCmdLine, kLine},     {kCmdRectangle, kRectangle},
        {kCmdFilledRectangle, kFilledRectangle}, {kCmdEllipse, kEllipse},
        {kCmdFilledEllipse, kFilledEllipse},     {kCmdSelect, kSelect}, {kCmdEraser, kEraser},
        {kCmdFill, kFill}};
    for (const auto &[cmd, tool] : kToolOf) {
        if (cmd != command)
            continue;
        CancelGesture();
        DropSelection();
        if (tool == kEraser)
            eraserShown_ = false;
        tool_ = tool;
        emit toolStateChanged();
        return true;
    }
    switch (command) {
    case kCmdEraser2:
    case kCmdEraser4:
        if (tool_ == kEraser) {
            CancelGesture();
            DropSelection();
            eraserSize_ = command == kCmdEraser2 ? 2 : 4;
            eraserSaved_ = MonoImage(eraserSize_, eraserSize_);
            emit toolStateChanged();
        }
        return true;
    case kCmdOpaque:
    case kCmdTransparent:
        if (tool_ == kSelect) {
            pasteMode_ = command == kCmdOpaque ? kOpaque : kTransparent;
            RecomposeSelection();
            setOverlay();
        }
        emit toolStateChanged();
        return true;
    case kCmdPenInk:
    case kCmdPenPaper:
        penInk_ = command == kCmdPenInk;
        emit toolStateChanged();
        return true;
    case kCmdBackgroundInk:
    case kCmdBackgroundPaper:
        backgroundInk_ = command == kCmdBackgroundInk;
        emit toolStateChanged();
        return true;
    default:
        return false;
    }
}

bool GlyphEditor::isChecked(int command) const
{
    switch (command) {
    case kCmdSelect: return tool_ == kSelect;
    case kCmdPencil: return tool_ == kPencil;
    case kCmdLine: return tool_ == kLine;
    case kCmdRectangle: return tool_ == kRectangle;
    case kCmdFilledRectangle: return tool_ == kFilledRectangle;
    case kCmdEllipse: return tool_ == kEllipse;
    case kCmdFilledEllipse: return tool_ == kFilledEllipse;
    case kCmdFill: return tool_ == kFill;
    case kCmdEraser: return tool_ == kEraser;
    case kCmdEraser2: return eraserSize_ == 2;
    case kCmdEraser4: return eraserSize_ == 4;
    case kCmdOpaque: return pasteMode_ == kOpaque;
    case kCmdTransparent: return pasteMode_ == kTransparent;
    case kCmdPenInk: return penInk_;
    case kCmdPenPaper: return !penInk_;
    case kCmdBackgroundInk: return backgroundInk_;
    case kCmdBackgroundPaper: return !backgroundInk_;
    default: return false;
    }
}

bool GlyphEditor::isEnabled(int command) const
{
    switch (command) {
    case kCmdEraser2:
    case kCmdEraser4: return tool_ == kEraser;
    case kCmdOpaque:
    case kCmdTransparent: return tool_ == kSelect;
    default: return true;
    }
}

// ---- cursors ----

editor::Cursor GlyphEditor::toolCursor() const
{
    switch (tool_) {
    case kPencil: return Cursor::Pencil;
    case kLine: return Cursor::ThinCross;
    case kEraser: return Cursor::Blank;
    case kFill: return Cursor::Bucket;
    default: return Cursor::Cross;
    }
}

void GlyphEditor::setCursor(editor::Cursor cursor)
{
    if (cursor_ == cursor)
        return;
    cursor_ = cursor;
    emit cursorChanged();
}

void GlyphEditor::showToolCursor()
{
    setCursor(toolCursor());
}

// ---- changes of the board ----

void GlyphEditor::pixelChanged(QPoint pixel)
{
    if (!used().contains(pixel))
        return;
    if (row_)
        row_->PutPixel(pixel.x(), pixel.y(), board_.pixel(pixel.x(), pixel.y()));
    emit squaresChanged(QRect(pixel, QSize(1, 1)));
}

void GlyphEditor::rectChanged(const QRect &pixels)
{
    const QRect area = pixels & used();
    if (area.isEmpty())
        return;
    // Only the changed area goes back into the row: nothing beyond the board's used
    // area is ever written.
    if (row_)
        row_->PutImage(board_, pixelRect(area));
    emit squaresChanged(area);
}

void GlyphEditor::wholeBoardChanged()
{
    if (row_ && !used().isEmpty())
        row_->PutImage(board_, pixelRect(used()));
    emit boardChanged();
}

void GlyphEditor::PushSnapshot()
{
    history_.PushSnapshot(board_, QSize(layout_.boardWidth, layout_.boardHeight));
}

// ---- the eraser ----

QRect GlyphEditor::eraserRectAt(QPoint point) const
{
    const QPoint p = layout_.pixelAt(point);
    return QRect(p.x() - eraserSize_ / 2, p.y() - eraserSize_ / 2, eraserSize_, eraserSize_);
}

std::optional<QRect> GlyphEditor::eraserSquare() const
{
    if (tool_ != kEraser || !eraserShown_)
        return std::nullopt;
    return eraserRect_;
}

void GlyphEditor::placeEraser(const QRect &square, bool erasing)
{
    eraserRect_ = square;
    eraserSaved_.fill(false);
    eraserSaved_.copyFrom(board_, pixelRect(square), 0, 0);
    boardops::fillRect(board_, square, backgroundInk_, used());
    eraserShown_ = true;
    if (erasing) {
        rectChanged(square);
        // The square now holds erased pixels: lifting it leaves them erased.
        eraserSaved_.copyFrom(board_, pixelRect(square), 0, 0);
    } else if (const QRect area = square & used(); !area.isEmpty()) {
        emit squaresChanged(area);  // shown on the board only; the row keeps its pixels
    }
    emit overlayChanged();
}

void GlyphEditor::liftEraser()
{
    if (!eraserShown_)
        return;
    // The board takes back what the square covered; the row never lost it (or lost it
    // to a real erase, which the saved pixels hold too).
    const QRect area = eraserRect_ & used();
    if (!area.isEmpty()) {
        board_.copyFrom(eraserSaved_, {area.x() - eraserRect_.x(), area.y() - eraserRect_.y(), area.width(), area.height()},
                        area.x(), area.y());
        emit squaresChanged(area);
    }
    eraserShown_ = false;
    emit overlayChanged();
}

void GlyphEditor::DropSelection()
{
    if (tool_ == kEraser) {
        CancelGesture();
        liftEraser();
        eraserRect_ = QRect();
    } else if (selection_.active()) {
        // A gesture on the selection cannot outlive it.
        CancelGesture();
        selection_.drop();
    }
    setOverlay();
}

// ---- gestures ----

void GlyphEditor::Press(QPoint point, Button button)
{
    // A second button while a gesture runs ends that gesture; the press itself then
    // begins nothing, as the pair cannot mean a new stroke.
    if (gesture_) {
        CancelGesture();
        return;
    }
    gesture_ = beginGesture(point, button);
    if (!gesture_)
        hover(point);
}

void GlyphEditor::Move(QPoint point, bool left, bool right)
{
    if (gesture_) {
        gesture_->move(point, left, right);
        return;
    }
    hover(point);
}

void GlyphEditor::Release(QPoint point, Button button)
{
    if (!gesture_)
        return;
    if (gesture_->release(point, button)) {
        gesture_.reset();
        hover(point);
    }
}

void GlyphEditor::CancelGesture()
{
    // The gesture is taken out first: what its cancel does may call back here.
    if (std::unique_ptr<Gesture> gesture = std::move(gesture_))
        gesture->cancel();
}

void GlyphEditor::Leave()
{
    CancelGesture();
    // A hovering eraser square must not stay on the board when the pointer leaves the
    // canvas without a move off the board.
    if (tool_ == kEraser)
        DropSelection();
}

void GlyphEditor::hover(QPoint point)
{
    if (tool_ == kSelect) {
        // The move arrow over the selection, a sizing arrow over a handle.
        int handle = -1;
        if (grabsHandle(point, &handle))
            setCursor(handlesOf(selectionSquares())[size_t(handle)].cursor);
        else if (withinSelection(point))
            setCursor(Cursor::Move);
        else if (layout_.onBoard(point))
            showToolCursor();
        else
            setCursor(Cursor::Arrow);
        return;
    }
    if (tool_ == kEraser) {
        if (!layout_.onBoard(point)) {
            setCursor(Cursor::Arrow);
            DropSelection();
            return;
        }
        setCursor(Cursor::Blank);
        const QRect square = eraserRectAt(point);
        if (eraserShown_ && square == eraserRect_)
            return;  // the same square
        liftEraser();
        placeEraser(square, false);
        return;
    }
    if (layout_.onBoard(point))
        showToolCursor();
    else
        setCursor(Cursor::Arrow);
}

// ---- the selection ----

std::array<GlyphEditor::Handle, 8> GlyphEditor::handlesOf(const QRect &squares)
{
    const int L = squares.left(), T = squares.top(), R = squares.right(), B = squares.bottom();
    const int mx = (L + R + 1) / 2, my = (T + B + 1) / 2;
    const auto span = [](int x0, int x1, int y0, int y1) { return QRect(QPoint(x0, y0), QPoint(x1, y1)); };
    return {{{span(L - 2, L + 2, T - 2, T + 2), Cursor::SizeNWSE},
             {span(L - 2, L + 2, B - 1, B + 3), Cursor::SizeNESW},
             {span(R - 1, R + 3, B - 1, B + 3), Cursor::SizeNWSE},
             {span(R - 1, R + 3, T - 2, T + 2), Cursor::SizeNESW},
             {span(mx - 2, mx + 2, T - 2, T + 2), Cursor::SizeNS},
             {span(L - 2, L + 2, my - 2, my + 2), Cursor::SizeWE},
             {span(mx - 2, mx + 2, B - 1, B + 3), Cursor::SizeNS},
             {span(R - 1, R + 3, my - 2, my + 2), Cursor::SizeWE}}};
}

QRect GlyphEditor::insideCanvas(QRect area)
{
    // Only an area that reaches into the canvas: one wholly beyond it stays there.
    if (area.left() < 0 && area.right() >= 0)
        area.moveLeft(0);
    if (area.top() < 0 && area.bottom() >= 0)
        area.moveTop(0);
    return area;
}

std::array<QRect, 8> GlyphEditor::handleAreas() const
{
    std::array<QRect, 8> areas{};
    if (!hasSelection())
        return areas;
    const auto handles = handlesOf(selectionSquares());
    for (size_t h = 0; h < 8; ++h)
        areas[h] = insideCanvas(handles[h].area);
    return areas;
}

bool GlyphEditor::withinSelection(QPoint point) const
{
    return hasSelection() && selectionSquares().contains(point);
}

int GlyphEditor::handleAt(QPoint point) const
{
    if (!hasSelection())
        return -1;
    const auto areas = handleAreas();
    for (int h = 0; h < 8; ++h)
        if (areas[size_t(h)].contains(point))
            return h;
    return -1;
}

bool GlyphEditor::grabsHandle(QPoint point, int *handle) const
{
    if (!hasSelection())
        return false;
    const auto handles = handlesOf(selectionSquares());
    const auto areas = handleAreas();
    // A handle brought inside the selection at the canvas's edge wins over the move the
    // selection's squares offer; elsewhere the squares win.
    for (int h = 0; h < 8; ++h) {
        if (areas[size_t(h)] != handles[size_t(h)].area && areas[size_t(h)].contains(point)) {
            *handle = h;
            return true;
        }
    }
    if (withinSelection(point))
        return false;
    *handle = handleAt(point);
    return *handle >= 0;
}

void GlyphEditor::takeSnapshotOnce()
{
    // The first change of a selection and all later ones are one undo step.
    if (!snapshotTaken_) {
        PushSnapshot();
        snapshotTaken_ = true;
    }
}

void GlyphEditor::LiftSelection(const QRect &pixels)
{
    selection_.lift(board_, pixels, used(), backgroundInk_);
}

void GlyphEditor::StampSelection()
{
    selection_.stamp(board_, used(), opaque(), backgroundInk_);
}

void GlyphEditor::RecomposeSelection()
{
    if (!hasSelection())
        return;
    selection_.recompose(board_, used(), opaque(), backgroundInk_);
    wholeBoardChanged();
}

void GlyphEditor::moveSelectionTo(QPoint topLeft)
{
    const QRect old = selection_.rect();
    const QPoint target = selection_.clampedTopLeft(topLeft, boardSize());
    if (target == old.topLeft())
        return;
    takeSnapshotOnce();
    selection_.moveTo(target, boardSize());
    selection_.recompose(board_, used(), opaque(), backgroundInk_);
    rectChanged(old);
    rectChanged(selection_.rect());
    setOverlay();
}

bool GlyphEditor::NudgeSelection(QPoint step)
{
    if (tool_ != kSelect || !hasSelection() || gesture_)
        return false;
    moveSelectionTo(selection_.rect().topLeft() + step);
    return true;
}

void GlyphEditor::DeleteSelection()
{
    if (!hasSelection())
        return;
    takeSnapshotOnce();
    CancelGesture();
    selection_.restoreBackground(board_, used());
    selection_.drop();
    setOverlay();
    wholeBoardChanged();
}

void GlyphEditor::SelectAll()
{
    CancelGesture();
    if (tool_ == kSelect && hasSelection())
        DropSelection();
    if (tool_ == kEraser)
        liftEraser();
    if (used().isEmpty())
        return;
    snapshotTaken_ = false;
    LiftSelection(used());
    setOverlay();
}

void GlyphEditor::TransformSelection(Transform kind)
{
    if (!hasSelection())
        return;
    CancelGesture();
    takeSnapshotOnce();
    selection_.transform(kind);
    RecomposeSelection();
    setOverlay();
}

void GlyphEditor::ClearBoard()
{
    CancelGesture();
    PushSnapshot();
    DropSelection();
    boardops::fillRect(board_, used(), backgroundInk_, used());
    wholeBoardChanged();
}

bool GlyphEditor::SetGridSize(int cell)
{
    CancelGesture();
    DropSelection();
    if (!ResizeBoard(layout_.boardWidth, layout_.boardHeight, cell))
        return false;
    emit boardChanged();
    return true;
}

bool GlyphEditor::StepGridSize(int direction)
{
    const auto *sizes = std::begin(board::kGridSizes), *end = std::end(board::kGridSizes);
    const auto *at = std::find(sizes, end, layout_.cellSize);
    if (at == end)
        return false;
    if (direction > 0 && at + 1 != end)
        return SetGridSize(*(at + 1));
    if (direction < 0 && at != sizes)
        return SetGridSize(*(at - 1));
    return false;
}

bool GlyphEditor::AddColumns(int columns)
{
    if (!row_)
        return false;
    CancelGesture();
    DropSelection();
    // The row tells the document, which binds the board to it again.
    return row_->AppendBlankColumns(columns);
}

QImage GlyphEditor::CopySelection() const
{
    return selection_.picture();
}

bool GlyphEditor::PasteBitmap(const QImage &picture, QPoint scrollPosition)
{
    if (picture.isNull() || layout_.boardWidth == 0 || layout_.boardHeight == 0)
        return false;
    if (tool_ != kSelect)
        OnCommand(kCmdSelect);
    CancelGesture();
    DropSelection();
    // At most the board image; a larger picture is cut to its top-left.
    const int w = std::min(picture.width(), board_.width());
    const int h = std::min(picture.height(), board_.height());
    PushSnapshot();
    snapshotTaken_ = true;
    const QRect board = layout_.boardRect();
    const int x = std::clamp((scrollPosition.x() - board.left()) / layout_.cellSize, 0, layout_.boardWidth);
    const int y = std::clamp((scrollPosition.y() - board.top()) / layout_.cellSize, 0, layout_.boardHeight);
    // Transparent pixels are paper; of the rest, those darker than mid-grey are ink, so
    // an anti-aliased picture keeps its shape and our own black and white come back as
    // they were copied.
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    MonoImage pixels(w, h);
    for (int j = 0; j < h; ++j) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(j));
        for (int i = 0; i < w; ++i)
            pixels.setPixel(i, j, isLitPixel(line[i]));
    }
    // Nothing is lifted: moving or deleting the pasted pixels shows the board as it was.
    selection_.floatOver(board_, used(), pixels, QRect(x, y, w, h));
    StampSelection();
    wholeBoardChanged();
    setOverlay();
    return true;
}

void GlyphEditor::exchangeWithHistory(bool undo)
{
    CancelGesture();
    if (tool_ == kSelect)
        DropSelection();
    const bool eraserWasShown = tool_ == kEraser && eraserShown_;
    if (tool_ == kEraser)
        liftEraser();
    QSize size(layout_.boardWidth, layout_.boardHeight);
    if (!(undo ? history_.Undo(board_, size) : history_.Redo(board_, size)))
        return;
    // The board takes the size the step had; its new area keeps the step's pixels.
    const int oldWidth = layout_.boardWidth, oldHeight = layout_.boardHeight;
    layout_.boardWidth = size.width();
    layout_.boardHeight = size.height();
    if (layout_.Layout(layout_.cellSize, layout_.requestedCharWidth, layout_.requestedCharHeight)) {
        emit layoutChanged();
    } else {
        layout_.boardWidth = oldWidth;
        layout_.boardHeight = oldHeight;
        emit layoutRefused();
    }
    wholeBoardChanged();
    // The square comes back over the board as it is now, after the row has it.
    if (eraserWasShown)
        placeEraser(eraserRect_, false);
}

bool GlyphEditor::UndoBoard()
{
    if (history_.undoCount() == 0)
        return false;
    exchangeWithHistory(true);
    return true;
}

bool GlyphEditor::RedoBoard()
{
    if (history_.redoCount() == 0)
        return false;
    exchangeWithHistory(false);
    return true;
}

bool GlyphEditor::OnCanvasCommand(int command, QPoint scrollPosition, const QImage &clipboard, QImage *copied)
{
    switch (command) {
    case kCmdUndo: return UndoBoard();
    case kCmdRedo: return RedoBoard();
    case kCmdCut:
    case kCmdCopy:
        if (!hasSelection())
            return false;
        if (copied)
            *copied = CopySelection();
        if (command == kCmdCut)
            DeleteSelection();
        return true;
    case kCmdPaste: return PasteBitmap(clipboard, scrollPosition);
    case kCmdDelete:
        if (tool_ == kSelect)
            DeleteSelection();
        return true;
    case kCmdSelectAll: SelectAll(); return true;
    case kCmdGrid4: return SetGridSize(4);
    case kCmdGrid6: return SetGridSize(6);
    case kCmdGrid8: return SetGridSize(8);
    case kCmdGrid10: return SetGridSize(10);
    case kCmdTurnLeft: TransformSelection(Transform::TurnLeft); return true;
    case kCmdTurnRight: TransformSelection(Transform::TurnRight); return true;
    case kCmdTurn180: TransformSelection(Transform::Turn180); return true;
    case kCmdMirrorHorizontal: TransformSelection(Transform::MirrorHorizontal); return true;
    case kCmdMirrorVertical: TransformSelection(Transform::MirrorVertical); return true;
    case kCmdInvert: TransformSelection(Transform::Invert); return true;
    case kCmdHollow: TransformSelection(Transform::Hollow); return true;
    case kCmdClearBoard: ClearBoard(); return true;
    case kCmdAddColumns: return AddColumns(kAddedColumns);
    default: return false;
    }
}

bool GlyphEditor::OnKey(int key)
{
    if (key == Qt::Key_Escape)
        CancelGesture();
    if (tool_ != kSelect)
        return key == Qt::Key_Escape;
    switch (key) {
    case Qt::Key_Delete: DeleteSelection(); return true;
    case Qt::Key_Escape:
        if (hasSelection())
            DropSelection();
        return true;
    case Qt::Key_Left: return NudgeSelection({-1, 0});
    case Qt::Key_Right: return NudgeSelection({1, 0});
    case Qt::Key_Up: return NudgeSelection({0, -1});
    case Qt::Key_Down: return NudgeSelection({0, 1});
    default: return false;
    }
}

Menu GlyphEditor::menuAt(QPoint point) const
{
    if (tool_ != kSelect)
        return layout_.onBoard(point) ? Menu::None : Menu::Pop1;
    return withinSelection(point) ? Menu::Pop3 : Menu::Pop2;
}

std::pair<Menu, QPoint> GlyphEditor::keyboardMenu() const
{
    const QPoint corner = layout_.squaresOf(QRect(0, 0, 1, 1)).topLeft();
    if (tool_ != kSelect)
        return {Menu::Pop1, corner};
    return hasSelection() ? std::pair{Menu::Pop3, rubberRect().center()} : std::pair{Menu::Pop2, corner};
}

bool GlyphEditor::isCommandEnabled(int command, bool clipboardHasPicture) const
{
    switch (command) {
    case kCmdUndo: return history_.undoCount() > 0;
    case kCmdRedo: return history_.redoCount() > 0;
    case kCmdPaste: return clipboardHasPicture && layout_.boardWidth > 0 && layout_.boardHeight > 0;
    case kCmdCopy:
    case kCmdCut:
    case kCmdDelete: return hasSelection();
    case kCmdAddColumns: return row_ && row_->canAppendBlankColumns();
    default: return true;
    }
}

QRect GlyphEditor::overlayArea() const
{
    QRect area;
    const auto around = [this](const QRect &pixels) { return layout_.squaresOf(pixels).adjusted(-5, -5, 5, 5); };
    if (const auto square = eraserSquare())
        area |= around(*square);
    if (tool_ != kEraser && hasSelection())
        area |= around(selection_.rect());
    if (const auto preview = selectionPreview())
        area |= around(*preview);
    if (const auto resize = resizePreview())
        area |= around(*resize);
    return area;
}

void GlyphEditor::setOverlay()
{
    emit overlayChanged();
}

} // namespace tessivo
