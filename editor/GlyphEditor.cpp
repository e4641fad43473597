#include "editor/GlyphEditor.h"

#include "rows/RowModel.h"

#include <algorithm>

namespace tessivo {

using namespace editor;

namespace {

PixelRect pixelRect(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

bool isShapeTool(int tool)
{
    return tool >= kLine && tool <= kFilledEllipse;
}

} // namespace

GlyphEditor::GlyphEditor(int boardImageWidth, QObject *parent)
    : QObject(parent),
      board_(boardImageWidth, board::kHeight),
      history_(boardImageWidth, board::kHeight),
      eraserSaved_(4, 4)
{
    // A new editor lays out its 144 x 16 board for the requested windows, else 16 x 16.
    if (!layout_.Layout(layout_.cellSize, layout_.requestedCharWidth, layout_.requestedCharHeight)) {
        layout_.requestedCharWidth = layout_.requestedCharHeight = 16;
        layout_.Layout(layout_.cellSize, 16, 16);
    }
    board_.fill({0, 0, layout_.boardWidth + 1, layout_.boardHeight + 1}, backgroundInk_);
}

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
    const int W = row->n() > 0 ? row->usedWidth() : 0;
    const int H = row->height();
    title_ = QStringLiteral("Sect%1 [%2x%3] - [%4x%5]").arg(index + 1).arg(row->rowWidth()).arg(H).arg(W).arg(H);
    emit titleChanged(title_);
    if (previewShown_)
        removePreview();
    buttonDown_ = false;
    row_ = row;
    rowIndex_ = index;
    ResetHistory();
    DropSelection();
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
            DropSelection();
            eraserSize_ = command == kCmdEraser2 ? 2 : 4;
            eraserSaved_ = MonoImage(eraserSize_, eraserSize_);
            DropSelection();
            eraserShown_ = false;
            emit toolStateChanged();
        }
        return true;
    case kCmdOpaque:
    case kCmdTransparent:
        if (tool_ == kSelect)
            pasteMode_ = command == kCmdOpaque ? kOpaque : kTransparent;
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

// ---- shape previews ----

boardops::Pixels GlyphEditor::shapePixels(QPoint from, QPoint to) const
{
    const QPoint a = layout_.pixelAt(from), b = layout_.pixelAt(to);
    switch (tool_) {
    case kLine: return boardops::segment(a, b);
    case kRectangle:
    case kFilledRectangle: return boardops::rectangleOutline(spanned(a, b));
    default: return boardops::ellipseOutline(spanned(a, b));
    }
}

void GlyphEditor::drawPreview()
{
    preview_ = shapePixels(rubberStart_, rubberEnd_);
    boardops::invert(board_, preview_, used());
    previewShown_ = true;
    const QRect area = boardops::bounds(preview_) & used();
    if (!area.isEmpty())
        emit squaresChanged(area);
}

void GlyphEditor::removePreview()
{
    if (!previewShown_)
        return;
    boardops::invert(board_, preview_, used());
    previewShown_ = false;
    const QRect area = boardops::bounds(preview_) & used();
    if (!area.isEmpty())
        emit squaresChanged(area);
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

void GlyphEditor::placeEraser(const QRect &square)
{
    eraserRect_ = square;
    eraserSaved_.fill(false);
    eraserSaved_.copyFrom(board_, pixelRect(square), 0, 0);
    boardops::fillRect(board_, square, backgroundInk_, used());
    eraserShown_ = true;
    rectChanged(square);
    emit overlayChanged();
}

void GlyphEditor::liftEraser()
{
    if (!eraserShown_)
        return;
    // Only the used board takes the saved pixels back.
    const QRect area = eraserRect_ & used();
    if (!area.isEmpty())
        board_.copyFrom(eraserSaved_, {area.x() - eraserRect_.x(), area.y() - eraserRect_.y(), area.width(), area.height()},
                        area.x(), area.y());
    eraserShown_ = false;
    rectChanged(eraserRect_);
    emit overlayChanged();
}

void GlyphEditor::DropSelection()
{
    if (tool_ == kEraser) {
        liftEraser();
        eraserRect_ = QRect();
        eraserShown_ = false;
        emit overlayChanged();
    }
}

// ---- gestures ----

void GlyphEditor::Press(QPoint point, Button button)
{
    lastPoint_ = point;
    if (!layout_.onBoard(point))
        return;
    if (tool_ == kPencil || isShapeTool(tool_) || tool_ == kFill)
        PushSnapshot();  // every gesture of these tools is one undo step
    showToolCursor();
    switch (tool_) {
    case kPencil:
        buttonDown_ = true;
        break;
    case kFill:
        if (boardops::floodFill(board_, layout_.pixelAt(point), inkFor(button), used()))
            wholeBoardChanged();
        break;
    case kEraser:
        if (!eraserShown_) {
            Move(point, false, false);  // the first press only places the square
            break;
        }
        liftEraser();
        PushSnapshot();
        placeEraser(eraserRectAt(point));
        // The square now holds erased pixels: lifting it leaves them erased.
        eraserSaved_.copyFrom(board_, pixelRect(eraserRect_), 0, 0);
        buttonDown_ = true;
        break;
    case kSelect:
        break;
    default:  // line, rectangles, ellipses
        buttonDown_ = true;
        rubberStart_ = rubberEnd_ = point;
        previewShown_ = false;
        break;
    }
}

void GlyphEditor::Move(QPoint point, bool left, bool right)
{
    (void)left;
    if (tool_ == kEraser) {
        if (!layout_.onBoard(point)) {
            setCursor(Cursor::Arrow);
            DropSelection();
            lastPoint_ = point;
            return;
        }
        setCursor(Cursor::Blank);
        const QRect square = eraserRectAt(point);
        if (eraserShown_ && square == eraserRect_)
            return;  // the same square
        if (eraserShown_ && !buttonDown_)
            liftEraser();
        placeEraser(square);
        if (buttonDown_)
            eraserSaved_.copyFrom(board_, pixelRect(eraserRect_), 0, 0);
        lastPoint_ = point;
        return;
    }
    if (!buttonDown_) {
        if (layout_.onBoard(point))
            showToolCursor();
        else
            setCursor(Cursor::Arrow);
        return;
    }
    if (tool_ == kPencil) {
        const boardops::Pixels line = boardops::segment(layout_.pixelAt(lastPoint_), layout_.pixelAt(point));
        boardops::plot(board_, line, right ? backgroundInk_ : penInk_, used());
        rectChanged(boardops::bounds(line));
        lastPoint_ = point;
    } else if (isShapeTool(tool_)) {
        removePreview();
        rubberEnd_ = point;
        drawPreview();
    }
}

void GlyphEditor::Release(QPoint point, Button button)
{
    if (!buttonDown_)
        return;
    buttonDown_ = false;
    const bool ink = inkFor(button);
    if (tool_ == kPencil) {
        if (layout_.onBoard(point)) {
            const QPoint p = layout_.pixelAt(point);
            if (used().contains(p)) {
                board_.setPixel(p.x(), p.y(), ink);
                pixelChanged(p);
            }
        }
    } else if (isShapeTool(tool_)) {
        removePreview();
        const QPoint a = layout_.pixelAt(rubberStart_), b = layout_.pixelAt(point);
        const QRect box = spanned(a, b);
        switch (tool_) {
        case kLine:
            boardops::plot(board_, boardops::segment(a, b), ink, used());
            break;
        case kRectangle:
            boardops::plot(board_, boardops::rectangleOutline(box), ink, used());
            break;
        case kFilledRectangle:
            boardops::fillRect(board_, box, ink, used());
            break;
        case kEllipse:
            boardops::plot(board_, boardops::ellipseOutline(box), ink, used());
            break;
        default:
            boardops::plot(board_, boardops::ellipseArea(box), ink, used());
            break;
        }
        rectChanged(box);
    } else if (tool_ == kEraser && eraserShown_) {
        // The square under the pointer stays erased.
        eraserSaved_.copyFrom(board_, pixelRect(eraserRect_), 0, 0);
    }
}

void GlyphEditor::Leave()
{
    // A hovering eraser square must not stay on the board (nor in the row) when the
    // pointer leaves the canvas without a move off the board.
    if (tool_ == kEraser && !buttonDown_)
        DropSelection();
}

} // namespace tessivo
