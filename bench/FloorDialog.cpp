// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor of start-up: a bare Qt Widgets dialog of the main window's size with as many
// standard controls as it has (12 line edits, 24 lists, 8 buttons) that shows itself
// and, with TESSIVO_EXIT_WHEN_SHOWN set, quits as soon as it is up.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace {

class FloorDialog : public QDialog {
public:
    FloorDialog()
    {
        setWindowTitle(QStringLiteral("USB DATA DOWNLOAD SYSTEM "));
        setFixedSize(817, 618);
        for (int row = 0; row < 12; ++row) {
            auto *text = new QLineEdit(this);
            text->setGeometry(40, 100 + row * 27, 156, 24);
            for (int column = 0; column < 2; ++column) {
                auto *list = new QComboBox(this);
                list->setGeometry(240 + column * 170, 100 + row * 27, 160, 24);
                for (const char *item : {"Left to Right", "Right to Left", "Up to Down", "Down to Up",
                                         "From middle to two nearby", "All display", "From right to left"})
                    list->addItem(QString::fromLatin1(item));
            }
        }
        for (int button = 0; button < 8; ++button) {
            auto *push = new QPushButton(QStringLiteral("Button %1").arg(button + 1), this);
            push->setGeometry(20 + button * 90, 20, 80, 40);
        }
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QDialog::showEvent(event);
        if (qEnvironmentVariableIsSet("TESSIVO_EXIT_WHEN_SHOWN"))
            QTimer::singleShot(0, this, [this] { done(QDialog::Accepted); });
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    FloorDialog dialog;
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
