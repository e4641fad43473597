// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preview/Keyboard.h"

#include <algorithm>
#include <cstring>

namespace tessivo {

namespace {

bool blank(const ChrRecord &r)
{
    return std::all_of(r.columns, r.columns + std::min<int>(r.byteCount, kColumnBytes),
                       [](uint8_t byte) { return byte == 0; });
}

bool sameGlyph(const ChrRecord &a, const ChrRecord &b)
{
    return a.byteCount == b.byteCount && a.width == b.width && a.height == b.height &&
           std::memcmp(a.columns, b.columns, std::min<size_t>(a.byteCount, kColumnBytes)) == 0;
}

} // namespace

std::vector<ChrRecord> FillKeys(int maxCode, const KeyLookup &lookup)
{
    std::vector<ChrRecord> keys;
    const int last = std::min(maxCode, keys::kMaxCode);
    for (int code = 1; code <= last; ++code) {
        ChrRecord record = emptyRecord();
        if (!lookup(uint16_t(code), record))
            continue;
        record.code = uint16_t(code);
        if (code != ' ' && blank(record))
            continue;
        if (std::any_of(keys.begin(), keys.end(), [&](const ChrRecord &key) { return sameGlyph(key, record); }))
            continue;
        keys.push_back(record);
    }
    return keys;
}

KeyLookup keyLookupFor(const KeyLookup &lookup, bool installedFont, const std::function<bool(uint16_t)> &faceHas)
{
    if (!installedFont)
        return lookup;
    return [lookup, faceHas](uint16_t code, ChrRecord &record) {
        if (code < 32 && !faceHas(code))
            return false;
        return lookup(code, record);
    };
}

void Keyboard::Fill(std::vector<ChrRecord> keys, int ledType)
{
    keys_ = std::move(keys);
    ledType_ = ledType;
    topLine_ = 0;
    hotKey_ = litKey_ = focusKey_ = -1;
}

void Keyboard::Resize(int clientWidth, int clientHeight)
{
    gridRect_ = QRect(0, 0, clientWidth - keys::kScrollBarWidth, clientHeight).adjusted(2, 2, -2, -2);
    topLine_ = 0;
    visibleLines_ = clientHeight / keys::kPitch;
    litKey_ = -1;
}

bool Keyboard::Scroll(keys::Scroll action, int thumb)
{
    const int before = topLine_;
    const int lines = lineCount();
    switch (action) {
    case keys::Scroll::LineUp:
        if (topLine_ > 0)
            --topLine_;
        break;
    case keys::Scroll::LineDown:
        if (topLine_ + visibleLines_ < lines)
            ++topLine_;
        break;
    case keys::Scroll::PageUp:
        if (topLine_ > 0)
            topLine_ = std::max(0, topLine_ - visibleLines_);
        break;
    case keys::Scroll::PageDown:
        if (topLine_ + visibleLines_ < lines)
            topLine_ = std::max(0, std::min(topLine_ + visibleLines_, lines - visibleLines_));
        break;
    case keys::Scroll::ThumbTrack:
        topLine_ = std::clamp(thumb, 0, lastTopLine());
        break;
    default:
        break;
    }
    if (topLine_ != before)
        litKey_ = -1;
    return topLine_ != before;
}

int Keyboard::HitTest(QPoint point) const
{
    const int dx = point.x() - gridRect_.left();
    const int dy = point.y() - gridRect_.top();
    if (dx < 0 || dy < 0)
        return -1;
    const int column = dx / keys::kPitch, line = dy / keys::kPitch;
    if (dx % keys::kPitch >= keys::kSize || dy % keys::kPitch >= keys::kSize)
        return -1;  // the gap between two keys
    if (column >= keys::kPerLine || line >= visibleLines_)
        return -1;
    const int k = (line + topLine_) * keys::kPerLine + column;
    return k < keyCount() ? k : -1;
}

QRect Keyboard::cellRect(int k) const
{
    if (k < 0 || k >= keyCount())
        return {};
    const int line = k / keys::kPerLine, column = k % keys::kPerLine;
    if (line < topLine_ || line >= topLine_ + visibleLines_)
        return {};
    return QRect(gridRect_.left() + column * keys::kPitch, gridRect_.top() + (line - topLine_) * keys::kPitch,
                 keys::kSize, keys::kSize);
}

std::vector<int> Keyboard::MouseMove(QPoint point)
{
    std::vector<int> changed;
    const int key = HitTest(point);
    // Whatever was lit or hot before and is not under the pointer now is drawn again,
    // so no key stays highlighted after the pointer went on to another or left.
    for (const int before : {hotKey_, litKey_})
        if (before != -1 && before != key && std::find(changed.begin(), changed.end(), before) == changed.end())
            changed.push_back(before);
    if (key >= 0 && key != litKey_)
        changed.push_back(key);
    hotKey_ = litKey_ = key;
    return changed;
}

std::vector<int> Keyboard::MousePress(QPoint point)
{
    const int key = HitTest(point);
    if (key < 0)
        return {};
    // While the button is held the key shows its normal face.
    std::vector<int> changed{key};
    if (litKey_ != -1 && litKey_ != key)
        changed.push_back(litKey_);
    hotKey_ = key;
    litKey_ = -1;
    return changed;
}

int Keyboard::MouseRelease(QPoint point, std::vector<int> &changed)
{
    changed.clear();
    const int key = HitTest(point);
    if (key < 0)
        return -1;
    changed.push_back(key);
    litKey_ = key;
    const int picked = key == hotKey_ ? key : -1;
    hotKey_ = -1;
    return picked;
}

std::vector<int> Keyboard::MoveFocus(int dx, int dy)
{
    if (keyCount() == 0)
        return {};
    if (focusKey_ < 0)
        return SetFocusKey(std::min(topLine_ * keys::kPerLine, keyCount() - 1));
    const int target = focusKey_ + dx + dy * keys::kPerLine;
    // Along a line the keys run on into the next; down past the last key stays.
    return SetFocusKey(target >= 0 && target < keyCount() ? target : focusKey_);
}

std::vector<int> Keyboard::SetFocusKey(int k)
{
    std::vector<int> changed;
    if (k < 0 || k >= keyCount())
        return changed;
    const int before = focusKey_;
    focusKey_ = k;
    const int line = focusKey_ / keys::kPerLine;
    if (line < topLine_)
        topLine_ = line;
    else if (line >= topLine_ + visibleLines_)
        topLine_ = std::min(line - visibleLines_ + 1, lastTopLine());
    if (before != -1)
        changed.push_back(before);
    changed.push_back(focusKey_);
    return changed;
}

std::vector<int> Keyboard::MouseLeave()
{
    std::vector<int> changed;
    if (hotKey_ != -1)
        changed.push_back(hotKey_);
    if (litKey_ != -1 && litKey_ != hotKey_)
        changed.push_back(litKey_);
    hotKey_ = litKey_ = -1;
    return changed;
}

} // namespace tessivo
