// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's rows, layout, languages, projects, commands and Send.

#include "support/DialogFixture.h"
#include "support/FileTraps.h"

#include "glyphs/FontComboBox.h"
#include "document/ProjectFile.h"
#include "glyphs/SysFontGlyph.h"
#include "preview/KeyWnd.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <cstring>
#include <thread>

namespace tessivo::test {
namespace {

class TessivoDlgTest : public DialogFixture {
protected:
    /// A 16-LED display on the report link, found by the poll.
    void attachDisplay()
    {
        display.ledType = 2;
        links.attachedTo = 0;
        dialog->deviceLink().OnTimer(link::kDetectTimer);
    }
    QComboBox *list(int base, int k) { return control<QComboBox>(base + k); }
    QByteArray readFile(const QString &name)
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::vector<bool> enabledRows()
    {
        std::vector<bool> out;
        for (int k = 0; k < 12; ++k)
            out.push_back(document.isRowEnabled(k));
        return out;
    }
    static std::vector<bool> firstRows(int n)
    {
        std::vector<bool> out(12, false);
        for (int k = 0; k < n; ++k)
            out[size_t(k)] = true;
        return out;
    }
};

TEST_F(TessivoDlgTest, CreatedWithTheTemplatesControlsAndCaption)
{
    EXPECT_EQ(dialog->windowTitle(), "USB DATA DOWNLOAD SYSTEM [*]");
    for (int id : {1027, 1025, 1028, 1029, 1032, 1030, 1031, 1034, 1035, 1039, 1040, 1033, 1041, 1026,
                   1056, 1057, 1058, 1059, 1047, 2000, 1999, 1006, 1013, 1010, 1011, 1012, 1, 1005,
                   1046, 1043, 1044})
        EXPECT_TRUE(control<QWidget>(id)) << id;
    for (int k = 0; k < 12; ++k) {
        for (int base : {2001, 3001, 3212, 4001, 4101, 5001})
            EXPECT_TRUE(control<QWidget>(base + k)) << base + k;
    }
    // As wide as the template at least, and as the effect lists need for their texts.
    EXPECT_EQ(dialog->height(), 618);
    EXPECT_GE(dialog->width(), 817);
    EXPECT_EQ(dialog->minimumWidth(), dialog->width());
    EXPECT_FALSE(control<QWidget>(1011)->isEnabled());  // stop
    EXPECT_FALSE(control<QCheckBox>(1047)->isVisible());
    EXPECT_EQ(control<QPushButton>(1028)->text(), "Open");
    EXPECT_EQ(control<QPushButton>(1030)->text(), "LedType\n(16Led)");
    EXPECT_EQ(control<QLabel>(1046)->text(), "English each section most may input 18 characters.");
    EXPECT_EQ(enabledRows(), firstRows(1));
    // The tool bar spans the window; the link picture sits at its right end, also in a
    // window made wider.
    EXPECT_EQ(control<QWidget>(1027)->width(), dialog->width());
    EXPECT_EQ(control<QWidget>(1026)->geometry().right(), dialog->width() - 3);
    dialog->resize(dialog->width() + 150, dialog->height());
    EXPECT_EQ(control<QWidget>(1027)->width(), dialog->width());
    EXPECT_EQ(control<QWidget>(1026)->geometry().right(), dialog->width() - 3);
}

TEST_F(TessivoDlgTest, TypingIntoARowEnablesTheNextAndMarksTheProjectModified)
{
    EXPECT_FALSE(document.modified());
    type(0, QStringLiteral("a"));
    type(1, QStringLiteral("b"));
    type(2, QStringLiteral("c"));
    EXPECT_EQ(enabledRows(), firstRows(4));
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(document.currentRow(), 2);
    QTest::mouseClick(control<QPushButton>(3212 + 3), Qt::LeftButton);  // row 4's TXT button
    EXPECT_EQ(enabledRows(), firstRows(5));
}

TEST_F(TessivoDlgTest, LedTypeChangeEmptiesRowsAndRenewsTheCaption)
{
    type(0, QStringLiteral("ab"));
    type(1, QStringLiteral("cd"));
    answer = mb::kIdNo;
    for (const auto &[command, count] : {std::pair{8010, 7}, std::pair{8011, 11}, std::pair{8012, 16}}) {
        dialog->OnCommand(command);
        EXPECT_EQ(document.ledType(), command - 8010);
        EXPECT_EQ(document.ledType(), command - 8010);
        EXPECT_EQ(control<QPushButton>(1030)->text(), QStringLiteral("LedType\n(%1Led)").arg(count));
        EXPECT_EQ(enabledRows(), firstRows(1));
        for (int k = 0; k < 12; ++k)
            EXPECT_EQ(document.row(k).n(), 0);
    }
    EXPECT_EQ(messages.size(), 1);  // asked once, while rows held text
}

TEST_F(TessivoDlgTest, MiddleListsAppearOnlyWithTheMiddleOption)
{
    EXPECT_FALSE(list(4101, 0)->isVisible());
    EXPECT_FALSE(control<QLabel>(1058)->isVisible());
    EXPECT_EQ(list(4101, 0)->count(), 4);
    const int windowWidth = dialog->width();
    dialog->OnMiddleOption(true);
    EXPECT_TRUE(list(4101, 0)->isVisible());
    EXPECT_TRUE(control<QLabel>(1058)->isVisible());
    // Three lists share the row: the window grows so none of them cuts its texts.
    EXPECT_GT(dialog->width(), windowWidth);
    EXPECT_GE(list(4001, 0)->width(), list(4001, 0)->sizeHint().width());
    EXPECT_GE(list(5001, 0)->width(), list(5001, 0)->sizeHint().width());
    EXPECT_EQ(list(4001, 0)->width(), list(4101, 0)->width());
    EXPECT_EQ(control<QLabel>(1058)->geometry().right(), list(4101, 0)->geometry().right());
}

TEST_F(TessivoDlgTest, ScrollingShowsAnotherPageOfRows)
{
    const int page = dialog->rowsPerPage();
    ASSERT_GT(page, 0);
    ASSERT_LT(page, 12);
    auto *bar = control<QScrollBar>(1999);
    const int last = 12 - page;
    bar->setSliderPosition(last);
    dialog->OnScroll(QAbstractSlider::SliderMove);
    EXPECT_EQ(dialog->firstRow(), last);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(rowWindow(k)->isVisible(), k >= last && k < last + page) << k;
    bar->setSliderPosition(last);
    dialog->OnScroll(QAbstractSlider::SliderMove);
    dialog->OnScroll(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(dialog->firstRow(), 12 - page);
    dialog->OnScroll(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(dialog->firstRow(), std::max(0, 12 - 2 * page));
}

TEST_F(TessivoDlgTest, SwitchingLanguageKeepsEffectsAndRenamesEverything)
{
    type(0, QStringLiteral("a"));
    list(4001, 0)->setCurrentIndex(4);
    list(5001, 1)->setCurrentIndex(6);
    control<QComboBox>(1033)->setCurrentIndex(1);
    EXPECT_EQ(list(4001, 0)->currentIndex(), 4);
    EXPECT_EQ(list(5001, 1)->currentIndex(), 6);
    EXPECT_EQ(list(4001, 0)->currentText(), QString::fromUtf16(u"从中间到两边开"));
    EXPECT_EQ(control<QPushButton>(1012)->text(), QString::fromUtf16(u"发送"));
    EXPECT_EQ(control<QPushButton>(1030)->text(), QString::fromUtf16(u"LED类型\n(16Led)"));
    EXPECT_TRUE(control<QLabel>(1046)->text().contains(QString::fromUtf16(u"输入9个字")));
    QMenu *colours = control<QPushButton>(1013)->menu();
    ASSERT_TRUE(colours);
    EXPECT_EQ(colours->actions().at(3)->text(), QString::fromUtf16(u"黄色"));
}

TEST_F(TessivoDlgTest, ColourMenuSetsTheLedColour)
{
    QMenu *colours = control<QPushButton>(1013)->menu();
    colours->actions().at(3)->trigger();
    EXPECT_EQ(document.ledColor(), 0x0000FFFFu);
    colours->actions().at(1)->trigger();
    EXPECT_EQ(document.ledColor(), 0x0000FF00u);
}

TEST_F(TessivoDlgTest, KeyboardGlyphGoesIntoTheCurrentRow)
{
    ChrRecord record = emptyRecord();
    ASSERT_TRUE(GetGlyph16('K', record));
    record.code = 'K';
    emit dialog->keyWindow()->keyPicked(record);
    EXPECT_EQ(rowWindow(0)->rowText(), "K");
    dialog->InsertKeyboardGlyph(nullptr);
    type(1, QStringLiteral("x"));
    dialog->InsertKeyboardGlyph(&record);
    EXPECT_EQ(rowWindow(1)->rowText(), "xK");
}

TEST_F(TessivoDlgTest, EscapeOutsideTheRowsExitsAfterAsking)
{
    type(0, QStringLiteral("a"));
    answer = mb::kIdCancel;
    QTest::keyClick(control<QWidget>(1028), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(messages, QStringList{"Do you want to save the data(Y/N)?"});
    EXPECT_EQ(styles.at(0), 0x23u);
    answer = mb::kIdNo;
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(TessivoDlgTest, AnEffectPickedAfterSavingIsNotLostWithoutAsking)
{
    type(0, QStringLiteral("a"));
    filePath = path("saved.LDAT");
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    EXPECT_FALSE(document.modified());
    list(5001, 0)->setCurrentIndex(4);  // as the user picks it in the list
    EXPECT_EQ(document.effects(0).closing, 4);
    EXPECT_TRUE(document.modified());
    answer = mb::kIdCancel;
    dialog->OnExit();
    EXPECT_EQ(messages, QStringList{"Do you want to save the data(Y/N)?"});
    EXPECT_TRUE(dialog->isVisible());
    // The lists follow the document, whoever changes it.
    document.setEffects(0, {2, 1, 3});
    EXPECT_EQ(list(4001, 0)->currentIndex(), 2);
    EXPECT_EQ(list(4101, 0)->currentIndex(), 1);
    EXPECT_EQ(list(5001, 0)->currentIndex(), 3);
}

TEST_F(TessivoDlgTest, AccessibleNamesOfTheControls)
{
    EXPECT_EQ(list(4001, 0)->accessibleName(), "Row 1 opening effect");
    EXPECT_EQ(list(4101, 11)->accessibleName(), "Row 12 middle effect");
    EXPECT_EQ(list(5001, 4)->accessibleName(), "Row 5 closing effect");
    EXPECT_EQ(control<QWidget>(1012)->accessibleName(), "Send");
    EXPECT_EQ(control<QWidget>(1026)->accessibleName(), "No display connected");
    attachDisplay();
    EXPECT_EQ(control<QWidget>(1026)->accessibleName(), "Display connected");
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (w->isVisible() && w->parentWidget() == dialog.get() && !qobject_cast<QFrame *>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
}

// ---- glyph source, installed fonts and LED type ----

TEST_F(TessivoDlgTest, LedTypeButtonOffersTheThreeTypes)
{
    QMenu *menu = control<QPushButton>(1030)->menu();
    ASSERT_TRUE(menu);
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text();
    EXPECT_EQ(texts, QStringList({"7LED", "11LED", "16LED"}));
    menu->actions().at(1)->trigger();
    EXPECT_EQ(document.ledType(), ledtype::k11);
    EXPECT_EQ(control<QPushButton>(1030)->text(), "LedType\n(11Led)");
    emit menu->aboutToShow();
    EXPECT_TRUE(menu->actions().at(1)->isChecked());
    EXPECT_FALSE(menu->actions().at(2)->isChecked());
}

TEST_F(TessivoDlgTest, GlyphSourceSwitchKeepsTheRowsGlyphs)
{
    std::vector<int> refills;
    QObject::connect(&document, &MessageDocument::glyphSourceChanged, [&] { refills.push_back(document.ledType()); });
    type(0, QStringLiteral("W"));
    const MonoImage before = document.row(0).rowImage();
    const int filesWidth = document.row(0).usedWidth();
    auto *fonts = control<QComboBox>(1039);
    EXPECT_FALSE(fonts->isEnabled());

    QTest::mouseClick(control<QWidget>(1035), Qt::LeftButton);
    EXPECT_FALSE(document.glyphSource().userFont);
    EXPECT_TRUE(fonts->isEnabled());
    EXPECT_EQ(refills, std::vector<int>{ledtype::k16});
    EXPECT_EQ(document.row(0).rowImage(), before);

    // The user picks a face: SysFont follows and new characters come from it.
    const int serif = fonts->findText(QStringLiteral("DejaVu Serif"));
    ASSERT_GE(serif, 0);
    fonts->setCurrentIndex(serif);
    emit fonts->activated(serif);
    EXPECT_EQ(document.glyphSource().face, "DejaVu Serif");
    EXPECT_EQ(refills.size(), 2u);
    type(0, QStringLiteral("W"));
    ASSERT_EQ(document.row(0).n(), 2);
    ChrRecord fromFont = emptyRecord();
    ASSERT_TRUE(GetSysFontGlyph(QStringLiteral("DejaVu Serif"), document.ledTypeInfo(), 'W', fromFont));
    EXPECT_EQ(document.row(0).usedWidth(), filesWidth + int(fromFont.width));

    QTest::mouseClick(control<QWidget>(1034), Qt::LeftButton);
    EXPECT_TRUE(document.glyphSource().userFont);
    EXPECT_FALSE(fonts->isEnabled());
    FreeTypeFonts();
}

TEST_F(TessivoDlgTest, FontListSelectsTheSettingsFaceExactly)
{
    auto *fonts = control<CFontComboBox>(1039);
    EXPECT_TRUE(fonts->SelectFont(QStringLiteral("DejaVu Sans")));
    EXPECT_EQ(fonts->currentText(), "DejaVu Sans");
    EXPECT_FALSE(fonts->SelectFont(QStringLiteral("dejavu sans")));
    EXPECT_FALSE(fonts->SelectFont(QString()));
    ASSERT_TRUE(fonts->entry(fonts->currentIndex()));
    EXPECT_EQ(fonts->entry(fonts->currentIndex())->name, "DejaVu Sans");
    EXPECT_TRUE(fonts->entry(fonts->currentIndex())->fontType & fonttype::kTrueType);
    EXPECT_GE(fonts->findText(QStringLiteral("WenQuanYi Zen Hei")), 0);  // a CJK face is offered
    document.setGlyphSource({true, QStringLiteral("DejaVu Serif")});
    document.ChangeLedType(ledtype::k7, true);
    EXPECT_EQ(fonts->currentText(), "DejaVu Serif");
    document.setGlyphSource({true, QString::fromUtf16(settings::kSysFont)});
    document.ChangeLedType(ledtype::k7, true);
    EXPECT_EQ(fonts->currentIndex(), -1);  // not installed here: shown, not selected
    EXPECT_EQ(fonts->placeholderText(), QString::fromUtf16(settings::kSysFont));
}

// ---- projects ----

TEST_F(TessivoDlgTest, SavesTheExampleProjectByteForByte)
{
    dialog->OnCommand(8010);  // 7 LEDs
    type(0, QStringLiteral("abc"));
    type(1, QStringLiteral("defgh"));
    list(4001, 0)->setCurrentIndex(1);
    list(4001, 1)->setCurrentIndex(6);
    list(5001, 0)->setCurrentIndex(2);
    list(5001, 1)->setCurrentIndex(0);
    filePath = path("two.LDAT");
    EXPECT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].title, "Save Led Data File");
    EXPECT_EQ(fileRequests[0].initial, "*.LDAT");
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(document.projectPath(), filePath);

    const QByteArray bytes = readFile("two.LDAT");
    ASSERT_EQ(bytes.size(), 812);
    ProjectHeader header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    EXPECT_EQ(bytes.left(4), QByteArray("\x45\x23\x11\x20", 4));
    EXPECT_EQ(header.ledType, 0);
    EXPECT_EQ(header.rowWidth, 120);
    EXPECT_EQ(header.ledCount, 7);
    EXPECT_EQ(header.rowCount, 3);  // row 3 is enabled by row 2's text, and empty
    EXPECT_EQ(header.effects[0], 0x0201);
    EXPECT_EQ(header.effects[1], 0x0006);
    EXPECT_EQ(header.counts[0], 3);
    EXPECT_EQ(header.counts[1], 5);
    EXPECT_EQ(header.counts[2], 0);
}

TEST_F(TessivoDlgTest, OpeningWhatWasSavedRestoresRowsEffectsAndType)
{
    dialog->OnCommand(8011);
    type(0, QString::fromUtf16(u"AB你"));
    type(1, QStringLiteral("xyz"));
    list(4001, 1)->setCurrentIndex(5);
    list(5001, 0)->setCurrentIndex(3);
    filePath = path("p.LDAT");
    dialog->OnSave();
    const QByteArray saved = readFile("p.LDAT");
    const MonoImage image0 = document.row(0).rowImage();

    answer = mb::kIdNo;
    dialog->OnCommand(8012);
    dialog->OnOpen();
    EXPECT_EQ(document.ledType(), ledtype::k11);
    EXPECT_EQ(rowWindow(0)->rowText(), QString::fromUtf16(u"AB你"));
    EXPECT_EQ(rowWindow(1)->rowText(), "xyz");
    EXPECT_EQ(document.row(0).rowImage(), image0);
    EXPECT_EQ(list(4001, 1)->currentIndex(), 5);
    EXPECT_EQ(list(5001, 0)->currentIndex(), 3);
    EXPECT_EQ(enabledRows(), firstRows(3));
    EXPECT_FALSE(document.modified());

    filePath = path("again.LDAT");
    dialog->OnSave();
    EXPECT_EQ(readFile("again.LDAT"), saved);
}

TEST_F(TessivoDlgTest, MiddleEffectsTravelInTheProject)
{
    dialog->OnMiddleOption(true);
    type(0, QStringLiteral("a"));
    list(4001, 0)->setCurrentIndex(2);
    list(4101, 0)->setCurrentIndex(3);
    list(5001, 0)->setCurrentIndex(4);
    filePath = path("m.LDAT");
    dialog->OnSave();
    const QByteArray bytes = readFile("m.LDAT");
    ProjectHeader header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    EXPECT_EQ(header.magic, 0x30112345u);
    EXPECT_EQ(header.effects[0], 0x0432);

    dialog->OnMiddleOption(false);
    dialog->OnOpen();
    EXPECT_TRUE(document.useMiddle());
    EXPECT_TRUE(control<QCheckBox>(1047)->isChecked());
    EXPECT_EQ(list(4101, 0)->currentIndex(), 3);
    EXPECT_TRUE(list(4101, 0)->isVisible());
}

TEST_F(TessivoDlgTest, EmptyProjectDisablesEveryRow)
{
    QByteArray bytes(140, '\0');
    const uint32_t magic = 0x30112345;
    std::memcpy(bytes.data(), &magic, 4);
    writeFile("empty.LDAT", bytes);
    filePath = path("empty.LDAT");
    type(0, QStringLiteral("a"));
    answer = mb::kIdNo;
    dialog->OnOpen();
    EXPECT_EQ(enabledRows(), firstRows(0));
    EXPECT_EQ(document.row(0).n(), 0);
    EXPECT_TRUE(document.useMiddle());
}

TEST_F(TessivoDlgTest, DamagedProjectsAreRefusedAndChangeNoRow)
{
    type(0, QStringLiteral("keep"));
    answer = mb::kIdNo;
    ProjectHeader header{};
    header.magic = 0x20112345;
    header.ledType = 2;
    header.rowCount = 1;
    header.counts[0] = 2;
    const QByteArray good(reinterpret_cast<const char *>(&header), sizeof header);
    QByteArray negative = good;
    const int16_t minus = -3;
    std::memcpy(negative.data() + 76, &minus, 2);
    QByteArray wrongMagic = good;
    wrongMagic[3] = 0x21;
    const QByteArray cases[] = {QByteArray(), good.left(139), wrongMagic, negative,
                                good + QByteArray(84, '\0'),  // one record of two
                                QByteArray(500, '\xFF')};
    int n = 0;
    for (const QByteArray &bytes : cases) {
        const QString name = QStringLiteral("bad%1.LDAT").arg(n++);
        writeFile(name, bytes);
        filePath = path(name);
        messages.clear();
        dialog->OnOpen();
        EXPECT_EQ(messages.value(messages.size() - 1), "Open file error!") << n;
        EXPECT_EQ(rowWindow(0)->rowText(), "keep") << n;
        EXPECT_EQ(enabledRows(), firstRows(2)) << n;
    }
    filePath = path("missing.LDAT");
    dialog->OnOpen();
    EXPECT_EQ(messages.constLast(), "Open file error!");

    // A record 2147483647 rows high is refused with the file, before any row sees it.
    for (const char *name : {"project-height-intmax.LDAT", "project-height-intmax-w3.LDAT"}) {
        filePath = QStringLiteral(TESSIVO_TEST_DATA "/repro/") + QLatin1String(name);
        messages.clear();
        dialog->OnOpen();
        EXPECT_EQ(messages.constLast(), "Open file error!") << name;
        EXPECT_EQ(rowWindow(0)->rowText(), "keep") << name;
    }
}

TEST_F(TessivoDlgTest, OpeningRowsWiderThanTodaysSaysWhatWasLeftOut)
{
    // An 11-LED project saved with 180-column rows: thirty 6-column characters in row 1,
    // three in row 2. Opened with 160-column rows, row 1 keeps 26 of them.
    ProjectHeader header{};
    header.magic = 0x20112345;
    header.ledType = 1;
    header.rowWidth = 180;
    header.ledCount = 11;
    header.rowCount = 2;
    header.counts[0] = 30;
    header.counts[1] = 3;
    QByteArray bytes(reinterpret_cast<const char *>(&header), sizeof header);
    for (int i = 0; i < 33; ++i) {
        ChrRecord record = emptyRecord();
        record.code = uint16_t('a' + i % 26);
        record.width = 6;
        record.height = 11;
        record.byteCount = 12;
        record.columns[i % 12] = 0xF0;
        bytes.append(reinterpret_cast<const char *>(&record), sizeof record);
    }
    writeFile("wide.LDAT", bytes);
    filePath = path("wide.LDAT");
    dialog->OnOpen();
    EXPECT_EQ(document.row(0).n(), 26);
    EXPECT_EQ(document.row(1).n(), 3);
    EXPECT_EQ(messages, QStringList{"Characters that did not fit were left out: row 1 (4)"});
    EXPECT_EQ(styles.back(), mb::kOk | mb::kIconExclamation);
    EXPECT_FALSE(document.modified());
}

TEST_F(TessivoDlgTest, TextWithLineBreaksPastesWholeIntoElevenLedRows)
{
    // Tab and line breaks have no size in the glyph data: the 11-LED type finds them as
    // blank gap columns, the 16-LED type not at all.
    QApplication::clipboard()->setText(QStringLiteral("ab\r\ncd"));
    document.ChangeLedType(ledtype::k11, true);
    rowWindow(0)->setFocus();
    rowWindow(0)->OnCommand(rowcmd::kPasteText);
    EXPECT_EQ(document.row(0).n(), 6);
    EXPECT_EQ(rowWindow(0)->rowText(), QStringLiteral("ab\r\ncd"));
    document.ChangeLedType(ledtype::k16, true);
    rowWindow(0)->OnCommand(rowcmd::kPasteText);
    EXPECT_EQ(rowWindow(0)->rowText(), "ab");
}

TEST_F(TessivoDlgTest, ASaveThatStopsPartWayIsAnErrorAndTheProjectStaysModified)
{
    type(0, QStringLiteral("short"));
    filePath = path("full.LDAT");
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    const QByteArray before = readFile("full.LDAT");
    type(0, QString(60, QLatin1Char('w')));
    {
        // Room for less than the project: the disk fills up during the write.
        FileSizeLimit limit(rlim_t(before.size() + 100));
        EXPECT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Failed);
    }
    EXPECT_EQ(messages.constLast(), "Write file error!");
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(readFile("full.LDAT"), before);

    // A pipe picked as the project is neither written into nor opened.
    ASSERT_TRUE(makeFifo(path("pipe.LDAT")));
    filePath = path("pipe.LDAT");
    EXPECT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Failed);
    EXPECT_FALSE(dialog->OpenProjectFile(path("pipe.LDAT")));
    EXPECT_EQ(messages.constLast(), "Open file error!");
    EXPECT_TRUE(document.modified());
}

TEST_F(TessivoDlgTest, FailedSaveKeepsTheOldFileAndStopsTheAskingCommand)
{
    type(0, QStringLiteral("old"));
    filePath = path("keep.LDAT");
    dialog->OnSave();
    const QByteArray before = readFile("keep.LDAT");
    type(0, QStringLiteral("new"));

    filePath = path("no/such/folder/x.LDAT");
    EXPECT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Failed);
    EXPECT_EQ(messages.constLast(), "Write file error!");
    EXPECT_TRUE(document.modified());

    // Clear asks, Yes saves, the save fails: the rows stay.
    answer = mb::kIdYes;
    dialog->OnClear();
    EXPECT_EQ(rowWindow(0)->rowText(), "oldnew");
    dialog->OnCommand(8010);
    EXPECT_EQ(document.ledType(), ledtype::k16);
    dialog->OnExit();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(readFile("keep.LDAT"), before);
}

TEST_F(TessivoDlgTest, ConfirmSaveCancelAndYesThenACancelledSaveDialogBothKeepTheRows)
{
    type(0, QStringLiteral("abc"));
    answer = mb::kIdCancel;
    dialog->OnClear();
    EXPECT_EQ(rowWindow(0)->rowText(), "abc");
    EXPECT_TRUE(fileRequests.empty());

    // Yes, then the save dialog is cancelled: nothing was saved, so nothing is thrown away
    // by Clear, Open, a new LED type or Exit.
    answer = mb::kIdYes;
    filePath.clear();
    dialog->OnClear();
    EXPECT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(rowWindow(0)->rowText(), "abc");
    dialog->OnOpen();
    EXPECT_EQ(fileRequests.size(), 2u) << "only the save dialog, no open dialog";
    dialog->OnCommand(dlg::kLedType11);
    EXPECT_EQ(document.ledType(), ledtype::k16);
    dialog->OnExit();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(rowWindow(0)->rowText(), "abc");
    EXPECT_TRUE(document.modified());
}

TEST_F(TessivoDlgTest, ClearEmptiesEveryRowAndItsEffects)
{
    type(0, QStringLiteral("a"));
    type(1, QStringLiteral("b"));
    type(2, QStringLiteral("c"));
    list(4001, 2)->setCurrentIndex(3);
    answer = mb::kIdNo;
    dialog->OnClear();
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(document.row(k).n(), 0);
    EXPECT_EQ(list(4001, 2)->currentIndex(), 0);
    EXPECT_EQ(enabledRows(), firstRows(1));
    // Saving only the empty first row writes one row of no characters.
    filePath = path("one.LDAT");
    dialog->OnSave();
    ProjectHeader header;
    const QByteArray bytes = readFile("one.LDAT");
    ASSERT_EQ(bytes.size(), 140);
    std::memcpy(&header, bytes.constData(), sizeof header);
    EXPECT_EQ(header.rowCount, 1);
    EXPECT_EQ(header.counts[0], 0);
}

// ---- Send ----

TEST_F(TessivoDlgTest, TypedRowReachesTheDisplay)
{
    attachDisplay();
    type(0, QStringLiteral("AB"));
    QTest::mouseClick(control<QPushButton>(1012), Qt::LeftButton);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    const std::vector<ChrRecord> records = document.row(0).ExtractRecords(2, 0);
    std::vector<uint8_t> expected = {1, uint8_t(document.row(0).usedWidth()), 0x11};
    for (int i = 1; i >= 0; --i)
        expected.insert(expected.end(), records[size_t(i)].columns,
                        records[size_t(i)].columns + records[size_t(i)].byteCount);
    ASSERT_GE(display.image.size(), expected.size());
    EXPECT_EQ(std::vector<uint8_t>(display.image.begin(), display.image.begin() + long(expected.size())),
              expected);
    EXPECT_EQ(display.announcedLength, dialog->deviceImage().length);
    EXPECT_EQ(control<QProgressBar>(1044)->value(), control<QProgressBar>(1044)->maximum());
}

TEST_F(TessivoDlgTest, TheWindowLivesWhileSendRunsAndCancelStopsAfterThePacketInFlight)
{
    attachDisplay();
    type(0, QStringLiteral("Hello world, a longer line"));
    type(1, QStringLiteral("and a second one"));
    auto *send = control<QPushButton>(dlg::kSend);
    auto *cancel = control<QPushButton>(dlg::kCancelSend);
    ASSERT_TRUE(cancel);
    EXPECT_FALSE(cancel->isVisible());

    // A slow display: at its tenth packet the window is asked, from its own thread,
    // to paint, and its state is read; then the user cancels.
    bool painted = false, commandsOff = false, cancelShown = false;
    std::thread::id sendingThread;
    display.onPacket = [&](int packets) {
        if (packets != 10)
            return;
        sendingThread = std::this_thread::get_id();
        QMetaObject::invokeMethod(
            dialog.get(),
            [&] {
                const QImage shot = dialog->grab().toImage();
                painted = !shot.isNull();
                if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
                    shot.save(QString::fromLocal8Bit(out) + "/main-window-sending.png");
                commandsOff = !control<QWidget>(dlg::kOpen)->isEnabled() && !send->isEnabled() &&
                              !control<QWidget>(dlg::kExit)->isEnabled();
                cancelShown = cancel->isVisible() && cancel->isEnabled();
                QTest::mouseClick(cancel, Qt::LeftButton);
            },
            Qt::BlockingQueuedConnection);
    };
    EXPECT_FALSE(dialog->OnSend());
    EXPECT_NE(sendingThread, std::this_thread::get_id()) << "the download runs beside the window";
    EXPECT_TRUE(painted);
    EXPECT_TRUE(commandsOff);
    EXPECT_TRUE(cancelShown);
    // The packet in flight (the tenth) was answered; one more at most was not sent.
    EXPECT_EQ(display.packets, 10);
    EXPECT_EQ(messages.constLast(), "Send was stopped: the display now holds an incomplete message.");
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_TRUE(control<QWidget>(dlg::kOpen)->isEnabled());
    EXPECT_TRUE(send->isEnabled());
    EXPECT_FALSE(dialog->sending());

    // The next Send goes through whole, with the same packets as before.
    display.onPacket = nullptr;
    messages.clear();
    EXPECT_TRUE(dialog->OnSend());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(display.announcedLength, dialog->deviceImage().length);
}

TEST_F(TessivoDlgTest, EscapeStopsASendWhereverTheFocusIsAndTypesNothing)
{
    attachDisplay();
    type(0, QStringLiteral("Escape"));
    const int typed = document.row(0).n();
    document.setModified(false);
    // The row has the focus, as it has after typing: Escape there stops the download.
    rowWindow(0)->setFocus();
    display.onPacket = [&](int packets) {
        if (packets == 3)
            QMetaObject::invokeMethod(
                dialog.get(), [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
                Qt::BlockingQueuedConnection);
    };
    EXPECT_FALSE(dialog->OnSend());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(display.packets, 3);
    EXPECT_TRUE(messages.constLast().startsWith("Send was stopped"));
    EXPECT_EQ(document.row(0).n(), typed);
    EXPECT_FALSE(document.modified());
    // The focus is back where it was, and the outcome was told.
    EXPECT_EQ(QApplication::focusWidget(), rowWindow(0));
    EXPECT_EQ(control<QWidget>(dlg::kProgress)->accessibleDescription(), "Send was stopped.");

    // A failing display still shows its messages, one by one, while the send waits.
    display.onPacket = nullptr;
    messages.clear();
    display.failWrites = 10;
    EXPECT_FALSE(dialog->OnSend());
    EXPECT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.constLast(), "USB Write Data Failure!");
}

TEST_F(TessivoDlgTest, TheCloseBoxAndCtrlQDuringASendAskThenStopAndLeaveAsWhenIdle)
{
    attachDisplay();
    type(0, QStringLiteral("Leave"));
    bool closed = false;
    QObject::connect(dialog.get(), &QDialog::finished, [&] { closed = true; });
    for (const bool closeBox : {true, false}) {
        for (const int reply : {mb::kIdNo, mb::kIdYes}) {
            SCOPED_TRACE(closeBox ? "close box" : "Ctrl+Q");
            display.packets = 0;
            messages.clear();
            answer = reply;
            display.onPacket = [&](int packets) {
                if (packets == 3)
                    QMetaObject::invokeMethod(
                        dialog.get(),
                        [&] {
                            // The save question that follows is answered No as well.
                            if (closeBox)
                                dialog->close();
                            else
                                QTest::keyClick(rowWindow(0), Qt::Key_Q, Qt::ControlModifier);
                            answer = mb::kIdNo;
                        },
                        Qt::BlockingQueuedConnection);
            };
            const bool sent = dialog->OnSend();
            ASSERT_FALSE(messages.isEmpty());
            EXPECT_TRUE(messages.first().startsWith("Stop sending and leave?"));
            if (reply == mb::kIdNo) {
                // Not stopped: the download ends whole and the window stays.
                EXPECT_TRUE(sent);
                EXPECT_FALSE(closed);
                EXPECT_EQ(messages.size(), 1);
            } else {
                // Stopped after the packet in flight, then the save question, then gone.
                EXPECT_FALSE(sent);
                EXPECT_EQ(display.packets, 3);
                ASSERT_EQ(messages.size(), 2);
                EXPECT_FALSE(messages[1].startsWith("Send was stopped"));
                EXPECT_TRUE(closed);
                closed = false;
                dialog->show();
            }
        }
    }
}

TEST_F(TessivoDlgTest, ALeaveQuestionAnsweredAfterTheSendEndedStillLeaves)
{
    attachDisplay();
    type(0, QStringLiteral("Late"));
    bool closed = false;
    QObject::connect(dialog.get(), &QDialog::finished, [&] { closed = true; });
    // The download runs on to its end while the question is open.
    setMessageBoxHandler([&](const QString &text, unsigned) {
        messages << text;
        if (text.startsWith("Stop sending")) {
            while (dialog->deviceLink().downloading())
                QThread::msleep(1);
            return mb::kIdYes;
        }
        return mb::kIdNo;
    });
    display.onPacket = [&](int packets) {
        if (packets == 2)
            QMetaObject::invokeMethod(dialog.get(), [&] { dialog->close(); }, Qt::QueuedConnection);
    };
    EXPECT_TRUE(dialog->OnSend());
    EXPECT_TRUE(closed);
    EXPECT_FALSE(messages.join("|").contains("Send was stopped"));
}

TEST_F(TessivoDlgTest, SendWithEmptyRowsSaysSo)
{
    QTest::mouseClick(control<QPushButton>(1012), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{"No Data Send!"});
}

TEST_F(TessivoDlgTest, NoListCutsItsTextsInEitherLanguageAndAWiderWindowWidensThem)
{
    const auto listsFit = [this](const char *where) {
        for (const int base : {4001, 5001, 4101}) {
            if (base == 4101 && !document.useMiddle())
                continue;
            const QComboBox *box = list(base, 0);
            const QFontMetrics metrics(box->font());
            for (int i = 0; i < box->count(); ++i)
                EXPECT_LE(metrics.horizontalAdvance(box->itemText(i)) + 20, box->width())
                    << where << ": " << box->itemText(i).toStdString();
        }
    };
    listsFit("English");
    settings.setLanguage(1);
    listsFit("Chinese");
    dialog->OnMiddleOption(true);
    listsFit("Chinese, middle effects");
    settings.setLanguage(0);
    listsFit("English, middle effects");

    const int before = list(4001, 0)->width(), minimum = dialog->minimumWidth();
    dialog->resize(dialog->width() + 120, dialog->height());
    EXPECT_GT(list(4001, 0)->width(), before);
    EXPECT_EQ(list(4001, 0)->width(), list(5001, 0)->width());
    EXPECT_LT(list(5001, 0)->geometry().right(), control<QWidget>(dlg::kScrollBar)->x());
    dialog->resize(minimum - 200, dialog->height());
    EXPECT_EQ(dialog->width(), minimum) << "never narrower than the lists need";
}

} // namespace
} // namespace tessivo::test
