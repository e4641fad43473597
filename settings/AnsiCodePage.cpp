// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/AnsiCodePage.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>

namespace tessivo {
namespace {

constexpr int kDefaultCodePage = 1252;
int currentCodePage = 0;  // 0: not chosen yet

const char *iconvName(int codePage)
{
    switch (codePage) {
    case 936: return "CP936";
    case 950: return "CP950";
    case 932: return "CP932";
    case 949: return "CP949";
    default: return "CP1252";
    }
}

// Windows-1252 beyond ASCII: the characters of bytes 0x80 to 0x9F, 0 for the five bytes
// it leaves out; bytes 0xA0 to 0xFF are the same as in Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// One converter per code page, answering each code once and remembering the answer,
// in blocks of 256 codes made when a code of the block is first asked.
class Converter {
public:
    explicit Converter(int codePage) : cd_(iconv_open(iconvName(codePage), "UTF-16LE")) {}
    ~Converter()
    {
        if (cd_ != iconv_t(-1))
            iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    uint8_t firstByte(uint16_t code)
    {
        if (code < 0x80)
            return uint8_t(code);  // every supported code page keeps ASCII and the controls
        std::unique_ptr<Block> &block = known_[code >> 8];
        if (!block) {
            block = std::make_unique<Block>();
            block->fill(-1);
        }
        int16_t &answer = (*block)[code & 0xFF];
        if (answer < 0)
            answer = convert(code);
        return uint8_t(answer);
    }

private:
    uint8_t convert(uint16_t code)
    {
        if (cd_ == iconv_t(-1))
            return '?';
        char16_t in[1] = {char16_t(code)};
        char out[8] = {};
        char *inPtr = reinterpret_cast<char *>(in);
        char *outPtr = out;
        size_t inLeft = sizeof in, outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || outPtr == out)
            return '?';
        return uint8_t(out[0]);
    }

    using Block = std::array<int16_t, 256>;
    iconv_t cd_;
    std::array<std::unique_ptr<Block>, 256> known_;
};

} // namespace

int codePageForLocale(const std::string &locale)
{
    const auto startsWith = [&locale](const char *prefix) {
        return locale.rfind(prefix, 0) == 0;
    };
    if (startsWith("zh_TW") || startsWith("zh_HK") || startsWith("zh_MO"))
        return 950;
    if (startsWith("zh"))
        return 936;
    if (startsWith("ja"))
        return 932;
    if (startsWith("ko"))
        return 949;
    return kDefaultCodePage;
}

int ansiCodePage()
{
    if (currentCodePage == 0) {
        // The locale the user asked for, in the order the C library consults it.
        std::string locale;
        for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char *value = std::getenv(name);
            if (value && *value) {
                locale = value;
                break;
            }
        }
        currentCodePage = codePageForLocale(locale);
    }
    return currentCodePage;
}

void setAnsiCodePage(int codePage) { currentCodePage = codePage; }

uint8_t windows1252Byte(uint16_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return uint8_t(code);
    for (int i = 0; i < 32; ++i)
        if (kWindows1252High[i] == code)  // never 0 here: the bytes left out match nothing
            return uint8_t(0x80 + i);
    return '?';
}

uint8_t ansiFirstByte(uint16_t code, int codePage)
{
    // The default code page is a table of its own: no converter to load at start-up.
    if (std::strcmp(iconvName(codePage), "CP1252") == 0)
        return windows1252Byte(code);
    static std::map<int, std::unique_ptr<Converter>> converters;
    auto &converter = converters[codePage];
    if (!converter)
        converter = std::make_unique<Converter>(codePage);
    return converter->firstByte(code);
}

uint8_t ansiFirstByte(uint16_t code) { return ansiFirstByte(code, ansiCodePage()); }

namespace {

/// An iconv descriptor for one conversion, closed with the object.
class Iconv {
public:
    Iconv(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok())
            iconv_close(cd_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool ok() const { return cd_ != iconv_t(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

QString decodeCodePage(const QByteArray &bytes, int codePage)
{
    Iconv cd("UTF-16LE", iconvName(codePage));
    if (!cd.ok())
        return QString::fromLatin1(bytes);
    QString text;
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char16_t out[256];
        char *outPtr = reinterpret_cast<char *>(out);
        size_t outLeft = sizeof out;
        const size_t result = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        text.append(reinterpret_cast<const QChar *>(out), qsizetype((sizeof out - outLeft) / 2));
        if (result == size_t(-1) && errno != E2BIG) {
            // A byte the code page does not define (or a cut lead byte): mark it, go on.
            text.append(QChar(0xFFFD));
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return text;
}

std::optional<QByteArray> encodeCodePage(const QString &text, int codePage)
{
    Iconv cd(iconvName(codePage), "UTF-16LE");
    if (!cd.ok())
        return std::nullopt;
    QByteArray bytes;
    char *in = reinterpret_cast<char *>(const_cast<ushort *>(text.utf16()));
    size_t inLeft = size_t(text.size()) * 2;
    while (inLeft > 0) {
        char out[512];
        char *outPtr = out;
        size_t outLeft = sizeof out;
        const size_t result = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        bytes.append(out, qsizetype(sizeof out - outLeft));
        if (result == size_t(-1) ? errno != E2BIG : result > 0)
            return std::nullopt;  // no place for a character, or only an approximation
    }
    return bytes;
}

} // namespace tessivo
