// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/AnsiCodePage.h"

#include <array>
#include <cerrno>
#include <cstdlib>
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

// One converter per code page, answering each code once and remembering the answer.
class Converter {
public:
    explicit Converter(int codePage) : cd_(iconv_open(iconvName(codePage), "UTF-16LE"))
    {
        known_.fill(-1);
    }
    ~Converter()
    {
        if (cd_ != iconv_t(-1))
            iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    uint8_t firstByte(uint16_t code)
    {
        int16_t &answer = known_[code];
        if (answer < 0)
            answer = convert(code);
        return uint8_t(answer);
    }

private:
    uint8_t convert(uint16_t code)
    {
        if (code < 0x80)
            return uint8_t(code);  // every supported code page keeps ASCII and the controls
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

    iconv_t cd_;
    std::array<int16_t, 65536> known_;
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

uint8_t ansiFirstByte(uint16_t code, int codePage)
{
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
