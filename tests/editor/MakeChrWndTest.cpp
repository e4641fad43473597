// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The glyph editor in the main window: opening it from a row's TXT button, its tool
// bar, drawing on the canvas with the mouse, and every stroke reaching the row.

#include "support/DialogFixture.h"

#include "document/DeviceImageBuilder.h"
#include "document/ProjectFile.h"
#include "editor/EditChrView.h"
#include "editor/EditChrWnd.h"
#include "editor/GlyphEditor.h"
#include "editor/MakeChrWnd.h"

#include <QToolButton>
#include <cstring>

namespace tessivo::test {
namespace {

class MakeChrWndTest : public DialogFixture {
protected:
    CMakeChrWnd *editorWindow() { return dialog->editorWindow(); }
    GlyphEditor &editor() { return editorWindow()->editor(); }
    CEditChrView *canvas() { return editorWindow()->canvas(); }
    /// The viewport point of the centre of board pixel (x, y).
    QPoint at(int x, int y)
    {
        const QRect square = editor().layout().squaresOf(QRect(x, y, 1, 1));
        return square.center() - canvas()->GetDeviceScrollPosition();
    }
    void openRow(int k) { QTest::mouseClick(control<QWidget>(3212 + k), Qt::LeftButton); }
    void shoot(const QString &name)
    {
        if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
            editorWindow()->grab().save(QString::fromLocal8Bit(out) + "/" + name + ".png");
    }
};

TEST_F(MakeChrWndTest, TheTxtButtonOpensTheRowBesideIt)
{
    EXPECT_FALSE(editorWindow()->isVisible());
    EXPECT_EQ(editorWindow()->size(), QSize(540, 360));
    type(0, QStringLiteral("Hello"));
    openRow(0);
    EXPECT_TRUE(editorWindow()->isVisible());
    EXPECT_EQ(editorWindow()->windowTitle(), "Sect1 [144x16] - [40x16]");
    EXPECT_EQ(editorWindow()->canvas()->objectName(), "id106");
    EXPECT_EQ(editorWindow()->canvas()->accessibleName(), "Board");
    EXPECT_TRUE(editorWindow()->findChild<QWidget *>(QStringLiteral("id104")));
    EXPECT_EQ(editor().layout().boardWidth, 40);
    EXPECT_EQ(editor().layout().boardHeight, 16);
    EXPECT_EQ(editor().layout().charWidth, 16);
    QWidget *button = control<QWidget>(3212);
    EXPECT_EQ(editorWindow()->x(), button->mapToGlobal(QPoint(button->width(), 0)).x() + 8);
    shoot(QStringLiteral("editor-16led"));
}

TEST_F(MakeChrWndTest, ASecondClickLeavesItWhereTheUserMovedIt)
{
    type(0, QStringLiteral("ab"));
    openRow(0);
    editorWindow()->move(50, 60);
    openRow(1);
    EXPECT_EQ(editorWindow()->pos(), QPoint(50, 60));
    EXPECT_EQ(editorWindow()->windowTitle(), "Sect2 [144x16] - [0x16]");
    // The close box hides it; the next TXT button opens it beside that button, as large
    // as it was.
    editorWindow()->resize(600, 300);
    editorWindow()->close();
    EXPECT_FALSE(editorWindow()->isVisible());
    openRow(0);
    QWidget *button = control<QWidget>(3212);
    EXPECT_EQ(editorWindow()->x(), button->mapToGlobal(QPoint(button->width(), 0)).x() + 8);
    EXPECT_EQ(editorWindow()->size(), QSize(600, 300));
}

TEST_F(MakeChrWndTest, ItFollowsRowChangesAndHidesForANewLedType)
{
    type(0, QStringLiteral("ab"));
    openRow(0);
    EXPECT_TRUE(document.modified());
    EXPECT_TRUE(document.isRowEnabled(1));
    editorWindow()->hide();
    type(1, QStringLiteral("xyz"));  // a change while hidden binds the changed row
    EXPECT_EQ(editor().rowIndex(), 1);
    EXPECT_EQ(editorWindow()->windowTitle(), "Sect2 [144x16] - [24x16]");
    openRow(1);
    EXPECT_TRUE(editorWindow()->isVisible());
    document.ChangeLedType(ledtype::k11, true);
    EXPECT_FALSE(editorWindow()->isVisible());
}

TEST_F(MakeChrWndTest, AStrokeOnTheBoardReachesTheRowTheProjectAndTheDevice)
{
    type(0, QStringLiteral("  "));  // two blank characters: 16 x 16 pixels to draw on
    openRow(0);
    document.setModified(false);
    QTest::mouseClick(canvas()->viewport(), Qt::LeftButton, Qt::NoModifier, at(3, 2));
    EXPECT_TRUE(document.row(0).rowImage().pixel(3, 2));
    EXPECT_TRUE(document.modified());
    // A drag with the right button draws in the background colour.
    QTest::mousePress(canvas()->viewport(), Qt::RightButton, Qt::NoModifier, at(3, 2));
    QTest::mouseRelease(canvas()->viewport(), Qt::RightButton, Qt::NoModifier, at(3, 2));
    EXPECT_FALSE(document.row(0).rowImage().pixel(3, 2));
    QTest::mousePress(canvas()->viewport(), Qt::LeftButton, Qt::NoModifier, at(0, 15));
    QTest::mouseMove(canvas()->viewport(), at(15, 15));
    QTest::mouseRelease(canvas()->viewport(), Qt::LeftButton, Qt::NoModifier, at(15, 15));

    // The bottom line of both characters is lit wherever the row is read.
    const std::vector<ChrRecord> records = document.row(0).ExtractRecords(2, 0);
    for (const ChrRecord &r : records)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(r.columns[2 * i] & 0x80, 0x80);
    const std::optional<Project> project = ParseProject(SerializeProject(document));
    ASSERT_TRUE(project);
    EXPECT_EQ(std::memcmp(project->records[0].columns, records[0].columns, 16), 0);
    DeviceImage image;
    ASSERT_TRUE(BuildDeviceImage(document, image));
    EXPECT_EQ(image.buffer[3], 0x80);  // the last character's first column, bottom row first
}

TEST_F(MakeChrWndTest, TheToolBarIsTwoWideWithItsTexts)
{
    openRow(0);
    const auto toolNames = [this] {
        QStringList names;
        for (int command : toolbar::kCommands) {
            if (command == 0)
                continue;
            QToolButton *button = editorWindow()->toolButton(command);
            EXPECT_TRUE(button) << command;
            names << button->accessibleName();
            EXPECT_EQ(button->toolTip(), button->accessibleName());
        }
        return names;
    };
    // English for every language but Chinese, which keeps the editor's own texts.
    EXPECT_EQ(toolNames(), QStringList({"Select", "Pencil", "Line", "Rectangle", "Filled rectangle", "Ellipse",
                                        "Filled ellipse", "Fill", "Eraser", "2x2", "4x4", "Opaque", "Transparent",
                                        "Black", "White", "Black background", "White background"}));
    settings.setLanguage(1);
    EXPECT_EQ(toolNames(), QStringList({QStringLiteral("选择框"), QStringLiteral("点"), QStringLiteral("线"),
                                        QStringLiteral("矩形框"), QStringLiteral("填充的矩形框"),
                                        QStringLiteral("椭圆"), QStringLiteral("填充的椭圆"), QStringLiteral("填充"),
                                        QStringLiteral("橡皮"), "2x2", "4x4", QStringLiteral("不透明方式"),
                                        QStringLiteral("透明方式"), QStringLiteral("黑色"), QStringLiteral("白色"),
                                        QStringLiteral("黑色背景"), QStringLiteral("白色背景")}));
    settings.setLanguage(0);
    QToolButton *select = editorWindow()->toolButton(7779), *pencil = editorWindow()->toolButton(7772);
    EXPECT_EQ(select->y(), pencil->y());
    EXPECT_LT(select->x(), pencil->x());
    EXPECT_TRUE(pencil->isChecked());
    EXPECT_FALSE(editorWindow()->toolButton(7792)->isEnabled());
    QTest::mouseClick(editorWindow()->toolButton(7780), Qt::LeftButton);
    EXPECT_TRUE(editorWindow()->toolButton(7792)->isEnabled());
    EXPECT_TRUE(editorWindow()->toolButton(7780)->isChecked());
    EXPECT_FALSE(pencil->isChecked());
    EXPECT_FALSE(editorWindow()->toolButton(7784)->isEnabled());
}

TEST_F(MakeChrWndTest, TooManyCharacterWindowsAreRefusedWithTheEditorsMessage)
{
    type(0, QStringLiteral("abc"));
    openRow(0);
    editor().setRequestedCharSize(4, 4);
    EXPECT_FALSE(editor().ResizeBoard(160, 32, 0));
    EXPECT_EQ(messages, QStringList{QStringLiteral("图板扩大后，字符窗太多(>256)!\n请先设定窗口模式。")});
    EXPECT_EQ(styles.back(), mb::kOk | mb::kIconExclamation);
}

TEST_F(MakeChrWndTest, ItsSizeIsKeptForTheNextStart)
{
    editorWindow()->resize(700, 320);
    dialog->OnExit();
    EXPECT_EQ(settings.MakeChrWndCx, editorWindow()->frameGeometry().width());
    EXPECT_EQ(settings.MakeChrWndCy, editorWindow()->frameGeometry().height());
}

TEST_F(MakeChrWndTest, PicturesOfEveryType)
{
    for (int type : {ledtype::k7, ledtype::k11, ledtype::k16}) {
        document.ChangeLedType(type, true);
        DialogFixture::type(0, QStringLiteral("AB9"));
        openRow(0);
        shoot(QStringLiteral("editor-type%1").arg(type));
    }
}

} // namespace
} // namespace tessivo::test
