// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window as a person sees it: rendered in English and Chinese with filled rows.

#include "support/DialogFixture.h"

#include "glyphs/FontComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QRadioButton>

namespace tessivo::test {
namespace {

class DialogLook : public DialogFixture {};

void fillRows(DialogFixture &, CTessivoDlg &dialog)
{
    const QString texts[] = {QStringLiteral("Hello, world!"), QStringLiteral("Tessivo 2026"),
                             QString::fromUtf16(u"你好世界"), QStringLiteral("LED fan")};
    for (int k = 0; k < 4; ++k) {
        dialog.rowWindow(k)->setFocus();
        DialogFixture::typeInto(dialog.rowWindow(k), texts[k]);
    }
    dialog.findChild<QComboBox *>(QStringLiteral("id4002"))->setCurrentIndex(3);
    dialog.findChild<QComboBox *>(QStringLiteral("id5003"))->setCurrentIndex(5);
    dialog.rowWindow(1)->row().setSelection(0, 7);
}

TEST_F(DialogLook, RendersInEnglishAndChinese)
{
    for (int language : {0, 1}) {
        settings.languages.setCurrentIndex(language);
        document.ChangeLedType(language == 0 ? ledtype::k16 : ledtype::k7, true);  // both row widths
        makeDialog();
        fillRows(*this, *dialog);
        QApplication::processEvents();  // what follows the typing at the next turn of the loop
        const QImage picture = dialog->grab().toImage();
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), dialog->size() * picture.devicePixelRatio());
        if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
            picture.save(QString::fromLocal8Bit(out) +
                         (language == 0 ? "/main-window-en.png" : "/main-window-zh.png"));
    }
}

TEST_F(DialogLook, RowsOfEveryType)
{
    for (int type : {ledtype::k7, ledtype::k11, ledtype::k16}) {
        document.ChangeLedType(type, true);
        dialog->LayoutRows();
        DialogFixture::typeInto(rowWindow(0), QString::fromUtf16(u"Ab中9"));
        rowWindow(0)->row().setSelection(1, 2);
        const QImage row = rowWindow(0)->grab().toImage();
        EXPECT_EQ(row.width(), rowWindow(0)->width());
        if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
            row.scaled(row.size() * 3).save(QString::fromLocal8Bit(out) + QStringLiteral("/row-%1.png").arg(type));
    }
}

TEST_F(DialogLook, FontListShowsNamesInTheirOwnFaces)
{
    control<QRadioButton>(1035)->click();
    auto *fonts = control<CFontComboBox>(1039);
    ASSERT_TRUE(fonts->isEnabled());
    fonts->showPopup();
    QApplication::processEvents();
    const QImage popup = fonts->view()->window()->grab().toImage();
    EXPECT_FALSE(popup.isNull());
    if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty()) {
        popup.save(QString::fromLocal8Bit(out) + "/font-list.png");
        dialog->grab().save(QString::fromLocal8Bit(out) + "/main-window-sysfont.png");
    }
    fonts->hidePopup();
}

TEST_F(DialogLook, EffectListsShowEveryTextWholeWhenOpen)
{
    for (int language : {0, 1}) {
        settings.setLanguage(language);
        for (int base : {4001, 4101, 5001}) {
            // The drop-down takes its width when it opens.
            auto *list = control<QComboBox>(base);
            list->showPopup();
            const QFontMetrics metrics(list->view()->font());
            for (int i = 0; i < list->count(); ++i)
                EXPECT_GT(list->view()->minimumWidth(), metrics.horizontalAdvance(list->itemText(i)))
                    << base << " " << list->itemText(i).toStdString();
            list->hidePopup();
        }
        // The closing list of row 1, open over the window.
        auto *closing = control<QComboBox>(5001);
        closing->showPopup();
        QApplication::processEvents();
        QWidget *popup = closing->view()->window();
        EXPECT_GE(popup->width(), closing->view()->minimumWidth());
        if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty()) {
            QImage shot = dialog->grab().toImage();
            QPainter painter(&shot);
            painter.drawImage(dialog->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab().toImage());
            painter.end();
            shot.save(QString::fromLocal8Bit(out) + (language == 0 ? "/effect-list-en.png" : "/effect-list-zh.png"));
        }
        closing->hidePopup();
    }
}

TEST_F(DialogLook, AboutBoxFromF1AndTheLogo)
{
    QStringList titles;
    const auto answerAbout = [&titles] {
        QTimer::singleShot(0, [&titles] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_TRUE(box);
            titles << box->windowTitle();
            EXPECT_TRUE(box->findChild<QLabel *>());
            if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
                box->grab().save(QString::fromLocal8Bit(out) + "/about.png");
            static_cast<QDialog *>(box)->accept();
        });
    };
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    answerAbout();
    QTest::keyClick(dialog.get(), Qt::Key_F1);
    EXPECT_EQ(titles.size(), 1);
    answerAbout();
    QTest::mouseClick(control<QLabel>(1025), Qt::LeftButton);
    EXPECT_EQ(titles.size(), 2);
    // F1 works wherever the focus is, in a row too (which takes every other key).
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    rowWindow(0)->setFocus();
    answerAbout();
    QTest::keyClick(rowWindow(0), Qt::Key_F1);
    EXPECT_EQ(titles, QStringList(3, QString::fromUtf16(u"关于 Tessivo")));
    EXPECT_EQ(rowWindow(0)->rowText(), "");
}

} // namespace
} // namespace tessivo::test
