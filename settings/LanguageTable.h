// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The language table: every text of the user interface that changes with the language.
// Simplified Chinese and English are built in; further languages come from the settings
// file. Texts are fixed arrays of 16-bit characters, zero-terminated inside the array.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace tessivo {

class IniFile;

struct LanguageRecord {
    char16_t name[40];
    uint16_t langId;
    char16_t B[7][80];   // opening effects 0-6
    char16_t D[4][80];   // middle effects 0-3
    char16_t E[7][80];   // closing effects 0-6
    char16_t C[18][40];  // captions of the main dialog
    char16_t L[3][200];  // the note for LED types 0, 1, 2
    char16_t M[40][40];  // menu texts; M1-M24 are used
};

/// Copies a text into a fixed field, cut to the field's size less one.
template <size_t N>
void setField(char16_t (&field)[N], const QString &text)
{
    const QString cut = text.left(qsizetype(N - 1));
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy(cut.utf16(), cut.utf16() + cut.size(), field);
}

template <size_t N>
QString fieldText(const char16_t (&field)[N])
{
    size_t length = 0;
    while (length < N && field[length] != 0)
        ++length;
    return QString::fromUtf16(field, qsizetype(length));
}

/// The 63 texts of a record in their settings-file order: B1-B7, D1-D4, E1-E7, C1-C18,
/// L1-L3, M1-M24, each with its key and its field's length.
struct LanguageKey {
    QString key;
    char16_t *field;
    int size;
};
std::array<LanguageKey, 63> languageKeys(LanguageRecord &record);

/// Whether texts beyond the table (the program's own additions) are shown in Chinese
/// for this language: its id names Chinese. Every other language gets them in English.
inline bool speaksChinese(const LanguageRecord &record)
{
    return (record.langId & 0x3FF) == 0x004;
}

/// The built-in records.
const LanguageRecord &builtinChinese();
const LanguageRecord &builtinEnglish();

/// The names the section "LangCodePage" lists for a user to copy.
struct CodePageEntry {
    char16_t name[20];
    uint16_t langId;
};
const std::array<CodePageEntry, 9> &langCodePages();

class LanguageTable {
public:
    static constexpr int kMaxLanguages = 16;

    /// Slot 0 holds the built-in Simplified Chinese record; count 1, index 0.
    LanguageTable();

    /// Fills the table from the settings (section "Language" and one section per
    /// language), then adds the built-in languages the file lacks.
    void ReadLanguages(const IniFile &ini);
    /// Writes the built-in languages that ReadLanguages added.
    void WriteLanguages(IniFile &ini) const;
    /// Writes the section "LangCodePage".
    static void WriteLangCodePage(IniFile &ini);

    int count() const { return int(records_.size()); }
    int currentIndex() const { return current_; }
    /// Selects a language; an index outside the table selects the first.
    void setCurrentIndex(int index) { current_ = (index >= 0 && index < count()) ? index : 0; }
    const LanguageRecord &current() const { return records_[size_t(current_)]; }
    /// The record of a language in the table, 0 <= index < count().
    const LanguageRecord &record(int index) const { return records_[size_t(index)]; }
    QString name(int index) const { return fieldText(records_[size_t(index)].name); }

private:
    // Only the languages there are: a record is nearly 9 KB.
    std::vector<LanguageRecord> records_;
    int current_ = 0;
    bool needChinese_ = false;
    bool needEnglish_ = false;
};

} // namespace tessivo
