// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main/DialogTexts.h"

#include <QFileInfo>

#include "document/MessageDocument.h"
#include "link/Protocol.h"
#include "rows/LedType.h"

#include <QLocale>
#include <QStringList>

namespace tessivo {

QString noteText(const LanguageRecord &language, int ledType)
{
    QString text = fieldText(language.L[clampLedType(ledType)]);
    text.replace(QStringLiteral("[b]"), QStringLiteral("\n\n"));
    return text;
}

QString ledTypeCaption(const QString &current, int ledCount)
{
    const qsizetype lineFeed = current.indexOf(QLatin1Char('\n'));
    const QString head = lineFeed < 0 ? current : current.left(lineFeed);
    return head + QStringLiteral("\n(%1Led)").arg(ledCount);
}

QString byteCount(int bytes) { return QLocale(QLocale::English).toString(bytes); }

QString cutRowsList(const std::vector<CutRow> &cut)
{
    QStringList rows;
    for (const CutRow &row : cut)
        rows << QStringLiteral("row %1 (%2)").arg(row.row + 1).arg(row.stored - row.kept);
    return rows.join(QStringLiteral(", "));
}

QString capacityText(int bytes)
{
    return QStringLiteral("%1 / %2 bytes").arg(byteCount(bytes), byteCount(protocol::kLargestImage));
}

bool overCapacity(int bytes) { return !protocol::fitsDisplay(bytes); }

QString capacityToolTip(int bytes)
{
    if (!overCapacity(bytes))
        return QStringLiteral("What the rows take of the display's memory");
    return QStringLiteral("%1 bytes too many: the display holds %2. Shorten or switch off rows before Send.")
        .arg(byteCount(bytes - protocol::kLargestImage), byteCount(protocol::kLargestImage));
}

QString ownText(const LanguageRecord &language, const char *english, const char16_t *chinese)
{
    return speaksChinese(language) ? QString::fromUtf16(chinese) : QString::fromUtf8(english);
}

QString windowTitleFor(const QString &caption, const QString &projectPath)
{
    if (projectPath.isEmpty())
        return caption + QStringLiteral("[*]");
    return QFileInfo(projectPath).fileName() + QStringLiteral("[*] \u2014 ") + caption.trimmed();
}

} // namespace tessivo
