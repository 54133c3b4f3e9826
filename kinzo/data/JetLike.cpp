#include "kinzo/data/JetLike.h"

#include <QString>

char32_t FoldLikeCase(char32_t ch)
{
    if (ch >= U'A' && ch <= U'Z') return ch + 0x20;
    if (ch >= 0xFF21 && ch <= 0xFF3A) return ch + 0x20;  // full-width Ａ-Ｚ
    return ch;
}

void DecodeFoldedUtf8(const unsigned char* text, int length, std::u32string& out)
{
    out.clear();
    int i = 0;
    while (i < length) {
        const unsigned char lead = text[i];
        int extra = 0;
        char32_t ch = lead;
        if (lead >= 0xF8) { out.push_back(0xFFFD); ++i; continue; }
        if (lead >= 0xF0) { extra = 3; ch = lead & 0x07; }
        else if (lead >= 0xE0) { extra = 2; ch = lead & 0x0F; }
        else if (lead >= 0xC0) { extra = 1; ch = lead & 0x1F; }
        else if (lead >= 0x80) { out.push_back(0xFFFD); ++i; continue; }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= length || (text[i + k] & 0xC0) != 0x80) { ok = false; break; }
            ch = (ch << 6) | (text[i + k] & 0x3F);
        }
        if (!ok) { out.push_back(0xFFFD); ++i; continue; }
        out.push_back(FoldLikeCase(ch));
        i += extra + 1;
    }
}

bool JetLikePattern::Item::Accepts(char32_t c) const
{
    switch (kind) {
    case Literal: return c == ch;
    case One: return true;
    case Class: {
        bool inside = false;
        for (const auto& [low, high] : ranges)
            if (c >= low && c <= high) { inside = true; break; }
        return inside != negate;
    }
    case Any: return false;
    }
    return false;
}

JetLikePattern::JetLikePattern(std::u32string_view pattern, char32_t escape)
{
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char32_t c = pattern[i];
        Item item{Item::Literal, 0, false, {}};
        if (escape != 0 && c == escape) {
            if (++i >= pattern.size()) { m_valid = false; return; }
            item.ch = pattern[i];
        } else if (c == U'%') {
            item.kind = Item::Any;
            if (!m_items.empty() && m_items.back().kind == Item::Any) continue;
        } else if (c == U'_') {
            item.kind = Item::One;
        } else if (c == U'[') {
            item.kind = Item::Class;
            size_t j = i + 1;
            if (j < pattern.size() && pattern[j] == U'!') { item.negate = true; ++j; }
            // A "]" right after the opening is a member, not the end.
            bool first = true;
            for (; j < pattern.size() && (first || pattern[j] != U']'); ++j, first = false) {
                char32_t low = pattern[j];
                char32_t high = low;
                if (j + 2 < pattern.size() && pattern[j + 1] == U'-' && pattern[j + 2] != U']') {
                    high = pattern[j + 2];
                    j += 2;
                }
                item.ranges.emplace_back(low, high);
            }
            if (j >= pattern.size()) { m_valid = false; return; }
            i = j;
        } else {
            item.ch = c;
        }
        m_items.push_back(std::move(item));
    }
}

bool JetLikePattern::Matches(std::u32string_view text) const
{
    // Greedy matching that backs up to the last "%" on a mismatch: linear for
    // patterns with one "%", never exponential.
    size_t p = 0, t = 0;
    size_t starItem = SIZE_MAX, starText = 0;
    while (t < text.size()) {
        if (p < m_items.size() && m_items[p].kind == Item::Any) {
            starItem = p++;
            starText = t;
        } else if (p < m_items.size() && m_items[p].Accepts(text[t])) {
            ++p;
            ++t;
        } else if (starItem != SIZE_MAX) {
            p = starItem + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m_items.size() && m_items[p].kind == Item::Any) ++p;
    return p == m_items.size();
}

bool JetLikeMatch(QStringView pattern, QStringView text)
{
    const QByteArray p = pattern.toUtf8();
    const QByteArray t = text.toUtf8();
    std::u32string foldedPattern, foldedText;
    DecodeFoldedUtf8(reinterpret_cast<const unsigned char*>(p.constData()), int(p.size()), foldedPattern);
    DecodeFoldedUtf8(reinterpret_cast<const unsigned char*>(t.constData()), int(t.size()), foldedText);
    const JetLikePattern compiled(foldedPattern);
    return compiled.IsValid() && compiled.Matches(foldedText);
}
