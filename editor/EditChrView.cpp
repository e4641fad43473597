#include "editor/EditChrView.h"

#include "editor/EditorPictures.h"
#include "editor/GlyphEditor.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessivo {

namespace {

// Colours of the canvas (0x00BBGGRR in the editor's terms).
const QColor kGrid(0xAA, 0xAA, 0xFF);       // light blue
const QColor kSeparator(0x80, 0x00, 0x00);  // dark red
const QColor kEraserOutline(0x7F, 0x7F, 0x7F);

/// A 1-pixel line from a point up to, not including, another, as the platform draws it.
void line(QPainter &p, QPoint from, QPoint to, const QColor &colour)
{
    const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    for (int i = 0; i < steps; ++i)
        p.fillRect(QRect(from.x() + (to.x() - from.x()) * i / steps, from.y() + (to.y() - from.y()) * i / steps, 1, 1),
                   colour);
}

/// A closed outline through the corner pixels left..right, top..bottom inclusive.
void outline(QPainter &p, int left, int top, int right, int bottom, const QColor &colour)
{
    p.fillRect(QRect(left, top, right - left + 1, 1), colour);
    p.fillRect(QRect(left, bottom, right - left + 1, 1), colour);
    p.fillRect(QRect(left, top, 1, bottom - top + 1), colour);
    p.fillRect(QRect(right, top, 1, bottom - top + 1), colour);
}

} // namespace

CEditChrView::CEditChrView(GlyphEditor &editor, QWidget *parent) : CScrollWnd(parent), editor_(editor)
{
    setObjectName(QStringLiteral("id%1").arg(kControlId));
    setAccessibleName(QStringLiteral("Board"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);

    connect(&editor_, &GlyphEditor::squaresChanged, this, &CEditChrView::RepaintRect);
    connect(&editor_, &GlyphEditor::boardChanged, this, &CEditChrView::RepaintBoard);
    connect(&editor_, &GlyphEditor::layoutChanged, this, [this] {
        UpdateScrollSizes();
        viewport()->update();
        emit boardDrawn();
    });
    connect(&editor_, &GlyphEditor::overlayChanged, this, [this] {
        // The outline drawn last goes, the one now shown comes.
        viewport()->update(viewportArea(lastEraser_));
        lastEraser_ = editor_.eraserSquare().value_or(QRect());
        viewport()->update(viewportArea(lastEraser_));
    });
    connect(&editor_, &GlyphEditor::cursorChanged, this, &CEditChrView::showCursor);
    connect(this, &CScrollWnd::scrolled, this, [this] { emit boardDrawn(); });
    UpdateScrollSizes();
}

void CEditChrView::UpdateScrollSizes()
{
    const int cell = editor_.layout().cellSize;
    SetScrollSizes(QSize(cell, cell), editor_.layout().contentSize());
}

QRect CEditChrView::viewportArea(const QRect &pixels) const
{
    if (pixels.isEmpty())
        return {};
    // The squares and two pixels around them (the eraser outline lies there).
    return editor_.layout().squaresOf(pixels).adjusted(-3, -3, 3, 3).translated(-GetDeviceScrollPosition());
}

void CEditChrView::RepaintRect(const QRect &pixels)
{
    viewport()->update(viewportArea(pixels));
}

void CEditChrView::RepaintBoard()
{
    viewport()->update();
    emit boardDrawn();
}

void CEditChrView::showCursor()
{
    viewport()->setCursor(editorCursor(editor_.cursor()));
}

void CEditChrView::OnDraw(QPainter &painter, const QRect &exposed)
{
    const BoardLayout &layout = editor_.layout();
    if (layout.boardWidth == 0 || layout.boardHeight == 0)
        return;
    drawBoard(painter, exposed);
    drawFrame(painter);
    drawOverlays(painter);
}

void CEditChrView::drawBoard(QPainter &painter, const QRect &exposed) const
{
    const BoardLayout &layout = editor_.layout();
    const int cell = layout.cellSize;
    // The board pixels whose squares the exposed area touches.
    const QRect board = layout.boardRect() & exposed;
    if (board.isEmpty())
        return;
    const QPoint first = layout.pixelAt(board.topLeft()), last = layout.pixelAt(board.bottomRight());
    const QRect pixels = QRect(first, last) & layout.usedArea();
    if (pixels.isEmpty())
        return;

    // Each pixel becomes a cell x cell square: ink black, paper white.
    QImage image(pixels.width(), pixels.height(), QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    const MonoImage &source = editor_.board();
    for (int y = 0; y < pixels.height(); ++y) {
        uchar *scan = image.scanLine(y);
        for (int x = 0; x < pixels.width(); ++x)
            if (source.pixel(pixels.x() + x, pixels.y() + y))
                scan[x >> 3] |= uchar(0x80 >> (x & 7));
    }
    const QRect squares = layout.squaresOf(pixels);
    painter.drawImage(squares, image);

    // The grid: the first pixel column and row of every square.
    for (int i = pixels.left(); i <= pixels.right(); ++i)
        painter.fillRect(QRect(layout.origin.x() + i * cell, squares.top(), 1, squares.height()), kGrid);
    for (int j = pixels.top(); j <= pixels.bottom(); ++j)
        painter.fillRect(QRect(squares.left(), layout.origin.y() + j * cell, squares.width(), 1), kGrid);
}

void CEditChrView::drawFrame(QPainter &painter) const
{
    const BoardLayout &layout = editor_.layout();
    const QRect board = layout.boardRect();
    const int L = board.left(), T = board.top(), R = board.right(), B = board.bottom();
    // The character windows' separators.
    for (int r = 0; r < layout.rows; ++r)
        painter.fillRect(QRect(L, T + r * layout.charHeight * layout.cellSize, R - L + 1, 1), kSeparator);
    for (int c = 0; c < layout.columns; ++c)
        painter.fillRect(QRect(L + c * layout.charWidth * layout.cellSize, T, 1, B - T + 1), kSeparator);
    // The frame, two pixels thick.
    outline(painter, L, T, R, B, kSeparator);
    outline(painter, L - 1, T - 1, R + 1, B + 1, kSeparator);
    // The shadow and the grip in the bottom-right corner.
    line(painter, {R + 3, T - 1}, {R + 3, B + 2}, Qt::white);
    line(painter, {R + 7, T - 1}, {R + 7, B + 6}, Qt::black);
    line(painter, {L - 1, B + 3}, {R + 3, B + 3}, Qt::white);
    line(painter, {L - 1, B + 7}, {R + 7, B + 7}, Qt::black);
    for (int d = 2; d <= 8; d += 2)
        line(painter, {R + 7 - d, B + 7}, {R + 7, B + 7 - d}, Qt::black);
}

void CEditChrView::drawOverlays(QPainter &painter) const
{
    if (const auto square = editor_.eraserSquare()) {
        const QRect squares = editor_.layout().squaresOf(*square);
        outline(painter, squares.left() - 1, squares.top() - 1, squares.right() + 1, squares.bottom() + 1,
                kEraserOutline);
    }
}

void CEditChrView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        CScrollWnd::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    editor_.Press(contentPoint(event->position().toPoint()),
                  event->button() == Qt::RightButton ? editor::Button::Right : editor::Button::Left);
}

void CEditChrView::mouseMoveEvent(QMouseEvent *event)
{
    editor_.Move(contentPoint(event->position().toPoint()), event->buttons() & Qt::LeftButton,
                 event->buttons() & Qt::RightButton);
}

void CEditChrView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        CScrollWnd::mouseReleaseEvent(event);
        return;
    }
    editor_.Release(contentPoint(event->position().toPoint()),
                    event->button() == Qt::RightButton ? editor::Button::Right : editor::Button::Left);
}

bool CEditChrView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        editor_.Leave();
    return CScrollWnd::viewportEvent(event);
}

} // namespace tessivo
