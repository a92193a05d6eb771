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

} // namespace

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
