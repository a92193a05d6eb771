// The file-list mask under arbitrary bytes. The input is "<mask>\n<path>".
// The parser may only refuse with InvalidMaskError at a position inside the
// mask; an accepted mask must match like a plain backtracking reference (for
// ASCII input, where decoding is trivial) and keep the language's laws: a
// path matches its own escaped text in any Latin case, and "*" around a mask
// only widens what it matches.
#include "main/core/filelist/FileMask.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace brenmark;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::optional<FileMask> parse(std::string_view mask)
{
    try {
        return FileMask(mask);
    } catch (const InvalidMaskError &error) {
        check(error.position() >= 1 && size_t(error.position()) <= mask.size());
        return std::nullopt;
    }
}

bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char swapCase(char c)
{
    if (c >= 'a' && c <= 'z')
        return char(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z')
        return char(c - 'A' + 'a');
    return c;
}

// Membership of c in the set whose text starts after "[" at mask[at]; returns
// the index just past its "]". Only called on masks FileMask accepted.
size_t referenceSet(std::string_view mask, size_t at, char c, bool &member)
{
    bool negated = mask[at] == '!';
    if (negated)
        ++at;
    bool found = false;
    while (mask[at] != ']') {
        char low = mask[at];
        char high = low;
        if (mask[at + 1] == '-') {
            high = mask[at + 2];
            at += 3;
        } else {
            ++at;
        }
        const char other = swapCase(c);
        found = found || (c >= low && c <= high) || (other >= low && other <= high);
    }
    member = found != negated;
    return at + 1;
}

// Exhaustive match with memo: memo[m * (path + 1) + p] is 0 unknown, 1 no, 2 yes.
bool referenceMatch(std::string_view mask, std::string_view path, size_t m, size_t p, std::vector<char> &memo)
{
    char &known = memo[m * (path.size() + 1) + p];
    if (known)
        return known == 2;
    bool result;
    if (m == mask.size()) {
        result = p == path.size();
    } else if (mask[m] == '*') {
        result = referenceMatch(mask, path, m + 1, p, memo)
            || (p < path.size() && referenceMatch(mask, path, m, p + 1, memo));
    } else if (p == path.size()) {
        result = false;
    } else if (mask[m] == '?') {
        result = referenceMatch(mask, path, m + 1, p + 1, memo);
    } else if (mask[m] == '[') {
        bool member = false;
        const size_t next = referenceSet(mask, m + 1, path[p], member);
        result = member && referenceMatch(mask, path, next, p + 1, memo);
    } else {
        result = (mask[m] == path[p] || swapCase(mask[m]) == path[p]) && referenceMatch(mask, path, m + 1, p + 1, memo);
    }
    known = result ? 2 : 1;
    return result;
}

// A mask that matches exactly the text, in any Latin case.
std::string escaped(std::string_view text)
{
    std::string mask;
    for (char c : text) {
        if (c == '*' || c == '?' || c == '[')
            mask += std::string("[") + c + "]";
        else
            mask += c;
    }
    return mask;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const size_t split = input.find('\n');
    const std::string_view maskText = input.substr(0, split);
    const std::string_view path = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    std::string swapped(path);
    for (char &c : swapped)
        c = swapCase(c);
    const std::optional<FileMask> self = parse(escaped(path));
    check(self && self->matches(path) && self->matches(swapped));

    const std::optional<FileMask> mask = parse(maskText);
    if (!mask)
        return 0;
    const bool matched = mask->matches(path);
    check(mask->matches(swapped) == matched);
    if (isAscii(maskText) && isAscii(path) && maskText.size() <= 256 && path.size() <= 1024) {
        std::vector<char> memo((maskText.size() + 1) * (path.size() + 1), 0);
        check(referenceMatch(maskText, path, 0, 0, memo) == matched);
    }
    if (matched) {
        // ASCII around the path: it cannot join a broken UTF-8 sequence.
        const std::string wider = "/x" + std::string(path) + "y.z";
        check(parse("*" + std::string(maskText) + "*")->matches(wider));
    }
    return 0;
}
