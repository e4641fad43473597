// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "glyphs/FontComboBox.h"

#include "ui/Pictures.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

namespace tessivo {

namespace {

constexpr int kEntryRole = Qt::UserRole + 1;
constexpr int kTextIndent = 22;

/// Paints a font name in its own face beside the TrueType or device picture.
class FontItemDelegate : public QStyledItemDelegate {
public:
    explicit FontItemDelegate(CFontComboBox *box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        QRect text = option.rect;
        if (const CFontInfo *info = box_->entry(index.row())) {
            const int picture = (info->fontType & fonttype::kTrueType) ? pictures::kFontTrueType
                                : (info->fontType & fonttype::kDevice) ? pictures::kFontDevice
                                                                       : 0;
            if (picture != 0) {
                const QRect place(text.left() + 2, text.center().y() - 7, 16, 16);
                painter->drawPixmap(place, pictures::picture(picture, place.size()));
            }
            text.setLeft(text.left() + kTextIndent);
            QFont font = QApplication::font();
            if (info->charSet != charset::kSymbol) {
                font.setFamilies({info->name});
                const int pixels = QFontInfo(QApplication::font()).pixelSize();
                font.setPixelSize(pixels + 4);
            }
            painter->setFont(font);
        }
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        const int line = QFontMetrics(QApplication::font()).height();
        return QSize(option.rect.width(), std::max(16, line + 4 + 2));
    }

private:
    CFontComboBox *box_;
};

} // namespace

CFontComboBox::CFontComboBox(QWidget *parent) : QComboBox(parent), list_(acquireFontList())
{
    setItemDelegate(new FontItemDelegate(this));
    fill();
}

void CFontComboBox::showPopup()
{
    // Names in their own, larger faces need more room than the closed box has; the
    // drop-down is made when it first opens.
    view()->setMinimumWidth(260);
    QComboBox::showPopup();
}

void CFontComboBox::setFontTypeMask(int mask)
{
    fontTypeMask_ = mask;
    fill();
}

void CFontComboBox::fill()
{
    const QSignalBlocker blocker(this);
    clear();
    // The list names each family once; here they are sorted by name without regard to
    // case, names that differ only in case in the order of the list. Sorted once, not
    // by inserting one at a time: a machine may have many hundreds of families.
    std::vector<std::pair<QString, size_t>> items;
    for (size_t i = 0; i < list_->size(); ++i)
        if ((*list_)[i].fontType & fontTypeMask_)
            items.emplace_back((*list_)[i].name, i);
    std::stable_sort(items.begin(), items.end(), [](const auto &a, const auto &b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto &[name, i] : items) {
        addItem(name);
        setItemData(count() - 1, qulonglong(i), kEntryRole);
    }
    setCurrentIndex(-1);
}

const CFontInfo *CFontComboBox::entry(int index) const
{
    const QVariant data = itemData(index, kEntryRole);
    if (!data.isValid())
        return nullptr;
    const size_t i = data.toULongLong();
    return i < list_->size() ? &(*list_)[i] : nullptr;
}

bool CFontComboBox::SelectFont(const QString &name)
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) == name) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

} // namespace tessivo
