#pragma once
// A settings file with the behaviour of the private-profile functions: case-insensitive
// section and key names, integers read up to the first character that is not a digit,
// strings cut to their field, values replaced in place with every other line, comment
// and order kept. A file that starts with FF FE is UTF-16LE and stays so; any other file
// is read as UTF-8. The whole file is read once and written back in one atomic replace.

#include <QString>
#include <QStringList>
#include <optional>

namespace tessivo {

class IniFile {
public:
    enum class Encoding { Utf16Le, Utf8, Utf8Bom };

    /// Reads a file. A missing or unreadable file gives an empty document that will be
    /// written as UTF-16LE with its byte-order mark; the answer says whether it was read.
    bool load(const QString &path);
    /// Takes the document from bytes (as load does with a file's content).
    void parse(const QByteArray &bytes);
    /// Writes the document to a temporary file and replaces `path` with it.
    bool save(const QString &path) const;
    QByteArray serialize() const;

    Encoding encoding() const { return encoding_; }

    /// The value of a key, trimmed and unquoted; nothing when section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    /// A string value cut to `maxChars` UTF-16 code units; `fallback` when the key is missing.
    QString readString(const QString &section, const QString &key, const QString &fallback,
                       int maxChars) const;
    /// An integer: optional sign and decimal digits, stopping at the first other
    /// character; `fallback` when the key is missing or empty, 0 when no digit follows.
    int readInt(const QString &section, const QString &key, int fallback) const;
    /// Sets a value, replacing the key's line in place or adding it to the end of its
    /// section (and the section to the end of the file).
    void writeString(const QString &section, const QString &key, const QString &value);

    const QStringList &lines() const { return lines_; }

    /// Cuts a text to at most maxChars code units without splitting a surrogate pair.
    static QString cut(const QString &text, int maxChars);
    /// Reads a decimal integer the way the profile functions do, saturating at the
    /// limits of int.
    static int parseInt(const QString &text);

private:
    struct Found {
        int sectionLine = -1;  // the section header, -1 when missing
        int lastLine = -1;     // last line that belongs to the section
        int keyLine = -1;      // the key's line, -1 when missing
    };
    Found find(const QString &section, const QString &key) const;

    QStringList lines_;
    QString eol_ = QStringLiteral("\r\n");
    Encoding encoding_ = Encoding::Utf16Le;
};

} // namespace tessivo
