// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The language sections: a table built from any settings text holds at most its
// sixteen languages, each text within its field, and the languages it added at exit
// are the ones it finds at the next start.

#include "FuzzInput.h"

#include "settings/IniFile.h"
#include "settings/LanguageTable.h"

#include <QString>

using namespace tessivo;

TESSIVO_FUZZ_TARGET
{
    fuzz::Input input(data, size);
    // Most of the sections' structure is text: the input is taken as UTF-8 lines
    // (what a user edits), so that the fuzzer reaches the keys quickly.
    const std::string_view file = input.rest();
    IniFile ini;
    ini.parse(QByteArray(file.data(), qsizetype(file.size())));
    LanguageTable table;
    table.ReadLanguages(ini);
    fuzz::check(table.count() >= 1 && table.count() <= LanguageTable::kMaxLanguages,
                "the table holds one to sixteen languages");
    for (int i = 0; i < table.count(); ++i) {
        LanguageRecord record = table.record(i);
        for (const LanguageKey &key : languageKeys(record)) {
            int length = 0;
            while (length < key.size && key.field[length] != 0)
                ++length;
            fuzz::check(length < key.size, "every text ends inside its field");
        }
    }

    table.WriteLanguages(ini);
    IniFile written;
    written.parse(ini.serialize());
    LanguageTable next;
    next.ReadLanguages(written);
    fuzz::check(next.count() == table.count(), "the next start finds the same languages");
    for (int i = 0; i < table.count(); ++i)
        fuzz::check(next.name(i) == table.name(i), "a language keeps its name and place");
    return 0;
}
