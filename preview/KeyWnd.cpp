#include "preview/KeyWnd.h"

#include "document/MessageDocument.h"
#include "rows/Columns.h"
#include "ui/Pictures.h"

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

} // namespace

CKeyWnd::CKeyWnd(const MessageDocument &document, QWidget *parent)
    : QFrame(parent), document_(document), scrollBar_(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("id%1").arg(kControlId));
    setAccessibleName(QStringLiteral("Character keyboard"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    scrollBar_->setObjectName(QStringLiteral("id%1").arg(kScrollBarId));
    scrollBar_->setAccessibleName(QStringLiteral("Keys"));
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CKeyWnd::onScroll);
    faces_[0] = pictures::picture(pictures::kKeyNormal, QSize(keys::kSize, keys::kSize));
    faces_[1] = pictures::picture(pictures::kKeyHot, QSize(keys::kSize, keys::kSize));

    connect(&document_, &MessageDocument::ledTypeChanged, this,
            [this](int type) { FillKeys(255, type); });
    connect(&document_, &MessageDocument::glyphSourceChanged, this,
            [this] { FillKeys(255, document_.ledType()); });
    FillKeys(255, document_.ledType());
}

void CKeyWnd::FillKeys(int maxCode, int ledType)
{
    const GlyphSource source = document_.glyphSource();
    const LedTypeInfo type = document_.ledTypes()[ledType];
    keyboard_.Fill(tessivo::FillKeys(maxCode, [&](uint16_t code, ChrRecord &record) {
        return GetGlyph(source, code, type, record);
    }), ledType);
    renderGlyphs();
    // As a new size does: the grid, the lines that fit, the scroll bar, the first line.
    keyboard_.Resize(contentsRect().width(), contentsRect().height());
    syncScrollBar();
    update();
}

void CKeyWnd::renderGlyphs()
{
    const int scale = keyboard_.ledType() == ledtype::k7 ? 2 : 1;
    for (int look = 0; look < 2; ++look) {
        glyphs_[look].clear();
        for (const ChrRecord &key : keyboard_.keys())
            glyphs_[look].push_back(glyphPicture(key, look == 0 ? kInk : kHotInk, scale));
    }
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
    scrollBar_->setRange(0, std::max(0, keyboard_.lineCount() - 1));
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
    if (picked >= 0)
        emit keyPicked(keyboard_.keys()[size_t(picked)]);
}

void CKeyWnd::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    redraw(keyboard_.MouseLeave());
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
            painter.drawPixmap(cell.topLeft(), faces_[look]);
            const QImage &glyph = glyphs_[look][size_t(k)];
            painter.drawImage(cell.topLeft() + QPoint((keys::kSize - glyph.width()) / 2,
                                                      (keys::kSize - glyph.height()) / 2),
                              glyph);
        }
    }
}

} // namespace tessivo
