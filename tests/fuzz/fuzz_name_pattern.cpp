// The shared name pattern parser under arbitrary bytes. The parser may only
// refuse with a position inside the pattern (or just after it); a text with
// its brackets doubled always parses back to itself as one literal; and the
// character range of a placeholder keeps exactly the characters a plain
// reference slicing keeps, for any bytes the resolver appends.
#include "module_helper/NamePattern.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace brenmark::sdk;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool startsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += startsCharacter(c) ? 1 : 0;
    return count;
}

// Characters first..last (1-based, negative from the end, 0 open) of `text`,
// where a character is a starting byte and the continuation bytes after it;
// continuation bytes before the first start belong to no character.
std::string referenceCut(std::string_view text, CharRange range)
{
    std::vector<std::string> characters;
    for (char c : text) {
        if (startsCharacter(c) || characters.empty())
            characters.emplace_back();
        characters.back().push_back(c);
    }
    const bool leadingContinuation = !text.empty() && !startsCharacter(text.front());
    const int count = int(characters.size()) - (leadingContinuation ? 1 : 0);
    auto resolve = [count](int position, int open) {
        return position == 0 ? open : position > 0 ? position : count + position + 1;
    };
    const int first = std::max(resolve(range.first, 1), 1);
    const int last = std::min(resolve(range.last, count), count);
    std::string kept;
    for (int i = first; i <= last; ++i)
        kept += characters[std::size_t(i - 1 + (leadingContinuation ? 1 : 0))];
    return kept;
}

const std::array<PlaceholderRule, 3> kRules = {{
    {"N", 0, true, ArgumentUse::None, nullptr},
    {"C", 1, false, ArgumentUse::Optional, nullptr},
    {"D", 2, false, ArgumentUse::Required, nullptr},
}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view text = split == input.npos ? std::string_view() : input.substr(split + 1);

    const ParsedPattern parsed = parsePattern(pattern, kRules);
    if (!parsed.ok()) {
        check(parsed.parts.empty());
        check(parsed.errorPosition >= 1 && parsed.errorPosition <= characterCount(pattern) + 1);
    }

    std::string escaped;
    for (char c : pattern) {
        escaped.push_back(c);
        if (c == '[' || c == ']')
            escaped.push_back(c);
    }
    const ParsedPattern literal = parsePattern(escaped, kRules);
    check(literal.ok());
    check(pattern.empty() ? literal.parts.empty()
                          : literal.parts.size() == 1 && literal.parts[0].literal == pattern);

    std::string expanded = "kept";
    expandPattern(parsed.parts, [&](const PatternPart &, std::string &out) { out.append(text); }, expanded);
    check(expanded.compare(0, 4, "kept") == 0);
    for (const PatternPart &part : parsed.parts) {
        if (part.isLiteral())
            continue;
        std::string out = "kept";
        out.append(text);
        cutToRange(out, 4, part.range);
        check(out == "kept" + referenceCut(text, part.range));
    }
    return 0;
}
