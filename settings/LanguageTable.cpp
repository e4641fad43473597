// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/LanguageTable.h"

#include "settings/IniFile.h"

#include <algorithm>

namespace tessivo {
namespace {

// The 63 texts of a built-in language in settings-file order.
using BuiltinTexts = std::array<const char16_t *, 63>;

constexpr BuiltinTexts kChineseTexts = {
    u"从左到右开", // B1
    u"从右到左开", // B2
    u"从上到下开", // B3
    u"从下到上开", // B4
    u"从中间到两边开", // B5
    u"从两边到中间开", // B6
    u"全显开", // B7
    u"逆时针旋转", // D1
    u"顺时针旋转", // D2
    u"闪烁2次", // D3
    u"停留", // D4
    u"从右到左关", // E1
    u"从左到右关", // E2
    u"从下到上关", // E3
    u"从上到下关", // E4
    u"从两边到中间关", // E5
    u"从中间到两边关", // E6
    u"全灭", // E7
    u"打开", // C1
    u"保存", // C2
    u"清除", // C3
    u"LED类型", // C4
    u"用户字库", // C5
    u"系统字库", // C6
    u"语言", // C7
    u"显示内容", // C8
    u"开幕方式", // C9
    u"闭幕方式", // C10
    u"灯色", // C11
    u"开始", // C12
    u"停止", // C13
    u"发送", // C14
    u"退出", // C15
    u"提示", // C16
    u"中间过程", // C17
    u"用中间过程", // C18
    u"使用用户字库时:[b]  英文每段最多可以[b]输入18个字", // L1
    u"使用用户字库时:[b]  英文每段最多可以[b]输入18个字[b]  中文每段最多可以[b]输入12个字", // L2
    u"使用用户字库时:[b]  英文每段最多可以[b]输入18个字[b]  中文每段最多可以[b]输入9个字", // L3
    u"撤消", // M1
    u"重复", // M2
    u"剪切", // M3
    u"复制", // M4
    u"粘贴字符图形", // M5
    u"粘贴自文本", // M6
    u"删除", // M7
    u"全选", // M8
    u"清除图板", // M9
    u"粘贴", // M10
    u"左转90度", // M11
    u"右转90度", // M12
    u"旋转180度", // M13
    u"水平镜向", // M14
    u"垂直镜向", // M15
    u"反色", // M16
    u"镂空", // M17
    u"红色", // M18
    u"绿色", // M19
    u"蓝色", // M20
    u"黄色", // M21
    u"网格大小", // M22
    u"旋转", // M23
    u"镜向", // M24
};

constexpr BuiltinTexts kEnglishTexts = {
    u"Left to Right", // B1
    u"Right to Left", // B2
    u"Up to Down", // B3
    u"Down to Up", // B4
    u"Middle to Two nearby", // B5
    u"Two nearby to Middle", // B6
    u"All display", // B7
    u"Contra rotation", // D1
    u"Clockwise rotation", // D2
    u"Flash 2 times", // D3
    u"Remain", // D4
    u"From right to left", // E1
    u"From left to right", // E2
    u"From down to up", // E3
    u"From up to down", // E4
    u"From middle to two nearby", // E5
    u"From two nearby to middle", // E6
    u"All extinguishes", // E7
    u"Open", // C1
    u"Save", // C2
    u"Clear", // C3
    u"LedType", // C4
    u"UserFont", // C5
    u"SysFont", // C6
    u"Language", // C7
    u"Dispaly Data", // C8
    u"Open Option", // C9
    u"Close Option", // C10
    u"Color", // C11
    u"Start", // C12
    u"Stop", // C13
    u"Send", // C14
    u"Exit", // C15
    u"Note", // C16
    u"Middle Option", // C17
    u"Use Middle Option", // C18
    u"English each section most may input 18 characters", // L1
    u"English each section most may input 18 characters.", // L2
    u"English each section most may input 18 characters.", // L3
    u"Undo", // M1
    u"Redo", // M2
    u"Cut", // M3
    u"Copy", // M4
    u"Paste Graph", // M5
    u"Paste Text", // M6
    u"Delete", // M7
    u"Select All", // M8
    u"Clear All", // M9
    u"Paste", // M10
    u"Left Rotate 90", // M11
    u"Right Rotate 90", // M12
    u"Rotate 180", // M13
    u"Horizontal Mirror", // M14
    u"Vertical Mirror", // M15
    u"Inverse Color", // M16
    u"Hollow", // M17
    u"Red", // M18
    u"Green", // M19
    u"Blue", // M20
    u"Yellow", // M21
    u"Grid Size", // M22
    u"Rotate", // M23
    u"Mirror", // M24
};

LanguageRecord makeRecord(const char16_t *name, uint16_t langId, const BuiltinTexts &texts)
{
    LanguageRecord record{};
    setField(record.name, QString::fromUtf16(name));
    record.langId = langId;
    auto keys = languageKeys(record);
    for (size_t i = 0; i < keys.size(); ++i) {
        const QString text = QString::fromUtf16(texts[i]);
        std::fill(keys[i].field, keys[i].field + keys[i].size, u'\0');
        std::copy(text.utf16(), text.utf16() + std::min<qsizetype>(text.size(), keys[i].size - 1),
                  keys[i].field);
    }
    return record;
}

const QString kLanguageSection = QStringLiteral("Language");
const QString kCodePageSection = QStringLiteral("LangCodePage");
constexpr int kMaxValue = 159;   // a "Language" value
constexpr int kMaxName = 39;

/// Reads hexadecimal digits up to the first other character; no digit gives 0.
uint16_t parseHex(const QString &text)
{
    uint32_t value = 0;
    for (const QChar c : text) {
        const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
        if (digit < 0)
            break;
        value = (value << 4 | uint32_t(digit)) & 0xFFFFF;
    }
    return uint16_t(value);
}

QString textOf(const LanguageKey &key)
{
    const char16_t *end = std::find(key.field, key.field + key.size, u'\0');
    return QString::fromUtf16(key.field, qsizetype(end - key.field));
}

bool sameName(const QString &a, const char16_t *b)
{
    return a.compare(QString::fromUtf16(b), Qt::CaseInsensitive) == 0;
}

} // namespace

std::array<LanguageKey, 63> languageKeys(LanguageRecord &record)
{
    std::array<LanguageKey, 63> keys{};
    size_t k = 0;
    const auto add = [&](const char *prefix, auto &fields, int count) {
        for (int i = 0; i < count; ++i)
            keys[k++] = {QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i + 1), fields[i],
                         int(std::size(fields[i]))};
    };
    add("B", record.B, 7);
    add("D", record.D, 4);
    add("E", record.E, 7);
    add("C", record.C, 18);
    add("L", record.L, 3);
    add("M", record.M, 24);
    return keys;
}

const LanguageRecord &builtinChinese()
{
    static const LanguageRecord record = makeRecord(u"简体中文", 0x0804, kChineseTexts);
    return record;
}

const LanguageRecord &builtinEnglish()
{
    static const LanguageRecord record = makeRecord(u"English", 0x0409, kEnglishTexts);
    return record;
}

const std::array<CodePageEntry, 9> &langCodePages()
{
    static const std::array<CodePageEntry, 9> entries = {{
        {u"简体中文", 0x0804},
        {u"繁体中文", 0x0404},
        {u"日文", 0x0011},
        {u"韩文", 0x0012},
        {u"英文", 0x0409},
        {u"法文", 0x040C},
        {u"德文", 0x0007},
        {u"意大利文", 0x0010},
        {u"西班牙文", 0x000A},
    }};
    return entries;
}

LanguageTable::LanguageTable() : records_(1, builtinChinese()) {}

void LanguageTable::ReadLanguages(const IniFile &ini)
{
    needChinese_ = needEnglish_ = true;
    records_.clear();
    for (int k = 1; k <= kMaxLanguages; ++k) {
        const QString value = ini.readString(kLanguageSection, QString::number(k), {}, kMaxValue);
        if (value.isEmpty())
            continue;
        const qsizetype comma = value.indexOf(u',');
        const QString name = IniFile::cut(comma < 0 ? value : value.left(comma), kMaxName);
        if (name.isEmpty())
            continue;
        LanguageRecord &record = records_.emplace_back();
        setField(record.name, name);
        if (comma >= 0)
            record.langId = parseHex(value.mid(comma + 1));
    }
    for (LanguageRecord &record : records_) {
        const QString section = fieldText(record.name);
        for (LanguageKey &key : languageKeys(record)) {
            const QString text = ini.readString(section, key.key, {}, key.size - 1);
            std::fill(key.field, key.field + key.size, u'\0');
            std::copy(text.utf16(), text.utf16() + text.size(), key.field);
        }
        if (sameName(section, builtinChinese().name))
            needChinese_ = false;
        if (sameName(section, builtinEnglish().name))
            needEnglish_ = false;
    }
    current_ = 0;

    const auto addBuiltin = [this](bool &need, const LanguageRecord &builtin) {
        if (!need)
            return;
        if (count() < kMaxLanguages) {
            current_ = count();
            records_.push_back(builtin);
        } else {
            need = false;
        }
    };
    addBuiltin(needEnglish_, builtinEnglish());
    addBuiltin(needChinese_, builtinChinese());
}

void LanguageTable::WriteLanguages(IniFile &ini) const
{
    if (!needChinese_ && !needEnglish_)
        return;
    const int first = std::max(0, count() - int(needChinese_) - int(needEnglish_));
    // The built-in languages go behind every key the file uses, so that no language of
    // the user's is replaced and the order of the table stays the same at the next
    // start. A file whose keys 1 to n are its n languages gets keys n + 1 and n + 2.
    int used = kMaxLanguages;
    while (used > 0 && ini.readString(kLanguageSection, QString::number(used), {}, kMaxValue).isEmpty())
        --used;
    // A language without a key left is added again at the next start.
    const int last = std::min(count(), first + kMaxLanguages - used);
    for (int r = first; r < last; ++r)
        ini.writeString(kLanguageSection, QString::number(used + 1 + (r - first)), name(r));
    for (int r = first; r < last; ++r) {
        LanguageRecord record = records_[size_t(r)];
        const QString section = fieldText(record.name);
        for (const LanguageKey &key : languageKeys(record))
            ini.writeString(section, key.key, textOf(key));
    }
}

void LanguageTable::WriteLangCodePage(IniFile &ini)
{
    int k = 1;
    for (const CodePageEntry &entry : langCodePages())
        ini.writeString(kCodePageSection, QString::number(k++),
                        fieldText(entry.name) + u',' +
                            QString::number(entry.langId, 16).rightJustified(4, u'0').toUpper());
}

} // namespace tessivo
