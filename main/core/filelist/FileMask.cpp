#include "main/core/filelist/FileMask.h"

namespace brenmark {
namespace {

// Decodes UTF-8; a byte that does not start a valid sequence becomes the
// lone surrogate U+DC00 + byte, which no valid sequence yields, so such bytes
// still count as one character and match only themselves (or "?" and sets).
void decodeUtf8(std::string_view text, std::u32string &out)
{
    out.clear();
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const size_t size = text.size();
    for (size_t i = 0; i < size;) {
        unsigned char lead = bytes[i];
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (valid) {
            out += code;
            i += length;
        } else {
            out += char32_t(0xDC00 + lead);
            ++i;
        }
    }
}

bool isLatinLetter(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char32_t foldLatin(char32_t c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

char32_t swapLatinCase(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + ('a' - 'A');
    if (c >= 'a' && c <= 'z')
        return c - ('a' - 'A');
    return c;
}

} // namespace

InvalidMaskError::InvalidMaskError(const std::string &mask, int position)
    : std::runtime_error("'" + mask + "' is an invalid mask at (" + std::to_string(position) + ")")
    , m_position(position)
{
}

FileMask::FileMask(std::string_view mask)
{
    std::u32string chars;
    decodeUtf8(mask, chars);
    const std::string maskText(mask);
    const size_t size = chars.size();
    for (size_t i = 0; i < size; ++i) {
        char32_t c = chars[i];
        if (c == '*') {
            if (m_elements.empty() || m_elements.back().kind != Element::Kind::AnyRun)
                m_elements.push_back({Element::Kind::AnyRun});
        } else if (c == '?') {
            m_elements.push_back({Element::Kind::AnyOne});
        } else if (c == '[') {
            const size_t open = i;
            Element set {Element::Kind::Set};
            size_t k = i + 1;
            if (k < size && chars[k] == '!') {
                set.negated = true;
                ++k;
            }
            bool closed = false;
            while (k < size) {
                char32_t first = chars[k];
                if (first == ']') {
                    if (set.ranges.empty())
                        throw InvalidMaskError(maskText, int(k) + 1);
                    closed = true;
                    break;
                }
                if (first == '-')
                    throw InvalidMaskError(maskText, int(k) + 1);
                if (k + 1 < size && chars[k + 1] == '-') {
                    if (k + 2 >= size || chars[k + 2] == ']')
                        throw InvalidMaskError(maskText, int(k) + 2);
                    set.ranges.emplace_back(first, chars[k + 2]);
                    k += 3;
                } else {
                    set.ranges.emplace_back(first, first);
                    ++k;
                }
            }
            if (!closed)
                throw InvalidMaskError(maskText, int(open) + 1);
            m_elements.push_back(std::move(set));
            i = k;
        } else {
            Element literal {Element::Kind::Literal};
            literal.literal = foldLatin(c);
            m_elements.push_back(std::move(literal));
        }
    }
}

bool FileMask::matchesSet(const Element &set, char32_t c) const
{
    auto inRanges = [&set](char32_t value) {
        for (const auto &[low, high] : set.ranges)
            if (value >= low && value <= high)
                return true;
        return false;
    };
    bool member = inRanges(c) || (isLatinLetter(c) && inRanges(swapLatinCase(c)));
    return member != set.negated;
}

bool FileMask::matches(std::string_view path) const
{
    thread_local std::u32string chars;
    decodeUtf8(path, chars);
    const size_t count = m_elements.size();
    size_t p = 0; // position in chars
    size_t e = 0; // position in m_elements
    // Backtracking point: the element after the last "*" and where its run ends.
    size_t starElement = size_t(-1);
    size_t starPosition = 0;
    while (p < chars.size()) {
        if (e < count) {
            const Element &element = m_elements[e];
            if (element.kind == Element::Kind::AnyRun) {
                starElement = ++e;
                starPosition = p;
                continue;
            }
            bool ok = element.kind == Element::Kind::AnyOne
                || (element.kind == Element::Kind::Literal && element.literal == foldLatin(chars[p]))
                || (element.kind == Element::Kind::Set && matchesSet(element, chars[p]));
            if (ok) {
                ++e;
                ++p;
                continue;
            }
        }
        if (starElement == size_t(-1))
            return false;
        e = starElement;
        p = ++starPosition;
    }
    while (e < count && m_elements[e].kind == Element::Kind::AnyRun)
        ++e;
    return e == count;
}

} // namespace brenmark
