// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

QPushButton *button(CMessageBox &box, int id)
{
    return box.findChild<QPushButton *>(QStringLiteral("id%1").arg(id));
}

// Runs the box and acts on it once it is up.
int runWith(CMessageBox &box, const std::function<void()> &act)
{
    QTimer::singleShot(0, &box, act);
    return box.exec();
}

} // namespace

TEST(MessageBox, ShortReportsAreNarrowedWithOneCentredButton)
{
    CMessageBox wide, narrow, sixteen;
    wide.setText("Open file error! and more");
    wide.prepare();
    const int fullWidth = wide.width();
    const int middleX = button(wide, 1049)->x();

    narrow.setText("IC ROM Over");
    narrow.setStyle(0x10);
    narrow.prepare();
    EXPECT_EQ(narrow.width(), fullWidth * 2 / 3);
    EXPECT_EQ(button(narrow, 1049)->x(), middleX - fullWidth / 3 / 2);
    EXPECT_TRUE(button(narrow, 1048)->isHidden());
    EXPECT_TRUE(button(narrow, 3)->isHidden());
    EXPECT_FALSE(button(narrow, 1049)->isHidden());
    EXPECT_EQ(button(narrow, 1049)->text(), "OK");
    EXPECT_EQ(narrow.windowTitle(), "Tessivo");

    sixteen.setText(QString(16, u'x'));
    sixteen.prepare();
    EXPECT_EQ(sixteen.width(), fullWidth);
    CMessageBox fifteen;
    fifteen.setText(QString(15, u'x'));
    fifteen.prepare();
    EXPECT_EQ(fifteen.width(), fullWidth * 2 / 3);
}

TEST(MessageBox, QuestionHasThreeLabelledButtons)
{
    CMessageBox box;
    box.setText("Do you want to save the data(Y/N)?");
    box.setStyle(0x23);
    box.prepare();
    EXPECT_EQ(button(box, 1048)->text(), "&Yes");
    EXPECT_EQ(button(box, 1049)->text(), "&No");
    EXPECT_EQ(button(box, 3)->text(), "&Cancel");
    EXPECT_FALSE(button(box, 1048)->isHidden());
    EXPECT_FALSE(button(box, 3)->isHidden());
    EXPECT_FALSE(box.findChild<QLabel *>("id1050")->pixmap().isNull());
}

TEST(MessageBox, AnswersOfTheButtonsKeysAndCloseBox)
{
    const auto answer = [](unsigned style, const std::function<void(CMessageBox &)> &act) {
        CMessageBox box;
        box.setText("question?");
        box.setStyle(style);
        return runWith(box, [&] { act(box); });
    };
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { button(b, 1048)->click(); }), 6);
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { button(b, 1049)->click(); }), 7);
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { button(b, 3)->click(); }), 2);
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { QTest::keyClick(&b, Qt::Key_Escape); }), 2);
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { b.close(); }), 2);
    // Enter keeps the work; the plain keys the text asks for answer it.
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { QTest::keyClick(&b, Qt::Key_Return); }), 6);
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { QTest::keyClick(&b, Qt::Key_Y); }), 6);
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { QTest::keyClick(&b, Qt::Key_N); }), 7);
    EXPECT_EQ(answer(0x23, [](CMessageBox &b) { QTest::keyClick(&b, Qt::Key_C); }), 2);
    EXPECT_EQ(answer(0x23,
                     [](CMessageBox &b) {
                         QTest::keyClick(&b, Qt::Key_N, Qt::ControlModifier);
                         QTest::keyClick(&b, Qt::Key_Escape);
                     }),
              2)
        << "Ctrl+N is no answer; the box then closes with Escape";
    EXPECT_EQ(answer(0x10, [](CMessageBox &b) { button(b, 1049)->click(); }), 1);
    EXPECT_EQ(answer(0x10, [](CMessageBox &b) { QTest::keyClick(&b, Qt::Key_Escape); }), 2);
    EXPECT_EQ(answer(0x10, [](CMessageBox &b) { b.close(); }), 1);
}

TEST(MessageBox, HelpersFormatAndCanBeAnsweredByTests)
{
    QStringList shown;
    std::vector<unsigned> styles;
    setMessageBoxHandler([&](const QString &text, unsigned style) {
        shown << text;
        styles.push_back(style);
        return 1;
    });
    EXPECT_EQ(ShowError("Load %s file error!", "LIB/x"), 1);
    ShowWarning("%s", "   No - data!");
    EXPECT_EQ(ShowMessage("Do you want to save the data(Y/N)?", nullptr, 0x23), 1);
    setMessageBoxHandler({});
    EXPECT_EQ(shown, QStringList({"Load LIB/x file error!", "   No - data!",
                                  "Do you want to save the data(Y/N)?"}));
    EXPECT_EQ(styles, (std::vector<unsigned>{0x10, 0x30, 0x23}));
}

TEST(MessageBox, EnableControlsTouchesOnlyTheNamedControls)
{
    QWidget parent;
    auto *a = new QPushButton(&parent);
    a->setObjectName("id3001");
    auto *b = new QPushButton(&parent);
    b->setObjectName("id4001");
    auto *other = new QPushButton(&parent);
    other->setObjectName("id9999");
    const int ids[6] = {3001, 4001, 4101, 5001, 1, 2};
    EnableControls(&parent, ids, false);
    EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(other->isEnabled());
    EnableControls(&parent, ids, true);
    EXPECT_TRUE(a->isEnabled());
    EnableControls(nullptr, ids, true);
}

TEST(MessageBox, Look)
{
    for (const auto &[name, text, style] :
         {std::tuple{"error", "IC ROM Over", 0x10u}, std::tuple{"question", "Do you want to save the data(Y/N)?", 0x23u},
          std::tuple{"write-error", "Write file error!", 0x10u}, std::tuple{"open-error", "Open file error!", 0x10u},
          std::tuple{"settings-write-error", "Write settings file error!", 0x10u},
          std::tuple{"settings-unreadable", "Settings file cannot be read, settings not saved!", 0x10u},
          std::tuple{"send-stopped", "Send was stopped: the display now holds an incomplete message.", 0x30u},
          std::tuple{"stop-sending", "Stop sending and leave? The display would keep an incomplete message.", 0x23u}}) {
        CMessageBox box;
        box.setText(text);
        box.setStyle(style);
        box.prepare();
        box.show();
        const QImage picture = box.grab().toImage();
        EXPECT_FALSE(picture.isNull());
        // No text is cut: the label is as tall as its lines, and the buttons below it.
        const auto *label = box.findChild<QLabel *>("id1051");
        ASSERT_TRUE(label);
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
        for (const auto *button : box.findChildren<QPushButton *>()) {
            if (button->isVisible()) {
                EXPECT_GE(button->y(), label->geometry().bottom()) << name;
            }
        }
        if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
            picture.save(QString::fromLocal8Bit(out) + "/message-" + name + ".png");
    }
}
