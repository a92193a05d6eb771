#include "module_helper/NamePattern.h"

#include <algorithm>
#include <charconv>

namespace brenmark::sdk {

namespace {

// Longer names than any file system allows: a larger position is a typing slip.
constexpr int32_t kMaxPosition = 9999;

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t characterPosition(std::string_view text, std::size_t byte)
{
    const std::string_view before = text.substr(0, byte);
    return std::size_t(std::count_if(before.begin(), before.end(),
                                     [](char c) { return !isContinuationByte(c); }))
           + 1;
}

bool isLatinLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string upperLatin(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return upper;
}

std::string knownNames(std::span<const PlaceholderRule> rules)
{
    std::string names;
    for (const PlaceholderRule &rule : rules) {
        if (!names.empty())
            names += ", ";
        names += "[" + std::string(rule.name) + "]";
    }
    return names;
}

// One end of a range: "7" or "~7"; 0 for an empty text (an open end), -1
// when the text is no position at all.
bool parsePosition(std::string_view text, int32_t &position)
{
    if (text.empty()) {
        position = 0;
        return true;
    }
    const bool fromEnd = text.front() == '~';
    if (fromEnd)
        text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1
        || value > kMaxPosition)
        return false;
    position = fromEnd ? -value : value;
    return true;
}

// Empty when `text` is a range, else why not.
std::string parseRange(std::string_view text, CharRange &range)
{
    const std::string hint = " Пишите, например, «1-5», «3-», «-4», «2» или «~3-» (с конца).";
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        if (!parsePosition(text, range.first))
            return "неверный диапазон «" + std::string(text) + "»." + hint;
        range.last = range.first;
        return {};
    }
    const std::string_view left = text.substr(0, dash);
    const std::string_view right = text.substr(dash + 1);
    if ((left.empty() && right.empty()) || !parsePosition(left, range.first)
        || !parsePosition(right, range.last))
        return "неверный диапазон «" + std::string(text) + "»." + hint;
    const bool sameDirection = (range.first > 0) == (range.last > 0);
    if (range.first != 0 && range.last != 0 && sameDirection && range.first > range.last)
        return "в диапазоне «" + std::string(text) + "» начало стоит после конца.";
    return {};
}

class Parser
{
public:
    Parser(std::string_view text, std::span<const PlaceholderRule> rules)
        : m_text(text)
        , m_rules(rules)
    {
    }

    ParsedPattern parse()
    {
        std::size_t i = 0;
        while (i < m_text.size() && m_result.ok()) {
            const char c = m_text[i];
            const bool doubled = i + 1 < m_text.size() && m_text[i + 1] == c;
            if ((c == '[' || c == ']') && doubled) {
                m_literal.push_back(c);
                i += 2;
            } else if (c == ']') {
                fail(i, "лишняя скобка «]» (скобку в имени пишут дважды: «]]»).");
            } else if (c == '[') {
                const std::size_t close = m_text.find_first_of("[]", i + 1);
                if (close == std::string_view::npos || m_text[close] == '[') {
                    fail(i, "скобка «[» не закрыта (скобку в имени пишут дважды: «[[»).");
                    break;
                }
                placeholder(i, m_text.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                m_literal.push_back(c);
                ++i;
            }
        }
        flushLiteral();
        if (!m_result.ok())
            m_result.parts.clear();
        return std::move(m_result);
    }

private:
    void fail(std::size_t byte, const std::string &message)
    {
        if (!m_result.ok())
            return;
        m_result.errorPosition = characterPosition(m_text, byte);
        m_result.error = "Позиция " + std::to_string(m_result.errorPosition) + ": " + message;
    }

    void flushLiteral()
    {
        if (m_literal.empty())
            return;
        PatternPart part;
        part.literal = std::move(m_literal);
        m_result.parts.push_back(std::move(part));
        m_literal.clear();
    }

    const PlaceholderRule *findRule(const std::string &upperName) const
    {
        for (const PlaceholderRule &rule : m_rules) {
            if (rule.name == upperName)
                return &rule;
        }
        return nullptr;
    }

    // `body` is the text between the brackets; `open` the byte of the '['.
    void placeholder(std::size_t open, std::string_view body)
    {
        const std::string written = "[" + std::string(body) + "]";
        const std::size_t nameLength =
            std::size_t(std::find_if_not(body.begin(), body.end(), isLatinLetter) - body.begin());
        const std::string name = upperLatin(body.substr(0, nameLength));
        const PlaceholderRule *rule = nameLength > 0 ? findRule(name) : nullptr;
        if (!rule) {
            fail(open, "неизвестная метка «" + written + "». Известны: " + knownNames(m_rules) + ".");
            return;
        }

        const std::size_t colon = body.find(':', nameLength);
        const std::string_view rangeText =
            body.substr(nameLength, colon == std::string_view::npos ? body.npos : colon - nameLength);
        PatternPart part;
        part.name = name;
        part.id = rule->id;
        part.position = characterPosition(m_text, open);
        if (!rangeText.empty()) {
            if (!rule->takesRange) {
                fail(open + 1 + nameLength,
                     "метка «[" + name + "]» не выбирает символы: уберите «" + std::string(rangeText)
                         + "» из «" + written + "».");
                return;
            }
            const std::string problem = parseRange(rangeText, part.range);
            if (!problem.empty()) {
                fail(open + 1 + nameLength, "«" + written + "»: " + problem);
                return;
            }
        }

        part.hasArgument = colon != std::string_view::npos;
        if (part.hasArgument)
            part.argument = std::string(body.substr(colon + 1));
        if (part.hasArgument && rule->argument == ArgumentUse::None) {
            fail(open + 1 + colon, "метка «[" + name + "]» пишется без «:» и параметра.");
            return;
        }
        if (!part.hasArgument && rule->argument == ArgumentUse::Required) {
            fail(open, "метке «[" + name + "]» нужен параметр после двоеточия: «[" + name + ":…]».");
            return;
        }
        if (part.hasArgument && rule->checkArgument) {
            const std::string problem = rule->checkArgument(part.argument);
            if (!problem.empty()) {
                fail(open + 1 + colon + 1, "«" + written + "»: " + problem);
                return;
            }
        }
        flushLiteral();
        m_result.parts.push_back(std::move(part));
    }

    std::string_view m_text;
    std::span<const PlaceholderRule> m_rules;
    ParsedPattern m_result;
    std::string m_literal;
};

} // namespace

ParsedPattern parsePattern(std::string_view text, std::span<const PlaceholderRule> rules)
{
    return Parser(text, rules).parse();
}

void cutToRange(std::string &out, std::size_t from, CharRange range)
{
    // A resolver may have taken back text before `from` (a dot before an
    // empty extension): then there is nothing of its own to cut.
    from = std::min(from, out.size());
    // Byte offsets of every character start would need storage; two passes do not.
    int32_t count = 0;
    for (std::size_t i = from; i < out.size(); ++i) {
        if (!isContinuationByte(out[i]))
            ++count;
    }
    const auto resolve = [count](int32_t position, int32_t open) {
        if (position == 0)
            return open;
        return position > 0 ? position : count + position + 1;
    };
    const int32_t first = std::max(resolve(range.first, 1), 1);
    const int32_t last = std::min(resolve(range.last, count), count);
    if (first > last) {
        out.resize(from);
        return;
    }
    // Byte of the start of character `first` and of the one after `last`.
    std::size_t firstByte = out.size();
    std::size_t endByte = out.size();
    int32_t seen = 0;
    for (std::size_t i = from; i < out.size(); ++i) {
        if (isContinuationByte(out[i]))
            continue;
        ++seen;
        if (seen == first)
            firstByte = i;
        if (seen == last + 1) {
            endByte = i;
            break;
        }
    }
    out.resize(endByte);
    out.erase(from, firstByte - from);
}

} // namespace brenmark::sdk
