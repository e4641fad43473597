// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The capacity gauge beside the progress bar: what the rows take of the display's
// memory, renewed by every change, red past what a display takes.

#include "support/DialogFixture.h"

#include "document/DeviceImageBuilder.h"

#include <QLabel>
#include <QPushButton>

namespace tessivo::test {
namespace {

class CapacityGaugeTest : public DialogFixture {
protected:
    QLabel *gauge() { return control<QLabel>(dlg::kCapacity); }
    int shownBytes()
    {
        QApplication::processEvents();  // the gauge follows at the next turn of the loop
        return gauge()->text().section(u'/', 0, 0).remove(u',').trimmed().toInt();
    }
};

TEST_F(CapacityGaugeTest, FollowsTypingAndEqualsWhatSendDelivers)
{
    EXPECT_EQ(gauge()->text(), QStringLiteral("0 / 2,047 bytes"));
    EXPECT_EQ(gauge()->accessibleName(), QStringLiteral("Display memory used"));

    type(0, QStringLiteral("AB"));
    const std::vector<ChrRecord> records = document.row(0).ExtractRecords(2, 0);
    // Row count, width, effects, the columns, ten closing zeros (no type byte at 16 LEDs).
    EXPECT_EQ(shownBytes(), 1 + 2 + records[0].byteCount + records[1].byteCount + 10);

    type(1, QStringLiteral("C"));
    const int bytes = shownBytes();
    display.ledType = 2;
    links.attachedTo = 0;
    dialog->deviceLink().OnTimer(link::kDetectTimer);
    QTest::mouseClick(control<QPushButton>(dlg::kSend), Qt::LeftButton);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(display.announcedLength, bytes);

    // A project opened over cleared rows brings its count back.
    filePath = path(QStringLiteral("gauge.LDAT"));
    ASSERT_EQ(dialog->OnSave(), CTessivoDlg::SaveOutcome::Saved);
    answer = mb::kIdNo;
    dialog->OnClear();
    EXPECT_EQ(shownBytes(), 0);
    ASSERT_TRUE(dialog->OpenProjectFile(filePath));
    EXPECT_EQ(shownBytes(), bytes);

    // A row switched off leaves the image; another LED type empties every row.
    document.EnableRow(1, false);
    EXPECT_LT(shownBytes(), bytes);
    document.ChangeLedType(ledtype::k7, true);
    EXPECT_EQ(shownBytes(), 0);
}

TEST_F(CapacityGaugeTest, TurnsRedPastTheLimitAndSendRefuses)
{
    for (int k = 0; k < MessageDocument::kRows && shownBytes() <= 2047; ++k)
        type(k, QStringLiteral("MMMMMMMMMMMMMMMMMM"));
    ASSERT_GT(shownBytes(), 2047);
    EXPECT_TRUE(gauge()->styleSheet().contains(QStringLiteral("color")));
    EXPECT_TRUE(gauge()->toolTip().contains(QStringLiteral("too many")));
    if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
        dialog->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/main-window-full.png"));

    links.attachedTo = 0;
    dialog->deviceLink().OnTimer(link::kDetectTimer);
    QTest::mouseClick(control<QPushButton>(dlg::kSend), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{QStringLiteral("IC ROM Over")});

    // Back under the limit, back to normal.
    for (int k = MessageDocument::kRows - 1; k > 0 && shownBytes() > 2047; --k)
        document.EnableRow(k, false);
    EXPECT_LE(shownBytes(), 2047);
    EXPECT_TRUE(gauge()->styleSheet().isEmpty());
}

} // namespace
} // namespace tessivo::test
