#pragma once
// Jet's LIKE with its ANSI-92 wildcards, as the registered SQL function "like"
// runs it: "%" any run of characters, "_" one character, "[abc]" one of the
// listed characters, "[a-z]" a range, "[!abc]" none of them; "[%]", "[_]" and
// "[[]" therefore stand for the character itself. Letters compare without
// regard to case, ASCII and full-width Latin letters alike.

#include <QStringView>

#include <string>
#include <string_view>
#include <vector>

// Folds A-Z and Ａ-Ｚ to lower case; other characters stay as they are.
char32_t FoldLikeCase(char32_t ch);

// Decodes UTF-8 into folded code points (out is cleared first). Malformed
// bytes become U+FFFD, so matching never fails on them.
void DecodeFoldedUtf8(const unsigned char* text, int length, std::u32string& out);

class JetLikePattern {
public:
    // escape: a character that makes the next one literal (0 for none).
    JetLikePattern(std::u32string_view foldedPattern, char32_t escape = 0);

    // False when a "[" has no closing "]" or the escape ends the pattern.
    bool IsValid() const { return m_valid; }
    // REQUIRES: IsValid(). The text must be folded like the pattern.
    bool Matches(std::u32string_view foldedText) const;

private:
    struct Item {
        enum Kind { Literal, One, Any, Class } kind;
        char32_t ch = 0;
        bool negate = false;
        std::vector<std::pair<char32_t, char32_t>> ranges;
        bool Accepts(char32_t c) const;
    };
    std::vector<Item> m_items;
    bool m_valid = true;
};

// Convenience for callers holding QString texts.
bool JetLikeMatch(QStringView pattern, QStringView text);
