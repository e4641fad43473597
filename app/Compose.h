// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Messages composed on the command line: `--text` rows in order, each with the effects
// the `--open`, `--middle` and `--close` options before it named, typed into a message
// as the window types them; `:PATH:` inside a text puts a picture there, `::` a colon.

#include "document/RowEffects.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QTextStream;

namespace tessivo {

class MessageDocument;

namespace cli {
/// Exit statuses of composing, after those of Send.
enum ComposeStatus : int {
    kBadEffect = 12,     // an effect no list holds
    kTooManyRows = 13,   // a thirteenth --text
    kBadPicture = 14,    // a picture that cannot be read
    kRowFull = 15,       // a row over its limits of characters or columns
};
}

/// An effect by its number in its list or its English name, in any case, with spaces or
/// dashes ("all-display", "From right to left", "6"). `kind` is 0 opening, 1 middle,
/// 2 closing. Nothing for no effect of that list.
std::optional<int> effectByName(const QString &name, int kind);

struct ComposedRow {
    QString text;
    RowEffects effects;
};

struct ComposeRequest {
    std::vector<ComposedRow> rows;
    int ledType = -1;   // -1: the settings' own
    QString font;       // an installed font's family; empty for the glyph files
    bool useMiddle = false;
    bool scalePictures = true;
    QString error;      // what is wrong with the options, when anything is
    int status = 0;     // the exit status for `error`
};

/// One option of a composing command line, with its value from "--name=value" or from
/// the argument after it.
struct ComposeOption {
    QString name;
    QString value;
};
struct ComposeOptions {
    std::vector<ComposeOption> options;  // in their order
    QString error;                       // an unknown option, or a value missing at the end
};
/// Splits the arguments after the program's name into their options: the one reading
/// of a composing command line, for what it asks and for what it composes.
ComposeOptions splitComposeOptions(const QStringList &arguments);

/// Reads the compose options in their order (an effect applies to the rows after it).
ComposeRequest parseComposeOptions(const QStringList &arguments);
/// Whether the arguments ask for composing (any --text).
bool asksToCompose(const QStringList &arguments);

/// Types the rows into the document; warnings (characters without a glyph) and errors
/// go to `messages`. 0, or the status of the first error.
int ComposeMessage(const ComposeRequest &request, MessageDocument &document, QTextStream &messages);

} // namespace tessivo
