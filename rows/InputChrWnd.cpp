// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rows/InputChrWnd.h"

#include "rows/OwnAccessible.h"
#include "rows/SpokenRow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace tessivo {

namespace {

const QColor kFrame(49, 106, 197);
const QColor kBackground(245, 245, 245);
const QColor kEvenMark(140, 150, 200);
const QColor kOddMark(180, 200, 220);
const QColor kEmptyMark(220, 240, 240);

/// Screen readers read a row like a one-line text field holding its characters: its
/// text, caret and selection, each character's place on the screen.
class RowAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit RowAccessible(CInputChrWnd *row) : QAccessibleWidget(row, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return spoken().text;
        return QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    // The text interface.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        const RowModel &model = row()->row();
        if (selectionIndex != 0 || !model.hasSelection())
            return;
        const SpokenRow words = spoken();
        const int a = words.offsetOf(model.anchor()), b = words.offsetOf(model.selectionEnd());
        *startOffset = std::min(a, b);
        *endOffset = std::max(a, b);
    }
    int selectionCount() const override { return row()->row().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            row()->selectText(-1, -1);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex != 0)
            return;
        const SpokenRow words = spoken();
        row()->selectText(words.indexAt(startOffset), words.indexAt(endOffset));
    }
    int cursorPosition() const override { return spoken().offsetOf(row()->row().caretIndex()); }
    void setCursorPosition(int position) override { row()->placeCaretAt(spoken().indexAt(position)); }
    QString text(int startOffset, int endOffset) const override
    {
        return accessibleTextRange(spoken().text, startOffset, endOffset);
    }
    int characterCount() const override { return int(spoken().text.size()); }
    QRect characterRect(int offset) const override
    {
        const QRect local = row()->characterRect(spoken().indexAt(offset));
        return local.isEmpty() ? QRect() : QRect(row()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = row()->mapFromGlobal(point);
        if (!row()->rect().contains(local))
            return -1;
        return spoken().offsetOf(row()->characterAt(local.x()));
    }
    void scrollToSubstring(int startIndex, int) override { setCursorPosition(startIndex); }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    CInputChrWnd *row() const { return static_cast<CInputChrWnd *>(widget()); }
    SpokenRow spoken() const { return spokenRow(row()->row()); }
};

QAccessibleInterface *rowAccessibleFactory(const QString &, QObject *object)
{
    if (auto *row = qobject_cast<CInputChrWnd *>(object))
        return new RowAccessible(row);
    return nullptr;
}

} // namespace

CInputChrWnd::CInputChrWnd(int controlId, RowModel &row, const LanguageTable &languages,
                           QWidget *parent)
    : QWidget(parent), controlId_(controlId), row_(row), languages_(languages)
{
    installAccessibility();
    setObjectName(QStringLiteral("id%1").arg(controlId));
    setAcceptDrops(true);  // picture files; a project goes on to the window
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);

    connect(&row_, &RowModel::repaintRequested, this, [this](RowModel::Repaint how) {
        if (how == RowModel::Repaint::Now)
            repaint();
        else
            update();
    });
    connect(&row_, &RowModel::changed, this, &CInputChrWnd::announceTextChange);
    connect(&row_, &RowModel::caretMoved, this, [this] {
        placeCaret();
        announceCaret();
    });
    connect(&row_, &RowModel::layoutChanged, this, [this] { syncLayout(); });
}

void CInputChrWnd::installAccessibility()
{
    installAccessibleFactory(&rowAccessibleFactory);
}

QString CInputChrWnd::rowText() const
{
    return spokenRow(row_).text;
}

void CInputChrWnd::announceTextChange()
{
    // Without a screen reader a keystroke costs nothing here; what it was last told is
    // forgotten, and the first change it hears is the whole text.
    if (!QAccessible::isActive()) {
        spokenText_.reset();
        return;
    }
    const QString now = rowText();
    const QString before = std::exchange(spokenText_, now).value_or(QString());
    if (before == now)
        return;
    // Only what changed is told, as a text field tells what was typed or deleted.
    int head = 0;
    const int shorter = int(std::min(before.size(), now.size()));
    while (head < shorter && before[head] == now[head])
        ++head;
    int tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const QString removed = before.mid(head, before.size() - head - tail);
    const QString inserted = now.mid(head, now.size() - head - tail);
    if (!removed.isEmpty() && !inserted.isEmpty()) {
        QAccessibleTextUpdateEvent update(this, head, removed, inserted);
        QAccessible::updateAccessibility(&update);
    } else if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent insert(this, head, inserted);
        QAccessible::updateAccessibility(&insert);
    } else {
        QAccessibleTextRemoveEvent remove(this, head, removed);
        QAccessible::updateAccessibility(&remove);
    }
    announceCaret();
}

void CInputChrWnd::announceCaret()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTextCursorEvent caret(this, spokenRow(row_).offsetOf(row_.caretIndex()));
    QAccessible::updateAccessibility(&caret);
}

void CInputChrWnd::selectText(int from, int to)
{
    if (from < 0 || from == to) {
        row_.clearSelection();
    } else {
        row_.MoveCaret(std::clamp(to, 0, row_.n()) - row_.caretIndex(), false);
        row_.setSelection(std::clamp(from, 0, row_.n()), row_.caretIndex());
    }
    update();
    announceCaret();
}

void CInputChrWnd::placeCaretAt(int index)
{
    row_.clearSelection();
    row_.MoveCaret(std::clamp(index, 0, row_.n()) - row_.caretIndex(), true);
    update();
    announceCaret();
}

QRect CInputChrWnd::characterRect(int index) const
{
    if (index < row_.firstVisible() || index >= row_.n())
        return {};
    const RowModel::TextRect text = textRect();
    const RowEntry &e = row_.entry(index);
    const int left = text.left + e.x - row_.entry(row_.firstVisible()).x;
    if (left >= text.right)
        return {};
    const int s = row_.typeInfo().scaleX;
    return QRect(left * s, text.top * s, std::min(e.width, text.right - left) * s, row_.height() * row_.typeInfo().scaleY);
}

int CInputChrWnd::characterAt(int xPixels) const
{
    return std::clamp(row_.firstVisible() + hitTest(xPixels), 0, row_.n());
}

RowModel::TextRect CInputChrWnd::textRect() const
{
    return row_.textRect(width(), height());
}

void CInputChrWnd::syncLayout()
{
    row_.setViewWidth(textRect().width());
}

void CInputChrWnd::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    syncLayout();
}

int CInputChrWnd::hitTest(int xPixels) const
{
    const int column = xPixels / row_.typeInfo().scaleX - textRect().left;
    return column < 0 ? 0 : row_.HitTest(column);
}

QRect CInputChrWnd::caretRect() const
{
    const RowModel::TextRect text = textRect();
    const int s = row_.typeInfo().scaleX;
    return QRect((text.left + row_.caretColumn()) * s, text.top * s, 2, row_.height() * s);
}

void CInputChrWnd::placeCaret()
{
    if (!hasFocus())
        return;
    caretVisible_ = true;
    caretBlink_.start(std::max(100, QApplication::cursorFlashTime() / 2), this);
    update();
}

void CInputChrWnd::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != caretBlink_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    caretVisible_ = !caretVisible_;
    update(caretRect());
}

void CInputChrWnd::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    placeCaret();
    emit focused(controlId_);
}

void CInputChrWnd::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    caretBlink_.stop();
    caretVisible_ = false;
    update();
}

void CInputChrWnd::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void CInputChrWnd::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const LedTypeInfo &info = row_.typeInfo();
    const bool enabled = isEnabled();
    const QColor frame = enabled ? kFrame : palette().color(QPalette::Disabled, QPalette::WindowText);
    const QColor background = enabled ? kBackground : palette().color(QPalette::Button);
    const QColor textArea = enabled ? QColor(Qt::white) : palette().color(QPalette::Button);

    painter.fillRect(rect(), background);
    painter.save();
    painter.scale(info.scaleX, info.scaleY);
    const int unitsWide = width() / info.scaleX;
    const int unitsHigh = height() / info.scaleY;
    painter.fillRect(QRect(0, 0, unitsWide, 1), frame);
    painter.fillRect(QRect(0, unitsHigh - 1, unitsWide, 1), frame);
    painter.fillRect(QRect(0, 0, 1, unitsHigh), frame);
    painter.fillRect(QRect(unitsWide - 1, 0, 1, unitsHigh), frame);

    const int n = row_.n();
    if (n > 0) {
        const RowModel::TextRect text = textRect();
        const int margin = row_.marginX();
        const int innerTop = 1, innerBottom = unitsHigh - 1;
        const int origin = row_.entry(row_.firstVisible()).x;
        if (enabled) {
            // Marks above and below the text tell the characters apart.
            const auto mark = [&](int left, int right, const QColor &colour) {
                right = std::min(right, text.right);
                if (right <= left)
                    return;
                painter.fillRect(QRect(left, innerTop, right - left, margin), colour);
                painter.fillRect(QRect(left, innerBottom - margin, right - left, margin), colour);
            };
            int x = text.left;
            for (int i = row_.firstVisible(); i < n && x < text.right; ++i) {
                const RowEntry &e = row_.entry(i);
                x = text.left + e.x - origin;
                mark(x, x + e.width, (i % 2) == 0 ? kEvenMark : kOddMark);
                x += e.width;
            }
            mark(x, text.right, kEmptyMark);
            painter.fillRect(QRect(innerTop, innerTop, text.left - 1, innerBottom - innerTop), kEmptyMark);
            painter.fillRect(QRect(text.right, innerTop, unitsWide - 1 - text.right, innerBottom - innerTop),
                             kEmptyMark);
        }
        painter.fillRect(QRect(text.left, text.top, text.width(), text.height()), textArea);

        // The row image: lit LEDs black, unlit white, selected characters inverted.
        const int columns = std::max(0, std::min(text.width(), row_.usedWidth() - origin));
        const int rows = std::min(text.height(), row_.height());
        if (columns > 0 && rows > 0) {
            QImage image(columns, rows, QImage::Format_Mono);
            image.setColor(0, qRgb(255, 255, 255));
            image.setColor(1, qRgb(0, 0, 0));
            image.fill(0);
            const MonoImage &source = row_.rowImage();
            for (int y = 0; y < rows; ++y) {
                uchar *line = image.scanLine(y);
                for (int c = 0; c < columns; ++c) {
                    if (source.pixel(origin + c, y))
                        line[c >> 3] |= uchar(0x80 >> (c & 7));
                }
            }
            if (row_.hasSelection()) {
                for (int i = row_.firstVisible(); i < n; ++i) {
                    if (!row_.isSelected(i))
                        continue;
                    const RowEntry &e = row_.entry(i);
                    const int from = e.x - origin, to = std::min(columns, from + e.width);
                    for (int y = 0; y < rows; ++y) {
                        uchar *line = image.scanLine(y);
                        for (int c = std::max(0, from); c < to; ++c)
                            line[c >> 3] ^= uchar(0x80 >> (c & 7));
                    }
                }
            }
            painter.drawImage(QRect(text.left, text.top, columns, rows), image);
        }
    }
    painter.restore();

    if (hasFocus() && caretVisible_) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(caretRect(), Qt::white);
    }
}

uint16_t CInputChrWnd::charCode(const QKeyEvent &event)
{
    const int key = event.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    default:
        break;
    }
    if (event.modifiers() & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return uint16_t(key - Qt::Key_A + 1);
        if (key == Qt::Key_BracketLeft)
            return 27;
        if (key == Qt::Key_Backslash)
            return 28;
        if (key == Qt::Key_BracketRight)
            return 29;
    }
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

bool CInputChrWnd::event(QEvent *event)
{
    if (event->type() == QEvent::InputMethod) {
        const QString commit = static_cast<QInputMethodEvent *>(event)->commitString();
        for (const QChar unit : commit)
            row_.TypeChar(unit.unicode());
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

QVariant CInputChrWnd::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // Input methods place their candidate window at the caret.
    if (query == Qt::ImCursorRectangle)
        return caretRect();
    if (query == Qt::ImEnabled)
        return true;
    return QWidget::inputMethodQuery(query);
}

void CInputChrWnd::keyPressEvent(QKeyEvent *event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        row_.MoveCaretKey(-1, shift);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        row_.MoveCaretKey(1, shift);
        return;
    case Qt::Key_Home:
        row_.MoveCaretKey(-100, shift);
        return;
    case Qt::Key_End:
        row_.MoveCaretKey(100, shift);
        return;
    case Qt::Key_Delete:
        row_.DeleteKey();
        return;
    case Qt::Key_Backtab:
        event->ignore();
        return;
    default:
        break;
    }

    // Every other key stays here, so Enter and Escape never reach the dialog.
    event->accept();
    const uint16_t code = charCode(*event);
    if (code == 0 || code == 9)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        switch (code) {
        case 3:
            OnCommand(rowcmd::kCopy);
            return;
        case 22:
            OnCommand(rowcmd::kPasteGlyphs);
            return;
        case 24:
            OnCommand(rowcmd::kCut);
            return;
        case 25:
            OnCommand(rowcmd::kRedo);
            return;
        case 26:
            OnCommand(rowcmd::kUndo);
            return;
        default:
            break;
        }
    }
    if (code == 8)
        row_.Backspace();
    else
        row_.TypeChar(code);
}

void CInputChrWnd::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int x = int(event->position().x());
    if (event->modifiers() & Qt::ShiftModifier) {
        const int before = row_.caretIndex();
        row_.MoveCaret(hitTest(x) - row_.caretOffset(), false);
        row_.setSelection(before, row_.caretIndex());
        update();
        return;
    }
    row_.MoveCaret(hitTest(x) - row_.caretOffset(), true);
    // A drag starts once the mouse has moved far enough; until then a click only
    // removes the selection. While the button is held the window has the mouse.
    dragPending_ = true;
    pressCaret_ = row_.caretIndex();
    pressPos_ = event->position().toPoint();
    if (row_.anchor() != -1) {
        row_.clearSelection();
        update();
    }
}

void CInputChrWnd::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (dragPending_ &&
        (event->position().toPoint() - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        dragPending_ = false;
        row_.setSelection(pressCaret_, pressCaret_);
    }
    if (row_.anchor() == -1)
        return;
    const int before = row_.selectionEnd();
    row_.MoveCaret(hitTest(int(event->position().x())) - row_.caretOffset(), false);
    row_.setSelection(row_.anchor(), row_.caretIndex());
    if (row_.selectionEnd() != before)
        update();
}

void CInputChrWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragPending_ = false;
    QWidget::mouseReleaseEvent(event);
}

void CInputChrWnd::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && row_.n() > 0)
        row_.SelectAll();
}

ClipboardContent CInputChrWnd::clipboardContent()
{
    ClipboardContent content;
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return content;
    const QString glyphMime = QString::fromLatin1(clipboard::kGlyphMime);
    if (data->hasFormat(glyphMime)) {
        content.hasGlyphs = true;
        if (auto records = parseGlyphBlock(data->data(glyphMime)))
            content.glyphs = std::move(*records);
    }
    if (data->hasText()) {
        content.hasText = true;
        content.text = data->text();
    }
    return content;
}

void CInputChrWnd::copy()
{
    const std::vector<ChrRecord> records = row_.SelectedRecords();
    if (records.empty())
        return;
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(clipboard::kGlyphMime), glyphBlock(records));
    data->setText(textOf(records));
    QApplication::clipboard()->setMimeData(data);
}

void CInputChrWnd::OnCommand(int command)
{
    switch (command) {
    case rowcmd::kUndo:
        if (row_.undoDepth() > 0)
            row_.Undo();
        break;
    case rowcmd::kRedo:
        if (row_.redoDepth() > 0)
            row_.Redo();
        break;
    case rowcmd::kCut:
        if (row_.hasSelection()) {
            copy();
            row_.CutSelection();
        }
        break;
    case rowcmd::kCopy:
        copy();
        break;
    case rowcmd::kPasteGlyphs:
        row_.Paste(clipboardContent(), true);
        break;
    case rowcmd::kPasteText:
        row_.Paste(clipboardContent(), false);
        break;
    case rowcmd::kDelete:
        row_.DeleteSelection();
        break;
    case rowcmd::kSelectAll:
        row_.SelectAll();
        break;
    case rowcmd::kInsertPicture:
        emit insertPictureAsked(controlId_);
        break;
    default:
        break;
    }
}

void CInputChrWnd::fillContextMenu(QMenu &menu)
{
    const LanguageRecord &language = languages_.current();
    const ClipboardContent clip = clipboardContent();
    const bool selection = row_.hasSelection();
    struct Item {
        int command;
        int text;  // index of the menu text
        bool enabled;
    };
    const Item items[] = {
        {rowcmd::kUndo, 0, row_.undoDepth() > 0},
        {rowcmd::kRedo, 1, row_.redoDepth() > 0},
        {0, 0, false},
        {rowcmd::kCut, 2, selection},
        {rowcmd::kCopy, 3, selection},
        {rowcmd::kPasteGlyphs, 4, clip.hasGlyphs},
        {rowcmd::kPasteText, 5, clip.hasText},
        {rowcmd::kDelete, 6, selection},
        {0, 0, false},
        {rowcmd::kSelectAll, 7, row_.canSelectAll()},
    };
    for (const Item &item : items) {
        if (item.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(fieldText(language.M[item.text]));
        action->setData(item.command);
        action->setObjectName(QStringLiteral("id%1").arg(item.command));
        action->setEnabled(item.enabled);
    }
    // A picture as LED columns, at the caret.
    menu.addSeparator();
    QAction *picture = menu.addAction(speaksChinese(language) ? QStringLiteral("插入图片…")
                                                              : QStringLiteral("Insert picture…"));
    picture->setData(rowcmd::kInsertPicture);
    picture->setObjectName(QStringLiteral("id%1").arg(rowcmd::kInsertPicture));
    picture->setEnabled(row_.canAppendBlankColumns());
}

namespace {

/// The picture file a drag carries: one local file that is not a project.
QString droppedPicture(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    const QString path = data->urls().constFirst().toLocalFile();
    return path.endsWith(QStringLiteral(".LDAT"), Qt::CaseInsensitive) ? QString() : path;
}

} // namespace

void CInputChrWnd::dragEnterEvent(QDragEnterEvent *event)
{
    // Projects go on to the window, which opens them.
    if (!droppedPicture(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CInputChrWnd::dropEvent(QDropEvent *event)
{
    const QString path = droppedPicture(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit pictureDropped(controlId_, path);
}

void CInputChrWnd::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.setAccessibleName(accessibleName().isEmpty() ? QStringLiteral("Row menu") : accessibleName() + QStringLiteral(" menu"));
    fillContextMenu(menu);
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                   : mapToGlobal(QPoint(5, 5));
    if (QAction *chosen = menu.exec(at))
        OnCommand(chosen->data().toInt());
}

} // namespace tessivo
