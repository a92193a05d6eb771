#include "main/core/filelist/NaturalOrder.h"

#include "module_helper/Utf8Sequence.h"

#include <QChar>

namespace brenmark {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The weight of the character at `text[at]`, which advances `at` past it.
char32_t nextWeight(std::string_view text, size_t &at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
        ++at;
        if (byte == '/')
            return 0;
        return byte >= 'A' && byte <= 'Z' ? char32_t(byte + ('a' - 'A')) : char32_t(byte);
    }
    char32_t code = 0;
    const int length = sdk::utf8SequenceLength(reinterpret_cast<const unsigned char *>(text.data()) + at,
                                               text.size() - at, code);
    if (length == 0) {
        ++at;
        return 0x110000 + byte; // after every code point
    }
    at += size_t(length);
    return QChar::toCaseFolded(code);
}

// Compares the digit runs starting at `i` and `j` by value and moves both past them.
int compareNumbers(std::string_view a, size_t &i, std::string_view b, size_t &j)
{
    while (i < a.size() && a[i] == '0')
        ++i;
    while (j < b.size() && b[j] == '0')
        ++j;
    const size_t startA = i;
    const size_t startB = j;
    while (i < a.size() && isDigit(a[i]))
        ++i;
    while (j < b.size() && isDigit(b[j]))
        ++j;
    if (i - startA != j - startB)
        return i - startA < j - startB ? -1 : 1;
    return a.substr(startA, i - startA).compare(b.substr(startB, j - startB));
}

// Writes the bytes of a prefix, dropping what does not fit.
class PrefixBytes
{
public:
    bool full() const { return m_count == 16; }
    bool dropped() const { return m_dropped; }
    void add(std::uint8_t byte)
    {
        if (full()) {
            m_dropped = true;
            return;
        }
        std::uint64_t &half = m_count < 8 ? m_prefix.high : m_prefix.low;
        half |= std::uint64_t(byte) << (8 * (7 - m_count % 8));
        ++m_count;
    }
    NaturalPrefix prefix(bool whole) const
    {
        NaturalPrefix prefix = m_prefix;
        prefix.whole = whole && !m_dropped;
        return prefix;
    }

private:
    NaturalPrefix m_prefix;
    int m_count = 0;
    bool m_dropped = false;
};

} // namespace

NaturalPrefix naturalPrefix(std::string_view text)
{
    // Each character or digit run becomes bytes whose byte-wise order is the
    // order compareNatural gives them, and no encoding is the start of
    // another, so any number of leading bytes compares as the texts do:
    //   weight w below 0x80 ("/" has weight 0): the byte w + 1;
    //   a larger weight: 0xF0 and the weight in three bytes;
    //   a digit run: 0x31 (between the bytes of the weights below and above
    //   the digits), its number of digits without leading zeros, the digits.
    // The end of the text leaves zero bytes, below every character.
    PrefixBytes bytes;
    size_t at = 0;
    while (at < text.size() && !bytes.dropped()) {
        if (isDigit(text[at])) {
            while (at < text.size() && text[at] == '0')
                ++at;
            const size_t start = at;
            while (at < text.size() && isDigit(text[at]))
                ++at;
            bytes.add(0x31);
            if (at - start >= 0xFF) {
                // A length that does not fit a byte: every such run gets
                // 0xFF and the prefix ends, so they are told apart in full.
                bytes.add(0xFF);
                return bytes.prefix(false);
            }
            bytes.add(std::uint8_t(at - start));
            for (size_t digit = start; digit < at; ++digit)
                bytes.add(std::uint8_t(text[digit]));
            continue;
        }
        const char32_t weight = nextWeight(text, at);
        if (weight < 0x80) {
            bytes.add(std::uint8_t(weight + 1));
        } else {
            bytes.add(0xF0);
            bytes.add(std::uint8_t(weight >> 16));
            bytes.add(std::uint8_t(weight >> 8));
            bytes.add(std::uint8_t(weight));
        }
    }
    return bytes.prefix(at == text.size());
}

int compareNatural(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int numbers = compareNumbers(a, i, b, j); numbers != 0)
                return numbers < 0 ? -1 : 1;
            continue;
        }
        const char32_t left = nextWeight(a, i);
        const char32_t right = nextWeight(b, j);
        if (left != right)
            return left < right ? -1 : 1;
    }
    return (i < a.size()) - (j < b.size());
}

} // namespace brenmark
