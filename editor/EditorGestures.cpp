// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph editor's gestures: what each tool does between a press and the release of
// its button. A gesture exists only while its button is held, so no state of an ended
// gesture can act on a later move. Gestures change the board through the editor's own
// functions and never end themselves (no CancelGesture or DropSelection from inside).

#include "editor/GlyphEditor.h"

#include <algorithm>

namespace tessivo {

using namespace editor;

namespace {

bool isShapeTool(int tool)
{
    return tool >= kLine && tool <= kFilledEllipse;
}

/// The rectangle with the sides a handle moves taken from a pixel.
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

} // namespace

// ---- pencil: a connected stroke, one undo step ----

class GlyphEditor::PencilGesture : public GlyphEditor::Gesture {
public:
    PencilGesture(GlyphEditor &editor, QPoint point, Button button) : e_(editor), last_(point), button_(button)
    {
        e_.PushSnapshot();
        e_.showToolCursor();
    }
    void move(QPoint point, bool, bool) override
    {
        const boardops::Pixels line = boardops::segment(e_.layout_.pixelAt(last_), e_.layout_.pixelAt(point));
        boardops::plot(e_.board_, line, e_.inkFor(button_), e_.used());
        e_.rectChanged(boardops::bounds(line));
        last_ = point;
    }
    bool release(QPoint point, Button button) override
    {
        if (button != button_)
            return false;
        if (e_.layout_.onBoard(point)) {
            const QPoint p = e_.layout_.pixelAt(point);
            if (e_.used().contains(p)) {
                e_.board_.setPixel(p.x(), p.y(), e_.inkFor(button_));
                e_.pixelChanged(p);
            }
        }
        return true;
    }
    void cancel() override {}  // the stroke so far is in the row already

private:
    GlyphEditor &e_;
    QPoint last_;
    Button button_;
};

// ---- line, rectangles, ellipses: a preview while dragged, the shape at the release ----

class GlyphEditor::ShapeGesture : public GlyphEditor::Gesture {
public:
    ShapeGesture(GlyphEditor &editor, QPoint point, Button button) : e_(editor), start_(point), button_(button)
    {
        e_.PushSnapshot();
        e_.showToolCursor();
    }
    ~ShapeGesture() override { removePreview(); }
    void move(QPoint point, bool, bool) override
    {
        removePreview();
        preview_ = outline(e_.layout_.pixelAt(start_), end(point));
        boardops::invert(e_.board_, preview_, e_.used());
        previewShown_ = true;
        repaint();
    }
    bool release(QPoint point, Button button) override
    {
        if (button != button_)
            return false;
        removePreview();
        const QPoint a = e_.layout_.pixelAt(start_), b = end(point);
        const QRect box = spanned(a, b);
        const bool ink = e_.inkFor(button_);
        switch (e_.tool_) {
        case kLine: boardops::plot(e_.board_, boardops::segment(a, b), ink, e_.used()); break;
        case kRectangle: boardops::plot(e_.board_, boardops::rectangleOutline(box), ink, e_.used()); break;
        case kFilledRectangle: boardops::fillRect(e_.board_, box, ink, e_.used()); break;
        case kEllipse: boardops::plot(e_.board_, boardops::ellipseOutline(box), ink, e_.used()); break;
        default: boardops::plot(e_.board_, boardops::ellipseArea(box), ink, e_.used()); break;
        }
        e_.rectChanged(box);
        return true;
    }
    void cancel() override { removePreview(); }

private:
    /// The pixel the shape ends at: the pointer's, or with Shift the constrained one.
    QPoint end(QPoint point) const
    {
        const QPoint b = e_.layout_.pixelAt(point);
        return e_.constrained_ ? boardops::constrainedEnd(e_.layout_.pixelAt(start_), b, e_.tool_ == kLine) : b;
    }
    boardops::Pixels outline(QPoint a, QPoint b) const
    {
        switch (e_.tool_) {
        case kLine: return boardops::segment(a, b);
        case kRectangle:
        case kFilledRectangle: return boardops::rectangleOutline(spanned(a, b));
        default: return boardops::ellipseOutline(spanned(a, b));
        }
    }
    // The preview is drawn by flipping board pixels, so flipping them again removes it.
    void removePreview()
    {
        if (!previewShown_)
            return;
        boardops::invert(e_.board_, preview_, e_.used());
        previewShown_ = false;
        repaint();
    }
    void repaint()
    {
        if (const QRect area = boardops::bounds(preview_) & e_.used(); !area.isEmpty())
            emit e_.squaresChanged(area);
    }

    GlyphEditor &e_;
    QPoint start_;
    Button button_;
    bool previewShown_ = false;
    boardops::Pixels preview_;
};

// ---- eraser: every square the pointer visits is erased ----

class GlyphEditor::EraseGesture : public GlyphEditor::Gesture {
public:
    EraseGesture(GlyphEditor &editor, QPoint point) : e_(editor)
    {
        e_.liftEraser();
        e_.PushSnapshot();
        e_.placeEraser(e_.eraserRectAt(point), true);
    }
    void move(QPoint point, bool, bool) override
    {
        if (!e_.layout_.onBoard(point)) {
            e_.setCursor(Cursor::Arrow);
            e_.liftEraser();
            return;
        }
        e_.setCursor(Cursor::Blank);
        const QRect square = e_.eraserRectAt(point);
        if (e_.eraserShown_ && square == e_.eraserRect_)
            return;
        e_.placeEraser(square, true);
    }
    bool release(QPoint, Button) override { return true; }
    void cancel() override {}  // what was erased stays erased

private:
    GlyphEditor &e_;
};

// ---- select: a new selection's drag ----

class GlyphEditor::MarqueeGesture : public GlyphEditor::Gesture {
public:
    MarqueeGesture(GlyphEditor &editor, QPoint point) : e_(editor), start_(point), end_(point)
    {
        e_.snapshotTaken_ = false;
        e_.setOverlay();
    }
    void move(QPoint point, bool, bool) override
    {
        end_ = point;
        e_.setOverlay();
    }
    bool release(QPoint point, Button) override
    {
        end_ = point;
        const QRect pixels = spanned(e_.layout_.pixelAt(start_), e_.layout_.pixelAt(end_)) & e_.used();
        // A single pixel makes no selection.
        if (pixels.width() > 1 || pixels.height() > 1)
            e_.LiftSelection(pixels);
        end_ = start_;
        e_.setOverlay();
        return true;
    }
    void cancel() override
    {
        end_ = start_;
        e_.setOverlay();
    }
    std::optional<QRect> marquee() const override
    {
        const QPoint a = e_.layout_.pixelAt(start_), b = e_.layout_.pixelAt(end_);
        if (a == b)
            return std::nullopt;  // no frame while both ends are on one pixel
        return spanned(a, b);
    }

private:
    GlyphEditor &e_;
    QPoint start_, end_;
};

// ---- select: moving the selection (either button) ----

class GlyphEditor::MoveGesture : public GlyphEditor::Gesture {
public:
    MoveGesture(GlyphEditor &editor, QPoint point)
        : e_(editor), grabbed_(editor.layout_.pixelFloorAt(point)), startTopLeft_(editor.selection_.rect().topLeft())
    {
        e_.setCursor(Cursor::Move);
    }
    void move(QPoint point, bool, bool) override
    {
        // Every step starts from where the drag began, so a drag out and back returns
        // exactly, however far beyond the board it went.
        e_.moveSelectionTo(startTopLeft_ + e_.layout_.pixelFloorAt(point) - grabbed_);
    }
    bool release(QPoint, Button) override { return true; }
    void cancel() override {}  // the selection stays where it is shown

private:
    GlyphEditor &e_;
    QPoint grabbed_;
    QPoint startTopLeft_;
};

// ---- select: resizing by a handle (left button) ----

class GlyphEditor::ResizeGesture : public GlyphEditor::Gesture {
public:
    ResizeGesture(GlyphEditor &editor, int handle) : e_(editor), handle_(handle), target_(editor.selection_.rect())
    {
        e_.setCursor(handlesOf(e_.selectionSquares())[size_t(handle_)].cursor);
        e_.setOverlay();
    }
    void move(QPoint point, bool, bool) override
    {
        const QRect moved = movedBy(handle_, e_.selection_.rect(), e_.layout_.pixelFloorAt(point));
        QRect pixels = spanned(moved.topLeft(), moved.bottomRight());
        // Never larger than the floating image that holds the pixels.
        const QSize room = e_.selection_.capacity();
        pixels.setWidth(std::min(pixels.width(), room.width()));
        pixels.setHeight(std::min(pixels.height(), room.height()));
        target_ = pixels;
        e_.setOverlay();
    }
    bool release(QPoint, Button button) override
    {
        if (button != Button::Left)
            return false;  // the right button does not end a resize
        if (target_ != e_.selection_.rect()) {
            e_.takeSnapshotOnce();
            e_.selection_.resizeTo(target_);
            e_.RecomposeSelection();
            if (target_.width() <= 1 && target_.height() <= 1)
                e_.selection_.drop();
        }
        resized_ = true;
        e_.setOverlay();
        return true;
    }
    void cancel() override
    {
        resized_ = true;
        e_.setOverlay();
    }
    std::optional<QRect> resizeTarget() const override
    {
        if (resized_)
            return std::nullopt;
        return target_;
    }

private:
    GlyphEditor &e_;
    int handle_;
    QRect target_;
    bool resized_ = false;
};

// ---- which gesture a press begins ----

std::unique_ptr<GlyphEditor::Gesture> GlyphEditor::beginGesture(QPoint point, Button button)
{
    if (tool_ == kSelect) {
        int handle = -1;
        if (grabsHandle(point, &handle)) {
            // Only the left button resizes.
            if (button == Button::Left)
                return std::make_unique<ResizeGesture>(*this, handle);
            return nullptr;
        }
        // The press tests where it is; no earlier hover decides.
        if (withinSelection(point))
            return std::make_unique<MoveGesture>(*this, point);
        if (hasSelection())
            DropSelection();
        if (button != Button::Left || !layout_.onBoard(point))
            return nullptr;
        return std::make_unique<MarqueeGesture>(*this, point);
    }
    if (!layout_.onBoard(point))
        return nullptr;
    switch (tool_) {
    case kPencil: return std::make_unique<PencilGesture>(*this, point, button);
    case kFill:
        PushSnapshot();  // one undo step, done at the press
        showToolCursor();
        if (boardops::floodFill(board_, layout_.pixelAt(point), inkFor(button), used()))
            wholeBoardChanged();
        return nullptr;
    case kEraser:
        if (!eraserShown_) {
            hover(point);  // the first press only places the square
            return nullptr;
        }
        return std::make_unique<EraseGesture>(*this, point);
    default:
        if (isShapeTool(tool_))
            return std::make_unique<ShapeGesture>(*this, point, button);
        return nullptr;
    }
}

std::optional<QRect> GlyphEditor::selectionPreview() const
{
    return gesture_ ? gesture_->marquee() : std::nullopt;
}

std::optional<QRect> GlyphEditor::resizePreview() const
{
    return gesture_ ? gesture_->resizeTarget() : std::nullopt;
}

} // namespace tessivo
