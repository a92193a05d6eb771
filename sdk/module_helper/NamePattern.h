#pragma once

// Name patterns shared by the modules that build a whole name from parts:
// literal text with placeholders in square brackets.
//
//   Отпуск [C:1,1,3].[E]          literal text, a counter, a dot, the extension
//   [N1-5]  [N~3-]  [N-4]  [N2]   characters of a placeholder's text
//   [[  ]]                        a literal "[" and "]"
//
// A placeholder is "[" NAME [RANGE] [":" ARGUMENT] "]". NAME is Latin
// letters, matched without letter case. RANGE picks characters of the text:
// "i-j" (positions i to j), "i-" (from i to the end), "-j" (the first j),
// "i" (one character); positions count from 1, and "~k" counts from the end
// ("~1" is the last character, "[N~3-]" the last three). Positions beyond
// the text are cut to it. ARGUMENT is everything up to the closing "]"; what
// it means is the placeholder's own business (a counter's start, a date's
// format). Which names exist, and whether they take a range or an argument,
// is decided by the module through a table of PlaceholderRule.
//
// Parsing happens once per pattern (in the dialog and when an options block
// changes); expansion runs per file and allocates nothing once the output
// buffer has grown.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark::sdk {

// Characters `first`..`last` of a text, both included. Positive positions
// count from the start (1 is the first character), negative ones from the
// end (-1 is the last), 0 leaves that end open.
struct CharRange
{
    int32_t first = 0;
    int32_t last = 0;

    bool whole() const { return first == 0 && last == 0; }
    bool operator==(const CharRange &) const = default;
};

enum class ArgumentUse : uint8_t {
    None,     // "[X:...]" is refused
    Optional, // "[X]" and "[X:...]"
    Required, // "[X]" is refused
};

// One placeholder a module understands.
struct PlaceholderRule
{
    std::string_view name;         // upper-case Latin letters, e.g. "N"
    int id = 0;                    // handed back in PatternPart::id for the resolver
    bool takesRange = false;
    ArgumentUse argument = ArgumentUse::None;
    // Returns "" when the argument can be used, else why not, in Russian
    // and without the position (the parser adds it). Null: any argument.
    std::string (*checkArgument)(std::string_view argument) = nullptr;
};

// A piece of a parsed pattern: literal text, or a placeholder (`name` not empty).
struct PatternPart
{
    std::string literal;   // the text of a literal part, escapes already resolved
    std::string name;      // the placeholder's rule name (upper case); empty for a literal
    int id = 0;            // the rule's id
    std::string argument;  // the text after ':' (empty when none was given)
    bool hasArgument = false;
    CharRange range;       // whole() when no range was given
    std::size_t position = 0; // 1-based character position of the '[' in the pattern

    bool isLiteral() const { return name.empty(); }
};

struct ParsedPattern
{
    std::vector<PatternPart> parts;
    // Empty when the pattern parsed; else a Russian sentence naming the
    // position, e.g. «Позиция 7: неизвестная метка «[X]».».
    std::string error;
    std::size_t errorPosition = 0; // 1-based character position of the fault

    bool ok() const { return error.empty(); }
};

// Parses `text` (UTF-8) against `rules`. Refuses an unknown name, an
// unbalanced bracket, a malformed range, a range or an argument the rule
// does not take, a missing required argument and an argument the rule's
// check refuses. An empty pattern parses to no parts.
ParsedPattern parsePattern(std::string_view text, std::span<const PlaceholderRule> rules);

// Keeps of the text `out` holds from byte `from` on only the characters of
// `range` (UTF-8 characters; other bytes count as one character each).
void cutToRange(std::string &out, std::size_t from, CharRange range);

// Appends the expansion of `parts` to `out`. Literal parts are copied;
// for a placeholder, resolve(part, out) appends the placeholder's whole
// text to `out`, and its range is then cut out of what was appended. The
// resolver may also remove text at the end of `out` first (a separator that
// is not needed), and may throw ModuleError for a file it has no text for.
template<typename Resolve>
void expandPattern(const std::vector<PatternPart> &parts, Resolve &&resolve, std::string &out)
{
    for (const PatternPart &part : parts) {
        if (part.isLiteral()) {
            out.append(part.literal);
            continue;
        }
        const std::size_t from = out.size();
        resolve(part, out);
        if (!part.range.whole())
            cutToRange(out, from, part.range);
    }
}

} // namespace brenmark::sdk
