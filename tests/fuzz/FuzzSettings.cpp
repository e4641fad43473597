// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file: any bytes, in any of the code pages a user's locale may give,
// are read without harm, and what the program writes back reads as the same settings.

#include "FuzzInput.h"

#include "settings/IniFile.h"
#include "settings/Settings.h"

using namespace tessivo;

namespace {

constexpr int kCodePages[] = {1252, 936, 950, 932, 949};

void readAll(const IniFile &ini, Settings &settings)
{
    settings.languages.ReadLanguages(ini);
    settings.ReadSettings(ini);
}

} // namespace

TESSIVO_FUZZ_TARGET
{
    fuzz::Input input(data, size);
    const int codePage = kCodePages[input.byte() % std::size(kCodePages)];
    const std::string_view file = input.rest();
    IniFile ini;
    ini.parse(QByteArray(file.data(), qsizetype(file.size())), codePage);
    Settings first;
    readAll(ini, first);

    // The exit's write: the section "Set", the code pages and the added languages.
    first.WriteSettings(ini);
    LanguageTable::WriteLangCodePage(ini);
    first.languages.WriteLanguages(ini);
    IniFile written;
    written.parse(ini.serialize(), codePage);
    Settings second;
    readAll(written, second);

    fuzz::check(second.bUserFont == first.bUserFont, "bUserFont reads back as written");
    // A line break read inside a value is written as a space, or it would split the line;
    // a value cut to its field may end in a space, which the next read trims.
    QString sysFont = first.SysFont;
    sysFont.replace(u'\r', u' ').replace(u'\n', u' ');
    fuzz::check(second.SysFont == sysFont.trimmed(), "SysFont reads back as written");
    fuzz::check(second.LedType == first.LedType, "LedType reads back as written");
    fuzz::check(second.LedColor == first.LedColor, "LedColor reads back as written");
    fuzz::check(second.LedGap11 == first.LedGap11, "LedGap11 reads back as written");
    fuzz::check(second.LedScrW11 == first.LedScrW11, "LedScrW11 reads back as it was");
    fuzz::check(second.MakeChrWndCx == first.MakeChrWndCx && second.MakeChrWndCy == first.MakeChrWndCy,
                "the editor's size reads back as written");
    fuzz::check(second.languages.count() == first.languages.count() &&
                    second.languages.currentIndex() == first.languages.currentIndex(),
                "the languages written read back as they were");
    for (int i = 0; i < first.languages.count(); ++i)
        fuzz::check(second.languages.name(i) == first.languages.name(i), "a language keeps its name");
    return 0;
}
