// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MessageBox.h"

#include "ui/DialogUnits.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace tessivo {
namespace {

MessageBoxHandler &handler()
{
    static MessageBoxHandler current;
    return current;
}

constexpr int kNarrowBelow = 16;  // OK boxes with shorter texts are narrowed

/// A box's icon, by the icon bits of its style: the picture, the platform box's icon
/// and what a screen reader calls it.
struct BoxIcon {
    QStyle::StandardPixmap picture;
    QMessageBox::Icon platform;
    const char *name;
};

BoxIcon boxIcon(unsigned style)
{
    switch (style & 0xF0) {
    case mb::kIconStop: return {QStyle::SP_MessageBoxCritical, QMessageBox::Critical, "Error"};
    case mb::kIconQuestion: return {QStyle::SP_MessageBoxQuestion, QMessageBox::Question, "Question"};
    case mb::kIconExclamation: return {QStyle::SP_MessageBoxWarning, QMessageBox::Warning, "Warning"};
    default: return {QStyle::SP_MessageBoxInformation, QMessageBox::Information, "Information"};
    }
}

} // namespace

CMessageBox::CMessageBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id180"));
    setWindowTitle(QStringLiteral("Tessivo"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    setFont(font);

    const DialogUnits du(font);
    resize(du.x(141), du.y(54));
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("id1050"));
    icon_->setGeometry(du.rect(7, 6, 16, 16));
    icon_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("id1051"));
    label_->setGeometry(du.rect(31, 6, 102, 24));
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    first_ = new QPushButton(QStringLiteral("YES"), this);
    first_->setObjectName(QStringLiteral("id1048"));
    first_->setGeometry(du.rect(7, 33, 38, 14));
    middle_ = new QPushButton(QStringLiteral("OK"), this);
    middle_->setObjectName(QStringLiteral("id1049"));
    middle_->setGeometry(du.rect(55, 33, 35, 14));
    middle_->setDefault(true);
    third_ = new QPushButton(QStringLiteral("Cancel"), this);
    third_->setObjectName(QStringLiteral("id3"));
    third_->setGeometry(du.rect(99, 33, 34, 14));

    connect(first_, &QPushButton::clicked, this, [this] { done(mb::kIdYes); });
    connect(middle_, &QPushButton::clicked, this,
            [this] { done(buttonSet() == mb::kYesNoCancel ? mb::kIdNo : mb::kIdOk); });
    connect(third_, &QPushButton::clicked, this, [this] { done(mb::kIdCancel); });
}

void CMessageBox::prepare()
{
    // Narrowing twice would shrink the box again: the layout is made once.
    if (prepared_)
        return;
    prepared_ = true;
    label_->setText(text_);
    label_->setAccessibleName(text_);
    if (buttonSet() == mb::kYesNoCancel) {
        first_->setText(QStringLiteral("&Yes"));
        middle_->setText(QStringLiteral("&No"));
        third_->setText(QStringLiteral("&Cancel"));
        first_->show();
        third_->show();
        // Enter keeps the work: Yes is the default answer, and has the focus.
        middle_->setDefault(false);
        first_->setDefault(true);
        first_->setFocus(Qt::OtherFocusReason);
    } else {
        first_->hide();
        third_->hide();
        if (text_.size() < kNarrowBelow) {
            const int oldWidth = width();
            resize(oldWidth * 2 / 3, height());
            middle_->move(middle_->x() - oldWidth / 3 / 2, middle_->y());
        }
    }
    const BoxIcon icon = boxIcon(style_);
    icon_->setPixmap(QApplication::style()->standardIcon(icon.picture).pixmap(icon_->width(), icon_->width()));
    icon_->setAccessibleName(QString::fromLatin1(icon.name));
    // A text longer than the label holds makes the box taller, never cut.
    const int needed = label_->heightForWidth(label_->width());
    if (needed > label_->height()) {
        const int extra = needed - label_->height();
        label_->resize(label_->width(), needed);
        for (QPushButton *button : {first_, middle_, third_})
            button->move(button->x(), button->y() + extra);
        resize(width(), height() + extra);
    }
    setFixedSize(size());

    // Centred over the owner, or over the screen without one.
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = owner ? owner->frameGeometry()
                             : (screen() ? screen()->availableGeometry() : QRect(0, 0, 800, 600));
    move(area.center() - rect().center());
}

int CMessageBox::exec()
{
    prepare();
    return QDialog::exec();
}

void CMessageBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        done(mb::kIdCancel);
        return;
    }
    // The question asks for Y or N: the plain keys answer it, as C cancels.
    if (buttonSet() == mb::kYesNoCancel && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        switch (event->key()) {
        case Qt::Key_Y: done(mb::kIdYes); return;
        case Qt::Key_N: done(mb::kIdNo); return;
        case Qt::Key_C: done(mb::kIdCancel); return;
        default: break;
        }
    }
    QDialog::keyPressEvent(event);
}

void CMessageBox::reject()
{
    // The close box: Cancel for the question, OK for a report.
    done(buttonSet() == mb::kYesNoCancel ? mb::kIdCancel : mb::kIdOk);
}

int ShowMessage(const QString &text, QWidget *parent, unsigned style)
{
    if (handler())
        return handler()(text, style);
    CMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setText(text);
    box.setStyle(style);
    return box.exec();
}

int ShowPlatformMessage(const QString &text, const QString &caption, QWidget *parent, unsigned style)
{
    if (handler())
        return handler()(text, style);
    QMessageBox box(boxIcon(style).platform, caption, text, QMessageBox::Ok, parent);
    box.exec();
    return mb::kIdOk;
}

void EnableControls(QWidget *parent, const int (&ids)[6], bool enable)
{
    if (!parent)
        return;
    for (int id : ids) {
        QWidget *control = parent->findChild<QWidget *>(QStringLiteral("id%1").arg(id));
        if (control && control->isEnabled() != enable)
            control->setEnabled(enable);
    }
}

void setMessageBoxHandler(MessageBoxHandler newHandler) { handler() = std::move(newHandler); }

} // namespace tessivo
