// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window as a desktop user meets it: where the first key goes, the save
// question's keys, the standard shortcuts, the title, and projects dropped on the window.

#include "support/DialogFixture.h"

#include "document/ProjectFile.h"
#include "rows/InputChrWnd.h"
#include "support/FileTraps.h"
#include "ui/MessageBox.h"

#include <QFileInfo>
#include <QImageReader>

#include <QAccessible>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace tessivo::test {
namespace {

class MainWindowUsability : public DialogFixture {
protected:
    /// A key as the window system delivers it to whatever has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        (void)text;
    }
    QString shownTitle() const
    {
        QString title = dialog->windowTitle();
        return title.replace(QStringLiteral("[*]"), dialog->isWindowModified() ? QStringLiteral("*") : QString());
    }
};

TEST_F(MainWindowUsability, TheFirstKeyTypedLandsInRowOne)
{
    QApplication::setActiveWindow(dialog.get());
    EXPECT_EQ(QApplication::focusWidget(), rowWindow(0));
    typeInto(QApplication::focusWidget(), QStringLiteral("Hi"));
    EXPECT_EQ(rowWindow(0)->rowText(), "Hi");
    // Enter in the row stays there: the window does not close.
    QTest::keyClick(rowWindow(0), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowUsability, OpenSaveAndExitHaveTheirStandardKeysEvenInARow)
{
    type(0, QStringLiteral("ab"));
    rowWindow(0)->setFocus();
    QApplication::setActiveWindow(dialog.get());
    filePath.clear();
    QTest::keyClick(rowWindow(0), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(fileRequests.back().save);
    EXPECT_EQ(rowWindow(0)->rowText(), "ab") << "Ctrl+S types no symbol";

    answer = mb::kIdCancel;
    QTest::keyClick(rowWindow(0), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(messages.constLast(), "Do you want to save the data(Y/N)?");
    QTest::keyClick(rowWindow(0), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(messages.size(), 2);
    EXPECT_TRUE(dialog->isVisible()) << "Cancel keeps the window";
    EXPECT_EQ(rowWindow(0)->rowText(), "ab");

    // Every other Ctrl+letter still types its symbol.
    const int before = document.row(0).n();
    QTest::keyClick(rowWindow(0), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(document.row(0).n(), before + 1);
}

TEST_F(MainWindowUsability, TheTitleNamesTheProjectAndItsUnsavedChanges)
{
    EXPECT_EQ(shownTitle(), "USB DATA DOWNLOAD SYSTEM ");
    type(0, QStringLiteral("x"));
    EXPECT_EQ(shownTitle(), "USB DATA DOWNLOAD SYSTEM *");
    filePath = path("hello.LDAT");
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    EXPECT_EQ(shownTitle(), QString::fromUtf16(u"hello.LDAT \u2014 USB DATA DOWNLOAD SYSTEM"));
    type(0, QStringLiteral("y"));
    EXPECT_EQ(shownTitle(), QString::fromUtf16(u"hello.LDAT* \u2014 USB DATA DOWNLOAD SYSTEM"));
}

TEST_F(MainWindowUsability, AProjectDroppedOnTheWindowOpensAfterTheQuestion)
{
    type(0, QStringLiteral("saved"));
    filePath = path("drop.LDAT");
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    type(0, QStringLiteral("X"));
    const auto drop = [this](const QString &file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &dropped);
        QApplication::processEvents();
        return true;
    };
    EXPECT_FALSE(drop(path("picture.png"))) << "only projects are taken";
    answer = mb::kIdCancel;
    ASSERT_TRUE(drop(path("drop.LDAT")));
    EXPECT_EQ(messages.constLast(), "Do you want to save the data(Y/N)?");
    EXPECT_EQ(rowWindow(0)->rowText(), "savedX") << "Cancel keeps the rows";
    answer = mb::kIdNo;
    ASSERT_TRUE(drop(path("drop.LDAT")));
    EXPECT_EQ(rowWindow(0)->rowText(), "saved");
    EXPECT_FALSE(document.modified());
}

TEST_F(MainWindowUsability, TheOpenButtonOffersTheRecentProjectsAndTheDialogsTheLastFolder)
{
    QMenu menu;
    dialog->fillRecentMenu(menu);
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_FALSE(menu.actions().first()->isEnabled());

    type(0, QStringLiteral("one"));
    filePath = path("one.LDAT");
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    type(0, QStringLiteral("2"));
    filePath = path("two.LDAT");
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    EXPECT_EQ(fileRequests.back().folder, dir.path()) << "the second dialog starts where the first saved";
    dialog->fillRecentMenu(menu);
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[0]->text(), "&1 two.LDAT");
    EXPECT_EQ(menu.actions()[1]->text(), "&2 one.LDAT");
    menu.actions()[1]->trigger();
    QApplication::processEvents();
    EXPECT_EQ(rowWindow(0)->rowText(), "one");
    EXPECT_EQ(settings.RecentProjects.first(), QFileInfo(path("one.LDAT")).absoluteFilePath());
}

TEST_F(MainWindowUsability, ScreenReadersHearWhatEachListIsForAndTheGaugesValue)
{
    QAccessibleInterface *opening = QAccessible::queryAccessibleInterface(control<QComboBox>(dlg::kOpeningList));
    ASSERT_TRUE(opening);
    EXPECT_EQ(opening->role(), QAccessible::ComboBox);
    EXPECT_EQ(opening->text(QAccessible::Name), "Row 1 opening effect");
    EXPECT_EQ(opening->text(QAccessible::Value), control<QComboBox>(dlg::kOpeningList)->currentText());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(control<QComboBox>(dlg::kClosingList + 2))->text(QAccessible::Name),
              "Row 3 closing effect");

    type(0, QStringLiteral("Hello"));
    dialog->showCapacity();
    QAccessibleInterface *gauge = QAccessible::queryAccessibleInterface(control<QLabel>(dlg::kCapacity));
    ASSERT_TRUE(gauge);
    EXPECT_EQ(gauge->text(QAccessible::Name), "Display memory used");
    EXPECT_TRUE(gauge->text(QAccessible::Value).endsWith(" / 2,047 bytes")) << gauge->text(QAccessible::Value).toStdString();
    EXPECT_EQ(gauge->text(QAccessible::Value), control<QLabel>(dlg::kCapacity)->text());
}

TEST_F(MainWindowUsability, PicturesGoIntoARowFromItsMenuOrADrop)
{
    type(0, QStringLiteral("ab"));
    QImage picture(300, 16, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(path("logo.png")));
    // From the row's menu: the file dialog, then the picture, cut to the row's room.
    filePath = path("logo.png");
    answer = mb::kIdOk;
    rowWindow(0)->OnCommand(rowcmd::kInsertPicture);
    ASSERT_FALSE(fileRequests.empty());
    EXPECT_FALSE(fileRequests.back().filter.isEmpty());
    EXPECT_EQ(document.row(0).usedWidth(), document.row(0).rowWidth());
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.constLast().startsWith("The picture was cut to the row's room: ")) << messages.constLast().toStdString();
    EXPECT_TRUE(document.modified());

    // Dropped on row 2: a small picture fits whole.
    QImage small(12, 16, QImage::Format_RGB32);
    small.fill(Qt::black);
    ASSERT_TRUE(small.save(path("small.png")));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path("small.png"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rowWindow(1), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rowWindow(1), &dropped);
    EXPECT_EQ(document.row(1).usedWidth(), 12);

    // A project is no picture: the row lets it go on to the window, which asks first.
    QMimeData project;
    project.setUrls({QUrl::fromLocalFile(path("x.LDAT"))});
    QDragEnterEvent projectEnter(QPoint(5, 5), Qt::CopyAction, &project, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rowWindow(1), &projectEnter);
    QDropEvent projectDrop(QPointF(5, 5), Qt::CopyAction, &project, Qt::LeftButton, Qt::NoModifier);
    answer = mb::kIdCancel;
    QApplication::sendEvent(rowWindow(1), &projectDrop);
    QApplication::processEvents();
    EXPECT_EQ(document.row(1).usedWidth(), 12);
    EXPECT_EQ(messages.constLast(), "Do you want to save the data(Y/N)?");
    // A picture of another height: scaled (Yes) or cut (No), as the user answers.
    QImage tall(8, 32, QImage::Format_RGB32);
    tall.fill(Qt::black);
    ASSERT_TRUE(tall.save(path("tall.png")));
    type(2, QStringLiteral("x"));
    const int before = document.row(2).usedWidth();
    answer = mb::kIdYes;
    EXPECT_EQ(dialog->OnInsertPicture(2, path("tall.png")), 4) << "32 high to 16: 8 wide to 4";
    EXPECT_TRUE(messages.constLast().startsWith("The picture is 32 pixels high, the row 16 LEDs")) << messages.constLast().toStdString();
    answer = mb::kIdNo;
    EXPECT_EQ(dialog->OnInsertPicture(2, path("tall.png")), 8) << "cut: its full width";
    answer = mb::kIdCancel;
    EXPECT_EQ(dialog->OnInsertPicture(2, path("tall.png")), -1);
    EXPECT_EQ(document.row(2).usedWidth(), before + 12);
    // And a file that is no picture is told as such.
    ASSERT_TRUE(test::writeBytes(path("bad.png"), "garbage"));
    EXPECT_EQ(dialog->OnInsertPicture(2, path("bad.png")), -1);
    EXPECT_EQ(messages.constLast(), "This file is no picture Tessivo can read.");
}

TEST_F(MainWindowUsability, TheSimulationsMenuSavesTheAnimation)
{
    filePath = path("fan.gif");
    EXPECT_FALSE(dialog->OnSaveAnimation()) << "no row holds a character";
    EXPECT_TRUE(messages.constLast().startsWith("The animation cannot be written")) << messages.constLast().toStdString();
    type(0, QStringLiteral("Go"));
    EXPECT_TRUE(dialog->OnSaveAnimation());
    EXPECT_EQ(fileRequests.back().filter, "GIF (*.gif)");
    QImageReader reader(path("fan.gif"));
    EXPECT_GT(reader.imageCount(), 1);
}

} // namespace
} // namespace tessivo::test
