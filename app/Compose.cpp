// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Compose.h"

#include "document/MessageDocument.h"
#include "rows/PictureRecords.h"
#include "rows/RowModel.h"
#include "settings/LanguageTable.h"

#include <QTextStream>

namespace tessivo {

namespace {

QString normalised(QString name)
{
    name = name.toLower().replace(u'-', u' ').replace(u'_', u' ');
    return name.simplified();
}

} // namespace

std::optional<int> effectByName(const QString &name, int kind)
{
    const LanguageRecord &english = builtinEnglish();
    const int count = kind == 0 ? effect::kOpenings : kind == 1 ? effect::kMiddles : effect::kClosings;
    bool number = false;
    const int index = name.trimmed().toInt(&number);
    if (number)
        return index >= 0 && index < count ? std::optional<int>(index) : std::nullopt;
    const QString wanted = normalised(name);
    for (int i = 0; i < count; ++i) {
        const QString text = kind == 0 ? fieldText(english.B[i]) : kind == 1 ? fieldText(english.D[i]) : fieldText(english.E[i]);
        if (normalised(text) == wanted)
            return i;
    }
    return std::nullopt;
}

bool asksToCompose(const QStringList &arguments)
{
    for (const QString &argument : arguments)
        if (argument == QStringLiteral("--text") || argument.startsWith(QStringLiteral("--text=")))
            return true;
    return false;
}

ComposeOptions splitComposeOptions(const QStringList &arguments)
{
    static const QStringList withValue = {QStringLiteral("--text"), QStringLiteral("--led"), QStringLiteral("--font"),
                                          QStringLiteral("--open"), QStringLiteral("--middle"),
                                          QStringLiteral("--close"), QStringLiteral("--save"),
                                          QStringLiteral("--animation")};
    static const QStringList withoutValue = {QStringLiteral("--send"), QStringLiteral("--quiet"),
                                             QStringLiteral("-q"), QStringLiteral("--no-scale")};
    ComposeOptions split;
    for (int i = 1; i < arguments.size(); ++i) {
        ComposeOption option{arguments[i], {}};
        const qsizetype equals = option.name.indexOf(u'=');
        const bool inlineValue = option.name.startsWith(QStringLiteral("--")) && equals > 0;
        if (inlineValue) {
            option.value = option.name.mid(equals + 1);
            option.name.truncate(equals);
        }
        if (withValue.contains(option.name)) {
            if (!inlineValue) {
                if (i + 1 >= arguments.size()) {
                    split.error = QStringLiteral("Missing value after '%1'.").arg(option.name);
                    return split;
                }
                option.value = arguments[++i];
            }
        } else if (inlineValue || !withoutValue.contains(option.name)) {
            split.error = QStringLiteral("Unknown option or argument with --text: '%1'.").arg(arguments[i]);
            return split;
        }
        split.options.push_back(option);
    }
    return split;
}

ComposeRequest parseComposeOptions(const QStringList &arguments)
{
    ComposeRequest request;
    RowEffects effects;
    const auto fail = [&request](int status, const QString &error) {
        if (request.error.isEmpty()) {
            request.error = error;
            request.status = status;
        }
    };
    const ComposeOptions split = splitComposeOptions(arguments);
    if (!split.error.isEmpty())
        fail(2, split.error);
    for (const auto &[option, value] : split.options) {
        if (option == QStringLiteral("--text")) {
            if (request.rows.size() == size_t(MessageDocument::kRows)) {
                fail(cli::kTooManyRows, QStringLiteral("a message holds at most 12 rows"));
                continue;
            }
            request.rows.push_back({value, effects});
        } else if (option == QStringLiteral("--open") || option == QStringLiteral("--middle") ||
                   option == QStringLiteral("--close")) {
            const int kind = option == QStringLiteral("--open") ? 0 : option == QStringLiteral("--middle") ? 1 : 2;
            const std::optional<int> found = effectByName(value, kind);
            if (!found) {
                fail(cli::kBadEffect, QStringLiteral("%1 %2: no such effect").arg(option, value));
                continue;
            }
            (kind == 0 ? effects.opening : kind == 1 ? effects.middle : effects.closing) = *found;
            if (kind == 1)
                request.useMiddle = true;
        } else if (option == QStringLiteral("--led")) {
            request.ledType = value == QStringLiteral("7") ? ledtype::k7 : value == QStringLiteral("11") ? ledtype::k11
                              : value == QStringLiteral("16") ? ledtype::k16 : -2;
            if (request.ledType == -2)
                fail(2, QStringLiteral("--led %1: the displays have 7, 11 or 16 LEDs").arg(value));
        } else if (option == QStringLiteral("--font")) {
            request.font = value;
        } else if (option == QStringLiteral("--no-scale")) {
            request.scalePictures = false;
        }
    }
    return request;
}

int ComposeMessage(const ComposeRequest &request, MessageDocument &document, QTextStream &messages)
{
    if (request.ledType >= 0)
        document.ChangeLedType(request.ledType, true);
    if (!request.font.isEmpty())
        document.setGlyphSource({false, request.font});
    document.setUseMiddle(request.useMiddle);
    for (size_t k = 0; k < request.rows.size(); ++k) {
        const ComposedRow &composed = request.rows[k];
        const int r = int(k);
        document.EnableRow(r, true);
        document.setEffects(r, composed.effects);
        RowModel &row = document.row(r);
        QString missing;
        const QString &text = composed.text;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == u':' && i + 1 < text.size() && text[i + 1] == u':') {
                ++i;  // "::" is a colon
            } else if (c == u':') {
                const qsizetype end = text.indexOf(u':', i + 1);
                if (end < 0) {
                    messages << QStringLiteral("tessivo: row %1: \"%2\" has no closing colon: a picture is "
                                               ":PATH:, a colon ::\n").arg(r + 1).arg(text.mid(i));
                    return cli::kBadPicture;
                }
                const QString path = text.mid(i + 1, end - i - 1);
                const QImage picture = readPicture(path);
                if (picture.isNull()) {
                    messages << QStringLiteral("tessivo: row %1: %2: no picture that can be read\n").arg(r + 1).arg(path);
                    return cli::kBadPicture;
                }
                const int leftOut = row.InsertPicture(picture, request.scalePictures);
                if (leftOut != 0) {
                    messages << QStringLiteral("tessivo: row %1: the picture %2 does not fit: the row is full\n")
                                    .arg(r + 1)
                                    .arg(path);
                    return cli::kRowFull;
                }
                i = end;
                continue;
            }
            const int before = row.n();
            row.TypeChar(c.unicode());
            if (row.n() == before) {
                if (row.n() >= kMaxRowChars || row.usedWidth() >= row.rowWidth()) {
                    messages << QStringLiteral("tessivo: row %1: \"%2\" does not fit: a row holds %3 columns "
                                               "and %4 characters\n")
                                    .arg(r + 1)
                                    .arg(text.mid(i))
                                    .arg(row.rowWidth())
                                    .arg(kMaxRowChars);
                    return cli::kRowFull;
                }
                missing += c;
            }
        }
        if (!missing.isEmpty())
            messages << QStringLiteral("tessivo: row %1: no glyph for \"%2\"; left out\n").arg(r + 1).arg(missing);
    }
    messages.flush();
    return 0;
}

} // namespace tessivo
