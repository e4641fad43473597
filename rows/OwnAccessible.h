// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The accessible interface a screen reader gets for one of our widgets must be the one
// we wrote for it. Qt caches the first interface it makes for an object: one made before
// our factory applied (a name set while the widget was being built, with a screen reader
// already listening) is Qt's plain widget interface. These helpers find ours, and throw
// such a stray one out of the cache so that the next question goes through the factory.

#include <QAccessible>
#include <QList>
#include <QObject>
#include <QString>

#include <algorithm>

namespace tessivo {

/// Our interface of type Ours for object, or nullptr while no screen reader listens.
/// Never casts an interface that is not of that type.
template <class Ours>
Ours *ownAccessible(QObject *object)
{
    if (!QAccessible::isActive() || object == nullptr)
        return nullptr;
    QAccessibleInterface *found = QAccessible::queryAccessibleInterface(object);
    if (auto *ours = dynamic_cast<Ours *>(found))
        return ours;
    if (found != nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(found));
        return dynamic_cast<Ours *>(QAccessible::queryAccessibleInterface(object));
    }
    return nullptr;
}

/// The part of `all` from startOffset to endOffset (-1: to the end) that a text
/// interface answers, the offsets kept within the text.
inline QString accessibleTextRange(const QString &all, int startOffset, int endOffset)
{
    startOffset = std::clamp(startOffset, 0, int(all.size()));
    endOffset = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, startOffset, int(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
}

/// Installs factory once, however often it is asked (each widget asks before its
/// first name or state is set; start-up asks before the first widget is made).
inline void installAccessibleFactory(QAccessible::InterfaceFactory factory)
{
    static QList<QAccessible::InterfaceFactory> installed;
    if (!installed.contains(factory)) {
        installed.append(factory);
        QAccessible::installFactory(factory);
    }
}

} // namespace tessivo
