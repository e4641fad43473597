// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Accessibility.h"

#include "rows/OwnAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

namespace tessivo {

namespace {

constexpr char kGaugeProperty[] = "tessivoGauge";

/// A drop-down list: its name is what it is for ("Row 1 opening effect"), its value
/// the item it shows, its child the list of its items (the one shown selected);
/// pressing it opens the list.
class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return list()->accessibleName().isEmpty() ? list()->currentText() : list()->accessibleName();
        case QAccessible::Value: return list()->currentText();
        default: return QAccessibleWidget::text(t);
        }
    }
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction(), setFocusAction()}; }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction() || name == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

/// A label that measures something: static text named for what it measures, its
/// shown text its value and its text.
class GaugeAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit GaugeAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return widget()->accessibleName();
        case QAccessible::Value: return shown();
        case QAccessible::Description: return widget()->toolTip();
        default: return QAccessibleWidget::text(t);
        }
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        return accessibleTextRange(shown(), startOffset, endOffset);
    }
    int characterCount() const override { return int(shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString shown() const { return static_cast<QLabel *>(widget())->text(); }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *list = qobject_cast<QComboBox *>(object))
        return new NamedListAccessible(list);
    if (auto *label = qobject_cast<QLabel *>(object); label && label->property(kGaugeProperty).toBool())
        return new GaugeAccessible(label);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    installAccessibleFactory(&factory);
}

void markAsGauge(QWidget *label)
{
    label->setProperty(kGaugeProperty, true);
    // A screen reader that already asked about the label got Qt's plain interface.
    ownAccessible<GaugeAccessible>(label);
}

} // namespace tessivo
