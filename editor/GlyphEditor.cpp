#include "editor/GlyphEditor.h"

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

bool isShapeTool(int tool)
{
    return tool >= kLine && tool <= kFilledEllipse;
}

} // namespace

GlyphEditor::GlyphEditor(int boardImageWidth, QObject *parent)
    : QObject(parent),
      board_(boardImageWidth, board::kHeight),
      history_(boardImageWidth, board::kHeight),
      eraserSaved_(4, 4),
      float_(2 * boardImageWidth, 2 * boardImageWidth),
      background_(boardImageWidth, board::kHeight)
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
    } else {
        selRect_ = QRect();
        selWidth_ = selHeight_ = 0;
    }
    setOverlay();
}

// ---- gestures ----

void GlyphEditor::Press(QPoint point, Button button)
{
    lastPoint_ = point;
    if (tool_ == kSelect) {
        selectPress(point, button);
        return;
    }
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
    if (tool_ == kSelect) {
        selectMove(point, left || right);
        return;
    }
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
    if (tool_ == kSelect) {
        selectRelease(point, button);
        return;
    }
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

// ---- the selection ----

namespace {

/// The handles of a selection whose squares span L, T, R, B: where each reacts, and its
/// pointer.
struct Handle {
    QRect area;
    Cursor cursor;
};
std::array<Handle, 8> handlesOf(const QRect &squares)
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

/// The rectangle with the sides a handle moves taken from a point.
QRect movedBy(int handle, QRect r, QPoint p)
{
    switch (handle) {
    case 0: r.setLeft(p.x()); r.setTop(p.y()); break;
    case 1: r.setLeft(p.x()); r.setBottom(p.y()); break;
    case 2: r.setRight(p.x()); r.setBottom(p.y()); break;
    case 3: r.setRight(p.x()); r.setTop(p.y()); break;
    case 4: r.setTop(p.y()); break;
    case 5: r.setLeft(p.x()); break;
    case 6: r.setBottom(p.y()); break;
    default: r.setRight(p.x()); break;
    }
    return r;
}

/// The block of w x h pixels at the image's top-left scaled to a new size: pixels are
/// repeated when it grows, and merged when it shrinks, ink winning.
void scaleBlock(MonoImage &image, int w, int h, int newW, int newH)
{
    MonoImage scaled(newW, newH);
    for (int y = 0; y < newH; ++y) {
        const int y0 = y * h / newH, y1 = std::max(y0 + 1, (y + 1) * h / newH);
        for (int x = 0; x < newW; ++x) {
            const int x0 = x * w / newW, x1 = std::max(x0 + 1, (x + 1) * w / newW);
            bool ink = false;
            for (int sy = y0; sy < y1 && !ink; ++sy)
                for (int sx = x0; sx < x1 && !ink; ++sx)
                    ink = image.pixel(sx, sy);
            scaled.setPixel(x, y, ink);
        }
    }
    image.fill(false);
    image.copyFrom(scaled, {0, 0, newW, newH}, 0, 0);
}

} // namespace

bool GlyphEditor::withinSelection(QPoint point) const
{
    return hasSelection() && selectionSquares().contains(point);
}

int GlyphEditor::handleAt(QPoint point) const
{
    if (!hasSelection())
        return -1;
    const auto handles = handlesOf(selectionSquares());
    for (int h = 0; h < 8; ++h)
        if (handles[size_t(h)].area.contains(point))
            return h;
    return -1;
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
    background_.copyFrom(board_, pixelRect(used()), 0, 0);
    float_.fill(false);
    float_.copyFrom(board_, pixelRect(pixels), 0, 0);
    boardops::fillRect(background_, pixels, backgroundInk_, used());
}

void GlyphEditor::StampSelection()
{
    if (!hasSelection())
        return;
    const QRect area = QRect(selRect_.topLeft(), QSize(selWidth_, selHeight_)) & used();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool ink = float_.pixel(x - selRect_.left(), y - selRect_.top());
            if (pasteMode_ == kOpaque || ink != backgroundInk_)
                board_.setPixel(x, y, ink);
        }
    }
}

void GlyphEditor::RecomposeSelection()
{
    if (!hasSelection())
        return;
    board_.copyFrom(background_, pixelRect(used()), 0, 0);
    StampSelection();
    wholeBoardChanged();
}

void GlyphEditor::DeleteSelection()
{
    if (!hasSelection())
        return;
    takeSnapshotOnce();
    DropSelection();
    board_.copyFrom(background_, pixelRect(used()), 0, 0);
    wholeBoardChanged();
}

void GlyphEditor::SelectAll()
{
    if (tool_ == kSelect && hasSelection())
        DropSelection();
    selRect_ = used();
    selWidth_ = layout_.boardWidth;
    selHeight_ = layout_.boardHeight;
    moving_ = overSelection_ = false;
    snapshotTaken_ = false;
    rubberRect_ = selectionSquares();
    LiftSelection(selRect_);
    setOverlay();
}

void GlyphEditor::TransformSelection(Transform kind)
{
    if (!hasSelection())
        return;
    takeSnapshotOnce();
    const int w = selWidth_, h = selHeight_;
    MonoImage block(std::max(w, h), std::max(w, h));
    block.copyFrom(float_, {0, 0, w, h}, 0, 0);
    MonoImage turned(std::max(w, h), std::max(w, h));
    int newW = w, newH = h;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const bool ink = block.pixel(i, j);
            switch (kind) {
            case Transform::TurnLeft: turned.setPixel(j, w - 1 - i, ink); break;
            case Transform::TurnRight: turned.setPixel(h - 1 - j, i, ink); break;
            case Transform::Turn180: turned.setPixel(w - 1 - i, h - 1 - j, ink); break;
            case Transform::MirrorHorizontal: turned.setPixel(w - 1 - i, j, ink); break;
            case Transform::MirrorVertical: turned.setPixel(i, h - 1 - j, ink); break;
            case Transform::Invert: turned.setPixel(i, j, !ink); break;
            case Transform::Hollow: {
                // Paper, but where a pixel that is not ink itself touches ink.
                bool touches = false;
                for (int dy = -1; dy <= 1 && !touches && !ink; ++dy)
                    for (int dx = -1; dx <= 1 && !touches; ++dx)
                        touches = (dx || dy) && i + dx >= 0 && i + dx < w && j + dy >= 0 && j + dy < h &&
                                  block.pixel(i + dx, j + dy);
                turned.setPixel(i, j, !ink && touches);
                break;
            }
            }
        }
    }
    if (kind == Transform::TurnLeft || kind == Transform::TurnRight) {
        newW = h;
        newH = w;
    }
    float_.fill(false);
    float_.copyFrom(turned, {0, 0, newW, newH}, 0, 0);
    if (newW != w) {
        selWidth_ = newW;
        selHeight_ = newH;
        selRect_ = QRect(selRect_.topLeft(), QSize(newW, newH));
        rubberRect_ = selectionSquares();
    }
    RecomposeSelection();
    setOverlay();
}

void GlyphEditor::ClearBoard()
{
    PushSnapshot();
    DropSelection();
    boardops::fillRect(board_, used(), backgroundInk_, used());
    wholeBoardChanged();
}

bool GlyphEditor::SetGridSize(int cell)
{
    DropSelection();
    if (!ResizeBoard(layout_.boardWidth, layout_.boardHeight, cell))
        return false;
    emit boardChanged();
    return true;
}

QImage GlyphEditor::CopySelection() const
{
    if (!hasSelection())
        return {};
    QImage picture(selWidth_, selHeight_, QImage::Format_RGB32);
    for (int y = 0; y < selHeight_; ++y)
        for (int x = 0; x < selWidth_; ++x)
            picture.setPixel(x, y, float_.pixel(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

bool GlyphEditor::PasteBitmap(const QImage &picture, QPoint scrollPosition)
{
    if (picture.isNull() || layout_.boardWidth == 0 || layout_.boardHeight == 0)
        return false;
    if (tool_ != kSelect)
        OnCommand(kCmdSelect);
    // At most the board image; a larger picture is cut to its top-left.
    const int w = std::min(picture.width(), board_.width());
    const int h = std::min(picture.height(), board_.height());
    PushSnapshot();
    snapshotTaken_ = true;
    moving_ = overSelection_ = false;
    const QRect board = layout_.boardRect();
    const int x = std::clamp((scrollPosition.x() - board.left()) / layout_.cellSize, 0, layout_.boardWidth);
    const int y = std::clamp((scrollPosition.y() - board.top()) / layout_.cellSize, 0, layout_.boardHeight);
    selWidth_ = w;
    selHeight_ = h;
    selRect_ = QRect(x, y, w, h);
    rubberRect_ = selectionSquares();
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    float_.fill(false);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            float_.setPixel(i, j, (rgb.pixel(i, j) & 0x00FFFFFF) != 0x00FFFFFF);
    // Nothing is lifted: moving or deleting the pasted pixels shows the board as it was.
    background_.copyFrom(board_, pixelRect(used()), 0, 0);
    StampSelection();
    wholeBoardChanged();
    setOverlay();
    return true;
}

void GlyphEditor::exchangeWithHistory(bool undo)
{
    if (tool_ == kSelect)
        DropSelection();
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
    if (tool_ == kEraser && !eraserRect_.isNull())
        placeEraser(eraserRect_);
    wholeBoardChanged();
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
    default: return false;
    }
}

void GlyphEditor::OnKey(int key)
{
    if (tool_ != kSelect)
        return;
    if (key == Qt::Key_Delete)
        DeleteSelection();
    else if (key == Qt::Key_Escape && hasSelection())
        DropSelection();
}

Menu GlyphEditor::menuAt(QPoint point) const
{
    if (tool_ != kSelect)
        return layout_.onBoard(point) ? Menu::None : Menu::Pop1;
    return withinSelection(point) ? Menu::Pop3 : Menu::Pop2;
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
    default: return true;
    }
}

// ---- the select tool's gestures ----

void GlyphEditor::selectPress(QPoint point, Button button)
{
    if (overSelection_ || handle_ == -1) {
        if (hasSelection() && !withinSelection(point)) {
            DropSelection();
            overSelection_ = false;
        }
        if (overSelection_) {
            // Either button moves the selection.
            buttonDown_ = moving_ = true;
            return;
        }
    } else {
        // Only the left button resizes.
        if (button == Button::Left) {
            resizing_ = true;
            resizeRect_ = selRect_;
            setCursor(handlesOf(selectionSquares())[size_t(handle_)].cursor);
            setOverlay();
        }
        return;
    }
    if (button != Button::Left || !layout_.onBoard(point))
        return;
    snapshotTaken_ = false;
    buttonDown_ = selecting_ = true;
    rubberRect_ = QRect(point, point);
    lastPoint_ = point;
    setOverlay();
}

void GlyphEditor::selectMove(QPoint point, bool anyButton)
{
    if (moving_) {
        moveSelectionTo(point);
        return;
    }
    if (resizing_) {
        setCursor(handlesOf(selectionSquares())[size_t(handle_)].cursor);
        const QRect moved = movedBy(handle_, rubberRect_, point);
        QRect pixels = spanned(layout_.pixelAt(moved.topLeft()), layout_.pixelAt(moved.bottomRight()));
        // Never larger than the floating image that holds the pixels.
        pixels.setWidth(std::min(pixels.width(), float_.width()));
        pixels.setHeight(std::min(pixels.height(), float_.height()));
        resizeRect_ = pixels;
        setOverlay();
        return;
    }
    if (selecting_) {
        rubberRect_.setBottomRight(point);
        setOverlay();
        return;
    }
    if (anyButton)
        return;
    // Hover: the move arrow over the selection, a sizing arrow over a handle.
    overSelection_ = false;
    handle_ = -1;
    if (withinSelection(point)) {
        overSelection_ = true;
        setCursor(Cursor::Move);
        return;
    }
    handle_ = handleAt(point);
    if (handle_ >= 0) {
        setCursor(handlesOf(selectionSquares())[size_t(handle_)].cursor);
        return;
    }
    if (layout_.onBoard(point))
        showToolCursor();
    else
        setCursor(Cursor::Arrow);
}

void GlyphEditor::moveSelectionTo(QPoint point)
{
    takeSnapshotOnce();
    if (point == lastPoint_)
        return;
    const QPoint d = point - lastPoint_;
    lastPoint_ = point;
    QRect r = rubberRect_.translated(d);
    // The selection may leave the board but stays next to it.
    const QRect board = layout_.boardRect();
    const int c = layout_.cellSize, w = r.width(), h = r.height();
    if (r.left() > board.right())
        r.moveLeft(board.right() + c);
    if (r.right() < board.left())
        r.moveLeft(board.left() - c - (w - 1));
    if (r.top() > board.bottom())
        r.moveTop(board.bottom() + c);
    if (r.bottom() < board.top())
        r.moveTop(board.top() - c - (h - 1));
    rubberRect_ = r;
    const QRect old = selRect_;
    selRect_ = QRect(layout_.pixelAt(r.topLeft()), QSize(selWidth_, selHeight_));
    board_.copyFrom(background_, pixelRect(used()), 0, 0);
    StampSelection();
    if (selRect_ != old) {
        rectChanged(old);
        rectChanged(selRect_);
        setOverlay();
    }
}

void GlyphEditor::selectRelease(QPoint point, Button button)
{
    if (resizing_ && button == Button::Right)
        return;  // the right button does not end a resize
    const bool wasSelecting = selecting_, wasResizing = resizing_;
    moving_ = resizing_ = selecting_ = buttonDown_ = overSelection_ = false;
    if (wasSelecting) {
        rubberRect_ = spanned(rubberRect_.topLeft(), point);
        const QRect pixels = spanned(layout_.pixelAt(rubberRect_.topLeft()), layout_.pixelAt(rubberRect_.bottomRight()));
        const QRect clamped = pixels & used();
        selRect_ = clamped;
        selWidth_ = clamped.width();
        selHeight_ = clamped.height();
        if (selWidth_ <= 1 && selHeight_ <= 1)
            DropSelection();  // a single pixel makes no selection
        else
            LiftSelection(selRect_);
        setOverlay();
        return;
    }
    if (wasResizing) {
        const QRect target = resizeRect_;
        takeSnapshotOnce();
        scaleBlock(float_, selWidth_, selHeight_, target.width(), target.height());
        selRect_ = target;
        selWidth_ = target.width();
        selHeight_ = target.height();
        rubberRect_ = selectionSquares();
        RecomposeSelection();
        if (selWidth_ <= 1 && selHeight_ <= 1)
            DropSelection();
        setOverlay();
    }
}

std::optional<QRect> GlyphEditor::selectionPreview() const
{
    if (!selecting_)
        return std::nullopt;
    const QPoint a = layout_.pixelAt(rubberRect_.topLeft()), b = layout_.pixelAt(rubberRect_.bottomRight());
    if (a == b)
        return std::nullopt;  // no frame while both ends are on one pixel
    return spanned(a, b);
}

std::optional<QRect> GlyphEditor::resizePreview() const
{
    if (!resizing_)
        return std::nullopt;
    return resizeRect_;
}

QRect GlyphEditor::overlayArea() const
{
    QRect area;
    const auto around = [this](const QRect &pixels) { return layout_.squaresOf(pixels).adjusted(-5, -5, 5, 5); };
    if (const auto square = eraserSquare())
        area |= around(*square);
    if (tool_ != kEraser && hasSelection())
        area |= around(selRect_);
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
