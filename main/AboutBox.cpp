// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main/AboutBox.h"

#include "ui/DialogUnits.h"
#include "ui/Pictures.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace tessivo {

void ShowAboutBox(QWidget *parent)
{
    QDialog about(parent);
    about.setObjectName(QStringLiteral("id100"));
    about.setWindowTitle(QStringLiteral("关于 Tessivo"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    about.setFont(font);
    const DialogUnits du(font);
    about.setFixedSize(du.x(163), du.y(67));
    auto *icon = new QLabel(&about);
    icon->setGeometry(du.rect(11, 17, 21, 20));
    icon->setPixmap(pictures::picture(pictures::kIcon, icon->size()));
    icon->setAccessibleName(QStringLiteral("Tessivo icon"));
    auto *text = new QLabel(QStringLiteral("Tessivo，V2.0"), &about);
    text->setGeometry(du.rect(40, 25, 119, 8));
    auto *ok = new QPushButton(QStringLiteral("确定"), &about);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setGeometry(du.rect(113, 41, 50, 14));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
    about.exec();
}

} // namespace tessivo
