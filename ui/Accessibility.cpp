// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>

namespace tessivo {

namespace {

constexpr char kGaugeProperty[] = "tessivoGauge";

/// A drop-down list: its name is what it is for ("Row 1 opening effect"), its value
/// the item it shows; pressing it opens the list.
class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return list()->accessibleName();
        case QAccessible::Value: return list()->currentText();
        default: return QAccessibleWidget::text(t);
        }
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

/// A label that measures something: named for it, its text the value.
class GaugeAccessible : public QAccessibleWidget {
public:
    explicit GaugeAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::Indicator) {}
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return widget()->accessibleName();
        case QAccessible::Value: return static_cast<QLabel *>(widget())->text();
        case QAccessible::Description: return widget()->toolTip();
        default: return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *list = qobject_cast<QComboBox *>(object); list && !list->accessibleName().isEmpty())
        return new NamedListAccessible(list);
    if (auto *label = qobject_cast<QLabel *>(object); label && label->property(kGaugeProperty).toBool())
        return new GaugeAccessible(label);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    (void)installed;
}

void markAsGauge(QWidget *label)
{
    label->setProperty(kGaugeProperty, true);
}

} // namespace tessivo
