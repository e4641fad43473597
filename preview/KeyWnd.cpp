// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preview/KeyWnd.h"

#include "document/MessageDocument.h"
#include "glyphs/SysFontGlyph.h"
#include "rows/Columns.h"
#include "rows/OwnAccessible.h"
#include "ui/Pictures.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace tessivo {

namespace {

constexpr QRgb kInk = qRgb(0, 0, 0);
constexpr QRgb kHotInk = qRgb(250, 50, 250);
const QColor kBackground(255, 255, 255);

/// A record's LEDs as a picture: lit pixels in the ink, unlit ones see-through; the
/// 7-LED type's glyphs twice as large.
QImage glyphPicture(const ChrRecord &record, QRgb ink, int scale)
{
    const int width = std::clamp(int(record.width), 0, kColumnBytes);
    const int height = std::clamp(int(record.height), 0, glyphlimit::kMaxHeight);
    MonoImage dots(std::max(width, 1), std::max(height, 1));
    DrawColumns(dots, 0, 0, width, height, width, height, record.columns);
    QImage picture(width * scale, height * scale, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dots.pixel(x, y))
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        picture.setPixel(x * scale + dx, y * scale + dy, ink);
    return picture;
}

/// One key as a screen reader sees it: a button named after its glyph, which can take
/// the focus and be pressed.
class KeyAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    KeyAccessible(CKeyWnd *keys, int k) : keys_(keys), k_(k) {}
    bool isValid() const override { return keys_ && k_ < keys_->keyboard().keyCount(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return keys_ ? keys_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return keys_ ? QAccessible::queryAccessibleInterface(keys_) : nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? keys_->keyName(k_) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return isValid() ? keys_->keyScreenRect(k_) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        if (!isValid())
            return state;
        state.invisible = keys_->keyScreenRect(k_).isEmpty();
        state.offscreen = state.invisible;
        state.focused = keys_->hasFocus() && keys_->keyboard().focusKey() == k_;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString &name) override
    {
        if (!isValid())
            return;
        if (name == pressAction())
            keys_->pressKey(k_);
        else if (name == setFocusAction())
            keys_->focusKey(k_);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<CKeyWnd> keys_;
    int k_;
};

/// The keyboard: a grid of keys (its children), then its scroll bar.
class KeyboardAccessible : public QAccessibleWidget {
public:
    explicit KeyboardAccessible(CKeyWnd *keys) : QAccessibleWidget(keys, QAccessible::Grouping) {}
    ~KeyboardAccessible() override { clearKeys(); }
    int childCount() const override { return keyCount() + QAccessibleWidget::childCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0)
            return nullptr;
        if (index >= keyCount())
            return QAccessibleWidget::child(index - keyCount());
        // One interface a key, made when first asked for and kept until the keys change.
        if (ids_.size() != size_t(keyCount()))
            clearKeys(), ids_.assign(size_t(keyCount()), 0);
        QAccessible::Id &id = ids_[size_t(index)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new KeyAccessible(keys(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (size_t k = 0; k < ids_.size(); ++k)
            if (ids_[k] != 0 && QAccessible::accessibleInterface(ids_[k]) == child)
                return int(k);
        const int other = QAccessibleWidget::indexOfChild(child);
        return other < 0 ? -1 : other + keyCount();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const int k = keys()->keyboard().HitTest(keys()->mapFromGlobal(QPoint(x, y)) - keys()->contentsRect().topLeft());
        return k >= 0 ? child(k) : QAccessibleWidget::childAt(x, y);
    }
    QAccessibleInterface *focusChild() const override
    {
        const int k = keys()->keyboard().focusKey();
        return keys()->hasFocus() && k >= 0 && k < keyCount() ? child(k) : nullptr;
    }
    /// The keys were filled anew: the interfaces of the old ones go.
    void clearKeys() const
    {
        for (const QAccessible::Id id : ids_)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        ids_.clear();
    }

private:
    CKeyWnd *keys() const { return static_cast<CKeyWnd *>(widget()); }
    int keyCount() const { return keys()->keyboard().keyCount(); }
    mutable std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface *keyboardAccessibleFactory(const QString &, QObject *object)
{
    if (auto *keys = qobject_cast<CKeyWnd *>(object))
        return new KeyboardAccessible(keys);
    return nullptr;
}

} // namespace

CKeyWnd::CKeyWnd(const MessageDocument &document, QWidget *parent)
    : QFrame(parent), document_(document), scrollBar_(new QScrollBar(Qt::Vertical, this))
{
    installAccessibility();
    setObjectName(QStringLiteral("id%1").arg(kControlId));
    setAccessibleName(QStringLiteral("Character keyboard"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches the keys; the arrows move among them, Enter or Space picks one.
    setFocusPolicy(Qt::StrongFocus);
    scrollBar_->setObjectName(QStringLiteral("id%1").arg(kScrollBarId));
    scrollBar_->setAccessibleName(QStringLiteral("Keys"));
    // The keys take the focus; the bar is for the mouse (the arrows and Page keys scroll).
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CKeyWnd::onScroll);

    connect(&document_, &MessageDocument::ledTypeChanged, this,
            [this](int type) { FillKeys(255, type); });
    connect(&document_, &MessageDocument::glyphSourceChanged, this,
            [this] { FillKeys(255, document_.ledType()); });
    FillKeys(255, document_.ledType());
}

void CKeyWnd::installAccessibility()
{
    installAccessibleFactory(&keyboardAccessibleFactory);
}

void CKeyWnd::FillKeys(int maxCode, int ledType)
{
    const GlyphSource source = document_.glyphSource();
    // The same keys again (a new LED type that is the old one) need no new lookups.
    if (filled_ && filledSource_ == source && filledType_ == ledType && filledMaxCode_ == maxCode)
        return;
    filled_ = true;
    filledSource_ = source;
    filledType_ = ledType;
    filledMaxCode_ = maxCode;
    const LedTypeInfo type = document_.ledTypes()[ledType];
    const KeyLookup lookup = keyLookupFor(
        [&](uint16_t code, ChrRecord &record) { return GetGlyph(source, code, type, record); }, !source.userFont,
        [&](uint16_t code) { return faceHasOwnGlyph(source.face, ledType, code); });
    keyboard_.Fill(tessivo::FillKeys(maxCode, lookup), ledType);
    if (KeyboardAccessible *grid = ownAccessible<KeyboardAccessible>(this))
        grid->clearKeys();
    renderGlyphs();
    // As a new size does: the grid, the lines that fit, the scroll bar, the first line.
    keyboard_.Resize(contentsRect().width(), contentsRect().height());
    syncScrollBar();
    update();
}

void CKeyWnd::renderGlyphs()
{
    // Each key's pictures are drawn when the key is first painted.
    for (auto &pictures : glyphs_)
        pictures.assign(size_t(keyboard_.keyCount()), QImage());
}

const QPixmap &CKeyWnd::faceOf(int look)
{
    if (faces_[look].isNull())
        faces_[look] = pictures::picture(look == 0 ? pictures::kKeyNormal : pictures::kKeyHot,
                                         QSize(keys::kSize, keys::kSize));
    return faces_[look];
}

const QImage &CKeyWnd::glyphOf(int k, int look)
{
    QImage &picture = glyphs_[look][size_t(k)];
    if (picture.isNull()) {
        const int scale = keyboard_.ledType() == ledtype::k7 ? 2 : 1;
        picture = glyphPicture(keyboard_.keys()[size_t(k)], look == 0 ? kInk : kHotInk, scale);
    }
    return picture;
}

void CKeyWnd::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    const QRect client = contentsRect();
    scrollBar_->setGeometry(client.right() + 1 - keys::kScrollBarWidth, client.top(), keys::kScrollBarWidth,
                            client.height());
    keyboard_.Resize(client.width(), client.height());
    syncScrollBar();
}

void CKeyWnd::syncScrollBar()
{
    const QSignalBlocker blocker(scrollBar_);
    // The thumb at the bottom shows the last line at the bottom, as the wheel and the
    // arrows do.
    scrollBar_->setRange(0, keyboard_.lastTopLine());
    scrollBar_->setPageStep(std::max(1, keyboard_.visibleLines()));
    scrollBar_->setSingleStep(1);
    scrollBar_->setValue(keyboard_.topLine());
    scrollBar_->setEnabled(keyboard_.scrollBarEnabled());
}

void CKeyWnd::onScroll(int action)
{
    keys::Scroll what = keys::Scroll::Other;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: what = keys::Scroll::LineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: what = keys::Scroll::LineDown; break;
    case QAbstractSlider::SliderPageStepSub: what = keys::Scroll::PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: what = keys::Scroll::PageDown; break;
    case QAbstractSlider::SliderMove: what = keys::Scroll::ThumbTrack; break;
    default: break;
    }
    const bool moved = keyboard_.Scroll(what, scrollBar_->sliderPosition());
    scrollBar_->setSliderPosition(keyboard_.topLine());
    if (moved)
        update();
}

QPoint CKeyWnd::clientPoint(const QPointF &position) const
{
    return position.toPoint() - contentsRect().topLeft();
}

QPoint CKeyWnd::keyCentre(int k) const
{
    const QRect cell = keyboard_.cellRect(k);
    return cell.isEmpty() ? QPoint(-1, -1) : cell.center() + contentsRect().topLeft();
}

void CKeyWnd::redraw(const std::vector<int> &keys)
{
    for (int k : keys) {
        const QRect cell = keyboard_.cellRect(k);
        if (!cell.isEmpty())
            update(cell.translated(contentsRect().topLeft()));
    }
}

void CKeyWnd::mouseMoveEvent(QMouseEvent *event)
{
    redraw(keyboard_.MouseMove(clientPoint(event->position())));
}

void CKeyWnd::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        redraw(keyboard_.MousePress(clientPoint(event->position())));
}

void CKeyWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    std::vector<int> changed;
    const int picked = keyboard_.MouseRelease(clientPoint(event->position()), changed);
    redraw(changed);
    pick(picked);
}

void CKeyWnd::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    redraw(keyboard_.MouseLeave());
}

QString CKeyWnd::keyName(int k) const
{
    if (k < 0 || k >= keyboard_.keyCount())
        return {};
    const ChrRecord &key = keyboard_.keys()[size_t(k)];
    if (key.kind == glyphkind::kSymbol || key.code < 32)
        return QStringLiteral("Symbol %1").arg(key.code);
    if (key.code == ' ')
        return QStringLiteral("Space");
    return QString(QChar(key.code));
}

QRect CKeyWnd::keyScreenRect(int k) const
{
    const QRect cell = keyboard_.cellRect(k);
    if (cell.isEmpty())
        return {};
    return QRect(mapToGlobal(cell.topLeft() + contentsRect().topLeft()), cell.size());
}

void CKeyWnd::pick(int k)
{
    if (k >= 0 && k < keyboard_.keyCount())
        emit keyPicked(keyboard_.keys()[size_t(k)]);
}

void CKeyWnd::pressKey(int k)
{
    pick(k);
}

void CKeyWnd::showFocusMove(int topBefore, const std::vector<int> &changed)
{
    redraw(changed);
    if (keyboard_.topLine() != topBefore) {
        syncScrollBar();
        update();
    }
}

void CKeyWnd::focusKey(int k)
{
    const int top = keyboard_.topLine();
    showFocusMove(top, keyboard_.SetFocusKey(k));
    if (hasFocus())
        announceFocus();
    else
        setFocus(Qt::OtherFocusReason);  // focusInEvent announces it
}

void CKeyWnd::announceFocus()
{
    const int k = keyboard_.focusKey();
    if (!QAccessible::isActive() || k < 0 || !hasFocus())
        return;
    if (KeyboardAccessible *grid = ownAccessible<KeyboardAccessible>(this))
        if (QAccessibleInterface *key = grid->child(k)) {
            QAccessibleEvent focus(key, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
}

void CKeyWnd::keyPressEvent(QKeyEvent *event)
{
    int dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        pick(keyboard_.focusKey());
        return;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    const int top = keyboard_.topLine();
    showFocusMove(top, keyboard_.MoveFocus(dx, dy));
    announceFocus();
}

void CKeyWnd::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    if (keyboard_.focusKey() < 0)
        redraw(keyboard_.MoveFocus(0, 0));
    else
        redraw({keyboard_.focusKey()});
    announceFocus();
}

void CKeyWnd::focusOutEvent(QFocusEvent *event)
{
    QFrame::focusOutEvent(event);
    redraw({keyboard_.focusKey()});
}

void CKeyWnd::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect client = contentsRect();
    painter.fillRect(client.adjusted(0, 0, -keys::kScrollBarWidth, 0), kBackground);
    painter.translate(client.topLeft());
    const int count = keyboard_.keyCount();
    const int lastLine = std::min(keyboard_.topLine() + keyboard_.visibleLines(), keyboard_.lineCount());
    for (int line = keyboard_.topLine(); line < lastLine; ++line) {
        for (int column = 0; column < keys::kPerLine; ++column) {
            const int k = line * keys::kPerLine + column;
            if (k >= count)
                break;
            const QRect cell = keyboard_.cellRect(k);
            const int look = k == keyboard_.litKey() ? 1 : 0;
            painter.drawPixmap(cell.topLeft(), faceOf(look));
            const QImage &glyph = glyphOf(k, look);
            painter.drawImage(cell.topLeft() + QPoint((keys::kSize - glyph.width()) / 2,
                                                      (keys::kSize - glyph.height()) / 2),
                              glyph);
            if (k == keyboard_.focusKey() && hasFocus()) {
                // The keyboard's focus: a dotted frame just inside the key's face.
                painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(cell.adjusted(2, 2, -3, -3));
            }
        }
    }
}

} // namespace tessivo
