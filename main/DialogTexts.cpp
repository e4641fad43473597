#include "main/DialogTexts.h"

#include "rows/LedType.h"

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

} // namespace tessivo
