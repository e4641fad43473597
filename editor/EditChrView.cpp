// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/EditChrView.h"

#include "editor/EditorPictures.h"
#include "editor/GlyphEditor.h"

#include "settings/LanguageTable.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

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

CEditChrView::CEditChrView(GlyphEditor &editor, const LanguageTable *languages, QWidget *parent)
    : CScrollWnd(parent), editor_(editor), languages_(languages)
{
    setObjectName(QStringLiteral("id%1").arg(kControlId));
    setAccessibleName(QStringLiteral("Board"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    // Only the board says it has the focus, not the viewport inside it too.
    viewport()->setFocusProxy(nullptr);
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
        // What was drawn over the board last goes, what is there now comes.
        const QPoint scroll = GetDeviceScrollPosition();
        viewport()->update(lastOverlay_.translated(-scroll));
        lastOverlay_ = editor_.overlayArea();
        viewport()->update(lastOverlay_.translated(-scroll));
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
    if (editor_.tool() != editor::kEraser && editor_.hasSelection())
        drawSelectionFrame(painter, editor_.selectionRect());
    if (const auto preview = editor_.selectionPreview())
        drawDottedFrame(painter, *preview);
    if (const auto resize = editor_.resizePreview())
        drawDottedFrame(painter, *resize);
}

void CEditChrView::drawSelectionFrame(QPainter &painter, const QRect &pixels) const
{
    const QColor kYellow(0xFF, 0xFF, 0xA3);
    const QRect squares = editor_.layout().squaresOf(pixels);
    // The frame F lies a pixel outside the squares; it is two pixels thick.
    const int left = squares.left() - 1, top = squares.top() - 1, right = squares.right() + 2,
              bottom = squares.bottom() + 2;
    const int midX = (left + right) / 2, midY = (top + bottom) / 2;
    const auto dash = [](int along) { return ((along % 6) + 6) % 6 > 1; };
    const auto horizontal = [&](int y, int from, int to) {
        for (int x = from; x <= to; ++x)
            painter.fillRect(QRect(x, y, 1, 1), dash(x) ? kYellow : QColor(Qt::black));
    };
    const auto vertical = [&](int x, int from, int to) {
        for (int y = from; y <= to; ++y)
            painter.fillRect(QRect(x, y, 1, 1), dash(y) ? kYellow : QColor(Qt::black));
    };
    for (int grow = 0; grow < 2; ++grow) {
        // At the canvas's top or left edge the frame comes inside, where it can be seen.
        const int l = right >= 0 ? std::max(left - grow, grow) : left - grow;
        const int t = bottom >= 0 ? std::max(top - grow, grow) : top - grow;
        const int r = right + grow, b = bottom + grow;
        // Each side in two pieces, with gaps for the handles at its ends and middle.
        for (int y : {t, b}) {
            horizontal(y, l + 3, midX - 3);
            horizontal(y, midX + 3, r - 3);
        }
        for (int x : {l, r}) {
            vertical(x, t + 3, midY - 3);
            vertical(x, midY + 3, b - 3);
        }
    }
    for (const QPoint &centre : {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom),
                                 QPoint(midX, top), QPoint(midX, bottom), QPoint(left, midY), QPoint(right, midY)}) {
        // Handles beyond the canvas's top or left edge are drawn (and grabbed) inside.
        QRect handle(centre - QPoint(2, 2), QSize(5, 5));
        if (handle.left() < 0 && handle.right() >= 0)
            handle.moveLeft(0);
        if (handle.top() < 0 && handle.bottom() >= 0)
            handle.moveTop(0);
        painter.fillRect(handle, kYellow);
        outline(painter, handle.left(), handle.top(), handle.right(), handle.bottom(), Qt::black);
    }
}

void CEditChrView::drawDottedFrame(QPainter &painter, const QRect &pixels) const
{
    const QRect squares = editor_.layout().squaresOf(pixels);
    const int left = squares.left() + 1, top = squares.top() + 1, right = squares.right(), bottom = squares.bottom();
    const auto dot = [](int along) { return along % 2 != 0 ? QColor(Qt::white) : QColor(Qt::black); };
    for (int x = left; x <= right; ++x) {
        painter.fillRect(QRect(x, top, 1, 1), dot(x));
        painter.fillRect(QRect(x, bottom, 1, 1), dot(x));
    }
    for (int y = top; y <= bottom; ++y) {
        painter.fillRect(QRect(left, y, 1, 1), dot(y));
        painter.fillRect(QRect(right, y, 1, 1), dot(y));
    }
}

void CEditChrView::OnCommand(int command)
{
    const QImage clipboard = QApplication::clipboard()->image();
    QImage copied;
    editor_.OnCanvasCommand(command, GetDeviceScrollPosition(), clipboard, &copied);
    if (!copied.isNull())
        QApplication::clipboard()->setImage(copied);
    if (command == editor::kCmdClearBoard)
        setFocus();
}

void CEditChrView::keyPressEvent(QKeyEvent *event)
{
    editor_.setConstrained(event->modifiers() & Qt::ShiftModifier);
    if (event->modifiers() & Qt::ControlModifier) {
        const bool select = editor_.tool() == editor::kSelect;
        switch (event->key()) {
        case Qt::Key_A:
            // The whole board, with the tool that can then move or change it.
            if (!select)
                editor_.OnCommand(editor::kCmdSelect);
            OnCommand(editor::kCmdSelectAll);
            return;
        case Qt::Key_C:
            if (select)
                OnCommand(editor::kCmdCopy);
            return;
        case Qt::Key_X:
            if (select)
                OnCommand(editor::kCmdCut);
            return;
        case Qt::Key_V: OnCommand(editor::kCmdPaste); return;
        case Qt::Key_Y: OnCommand(editor::kCmdRedo); return;
        case Qt::Key_Z: OnCommand(editor::kCmdUndo); return;
        default: break;
        }
    }
    // Escape with nothing to cancel or drop closes the editor; the row keeps what was drawn.
    if (event->key() == Qt::Key_Escape && editor_.escapeCloses()) {
        window()->close();
        return;
    }
    if (editor_.OnKey(event->key()))
        return;
    CScrollWnd::keyPressEvent(event);
}

void CEditChrView::keyReleaseEvent(QKeyEvent *event)
{
    editor_.setConstrained(event->modifiers() & Qt::ShiftModifier);
    CScrollWnd::keyReleaseEvent(event);
}

void CEditChrView::focusOutEvent(QFocusEvent *event)
{
    // Whatever took the focus (another window, a menu) also takes the gesture's end.
    editor_.CancelGesture();
    CScrollWnd::focusOutEvent(event);
}

void CEditChrView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        // Ctrl and the wheel step the grid size: up enlarges, down shrinks.
        if (const int delta = event->angleDelta().y(); delta != 0)
            editor_.StepGridSize(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    CScrollWnd::wheelEvent(event);
}

bool CEditChrView::fillContextMenu(QMenu &menu, editor::Menu which)
{
    using namespace editor;
    if (which == Menu::None)
        return false;
    const LanguageRecord *language = languages_ ? &languages_->current() : nullptr;
    const auto text = [language](int key, const char16_t *builtin) {
        return language ? fieldText(language->M[key - 1]) : QString::fromUtf16(builtin);
    };
    const bool picture = !QApplication::clipboard()->image().isNull();
    const auto item = [&](QMenu &into, int command, int key, const char16_t *builtin) {
        QAction *action = into.addAction(menuIcon(command), text(key, builtin));
        action->setObjectName(QStringLiteral("id%1").arg(command));
        action->setData(command);
        action->setEnabled(editor_.isCommandEnabled(command, picture));
    };
    const auto grid = [&] {
        QMenu *sub = menu.addMenu(text(22, u"网格大小"));
        sub->setAccessibleName(sub->title());
        sub->setObjectName(QStringLiteral("gridMenu"));
        const int sizes[] = {4, 6, 8, 10};
        for (int i = 0; i < 4; ++i) {
            QAction *action = sub->addAction(QStringLiteral("%1x%1").arg(sizes[i]));
            action->setObjectName(QStringLiteral("id%1").arg(kCmdGrid4 + i));
            action->setData(kCmdGrid4 + i);
            action->setCheckable(true);
            action->setChecked(editor_.layout().cellSize == sizes[i]);
        }
    };
    item(menu, kCmdUndo, 1, u"撤消");
    item(menu, kCmdRedo, 2, u"重复");
    menu.addSeparator();
    if (which == Menu::Pop3) {
        item(menu, kCmdCut, 3, u"剪切");
        item(menu, kCmdCopy, 4, u"复制");
    }
    item(menu, kCmdPaste, 10, u"粘贴");
    if (which == Menu::Pop3)
        item(menu, kCmdDelete, 7, u"删除");
    menu.addSeparator();
    if (which != Menu::Pop1) {
        item(menu, kCmdSelectAll, 8, u"全选");
        menu.addSeparator();
    }
    if (which == Menu::Pop3) {
        QMenu *rotate = menu.addMenu(text(23, u"旋转"));
        rotate->setAccessibleName(rotate->title());
        rotate->setObjectName(QStringLiteral("rotateMenu"));
        item(*rotate, kCmdTurnLeft, 11, u"左转90度");
        item(*rotate, kCmdTurnRight, 12, u"右转90度");
        item(*rotate, kCmdTurn180, 13, u"旋转180度");
        QMenu *mirror = menu.addMenu(text(24, u"镜向"));
        mirror->setAccessibleName(mirror->title());
        mirror->setObjectName(QStringLiteral("mirrorMenu"));
        item(*mirror, kCmdMirrorHorizontal, 14, u"水平镜向(&H)");
        item(*mirror, kCmdMirrorVertical, 15, u"垂直镜向(&V)");
        item(menu, kCmdInvert, 16, u"反色(&I)");
        item(menu, kCmdHollow, 17, u"镂空(&H)");
    } else {
        grid();
        item(menu, kCmdClearBoard, 9, u"清除图板");
        // Room to draw in, without typing spaces first.
        const bool chinese = !language || speaksChinese(*language);
        QAction *room = menu.addAction(chinese ? QStringLiteral("在行尾添加%1列空白").arg(kAddedColumns)
                                               : QStringLiteral("Add %1 blank columns").arg(kAddedColumns));
        room->setObjectName(QStringLiteral("id%1").arg(kCmdAddColumns));
        room->setData(kCmdAddColumns);
        room->setEnabled(editor_.isCommandEnabled(kCmdAddColumns, picture));
    }
    return true;
}

void CEditChrView::contextMenuEvent(QContextMenuEvent *event)
{
    editor::Menu which;
    QPoint global;
    if (event->reason() == QContextMenuEvent::Mouse) {
        which = editor_.menuAt(contentPoint(viewport()->mapFromGlobal(event->globalPos())));
        global = event->globalPos();
    } else {
        // The menu key and Shift+F10: the menu at the selection, else at the board's corner.
        const auto [menu, content] = editor_.keyboardMenu();
        which = menu;
        global = viewport()->mapToGlobal(content - GetDeviceScrollPosition());
    }
    // No menu here: the right press that came with this event goes on drawing.
    if (which == editor::Menu::None)
        return;
    // The press that asked for the menu never sees its release (the menu takes it).
    editor_.CancelGesture();
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Board menu"));
    if (!fillContextMenu(menu, which))
        return;
    if (QAction *chosen = menu.exec(global))
        OnCommand(chosen->data().toInt());
}

namespace {

editor::Button buttonOf(const QMouseEvent *event)
{
    return event->button() == Qt::RightButton ? editor::Button::Right : editor::Button::Left;
}

bool isDrawingButton(const QMouseEvent *event)
{
    return event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
}

} // namespace

void CEditChrView::mousePressEvent(QMouseEvent *event)
{
    if (!isDrawingButton(event)) {
        CScrollWnd::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    editor_.setConstrained(event->modifiers() & Qt::ShiftModifier);
    // Only this button is down: a gesture still open lost its release somewhere (a
    // grab taken by another window), so it ends here and this press begins anew.
    if (event->buttons() == event->button())
        editor_.CancelGesture();
    editor_.Press(contentPoint(event->position().toPoint()), buttonOf(event));
}

void CEditChrView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A quick second click is a press like any other.
    mousePressEvent(event);
}

void CEditChrView::mouseMoveEvent(QMouseEvent *event)
{
    editor_.setConstrained(event->modifiers() & Qt::ShiftModifier);
    editor_.Move(contentPoint(event->position().toPoint()), event->buttons() & Qt::LeftButton,
                 event->buttons() & Qt::RightButton);
}

void CEditChrView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isDrawingButton(event)) {
        CScrollWnd::mouseReleaseEvent(event);
        return;
    }
    editor_.setConstrained(event->modifiers() & Qt::ShiftModifier);
    editor_.Release(contentPoint(event->position().toPoint()), buttonOf(event));
}

bool CEditChrView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave && QGuiApplication::mouseButtons() == Qt::NoButton)
        editor_.Leave();
    return CScrollWnd::viewportEvent(event);
}

} // namespace tessivo
