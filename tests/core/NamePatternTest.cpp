// The shared name pattern: what a pattern turns into, and where and why a bad one is refused.
#include "module_helper/NamePattern.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace brenmark::sdk;

namespace {

std::string checkDigits(std::string_view argument)
{
    return argument.find_first_not_of("0123456789") == std::string_view::npos ? ""
                                                                              : "только цифры.";
}

enum Id { Name, Extension, Counter, Date };

const std::array<PlaceholderRule, 4> kRules = {{
    {"N", Name, true, ArgumentUse::None, nullptr},
    {"E", Extension, true, ArgumentUse::None, nullptr},
    {"C", Counter, false, ArgumentUse::Optional, checkDigits},
    {"D", Date, false, ArgumentUse::Required, nullptr},
}};

// The resolver of these tests: fixed texts, the argument shown in the counter's.
std::string expand(const ParsedPattern &pattern)
{
    std::string out = "keep/";
    expandPattern(
        pattern.parts,
        [](const PatternPart &part, std::string &out) {
            switch (part.id) {
            case Name: out += "Привет мир"; break;
            case Extension: out += "jpeg"; break;
            case Counter: out += "#" + part.argument; break;
            case Date: out += "<" + part.argument + ">"; break;
            }
        },
        out);
    EXPECT_EQ(out.substr(0, 5), "keep/") << "the expansion appends";
    return out.substr(5);
}

} // namespace

TEST(NamePattern, ExpandsGoodPatterns)
{
    const struct
    {
        const char *pattern;
        const char *expanded;
    } cases[] = {
        {"", ""},
        {"Отпуск", "Отпуск"},
        {"[N].[E]", "Привет мир.jpeg"},
        {"[n].[e]", "Привет мир.jpeg"},
        {"[N1-6]", "Привет"},
        {"[N-3]", "При"},
        {"[N3]", "и"},
        {"[N8-]", "мир"},
        {"[N~3-]", "мир"},
        {"[N~3-~2]", "ми"},
        {"[N2-~2]", "ривет ми"},
        {"[N5-100]", "ет мир"},
        {"[N20-30]", ""},
        {"[N~30-2]", "Пр"},
        {"[E~1]", "g"},
        {"[C]", "#"},
        {"[C:10]", "#10"},
        {"[D:%Y]-[C:3]", "<%Y>-#3"},
        {"[D:]", "<>"},
        {"[[N]]", "[N]"},
        {"a[[b]]c[N1]", "a[b]cП"},
        {"[N]]]", "Привет мир]"},
        {"[N1][N10]", "Пр"},
    };
    for (const auto &row : cases) {
        const ParsedPattern pattern = parsePattern(row.pattern, kRules);
        ASSERT_TRUE(pattern.ok()) << row.pattern << ": " << pattern.error;
        EXPECT_EQ(expand(pattern), row.expanded) << row.pattern;
    }
}

TEST(NamePattern, RefusesBadPatternsNamingThePosition)
{
    const struct
    {
        const char *pattern;
        std::size_t position; // 1-based character
        const char *saying;
    } cases[] = {
        {"[X]", 1, "неизвестная метка «[X]». Известны: [N], [E], [C], [D]."},
        {"ёж [Я]", 4, "неизвестная метка «[Я]»"},
        {"[]", 1, "неизвестная метка «[]»"},
        {"[1-3]", 1, "неизвестная метка «[1-3]»"},
        {"[Name]", 1, "неизвестная метка «[Name]»"},
        {"ab[N", 3, "скобка «[» не закрыта"},
        {"[N[E]", 1, "скобка «[» не закрыта"},
        {"Ы]", 2, "лишняя скобка «]»"},
        {"[N]]", 4, "лишняя скобка «]»"},
        {"[[N]", 4, "лишняя скобка «]»"},
        {"[N0]", 3, "неверный диапазон «0»"},
        {"[N-]", 3, "неверный диапазон «-»"},
        {"[N1-2-3]", 3, "неверный диапазон «1-2-3»"},
        {"[N~]", 3, "неверный диапазон «~»"},
        {"[N5-2]", 3, "начало стоит после конца"},
        {"[N~1-~3]", 3, "начало стоит после конца"},
        {"[N99999]", 3, "неверный диапазон"},
        {"[C2]", 3, "метка «[C]» не выбирает символы"},
        {"[N:x]", 3, "метка «[N]» пишется без «:»"},
        {"[D]", 1, "метке «[D]» нужен параметр"},
        {"Ф [C:1a]", 6, "«[C:1a]»: только цифры."},
    };
    for (const auto &row : cases) {
        const ParsedPattern pattern = parsePattern(row.pattern, kRules);
        EXPECT_FALSE(pattern.ok()) << row.pattern;
        EXPECT_TRUE(pattern.parts.empty()) << row.pattern;
        EXPECT_EQ(pattern.errorPosition, row.position) << row.pattern;
        EXPECT_NE(pattern.error.find(row.saying), std::string::npos) << row.pattern << ": " << pattern.error;
        EXPECT_EQ(pattern.error.rfind("Позиция " + std::to_string(row.position) + ": ", 0), 0u)
            << pattern.error;
    }
}

TEST(NamePattern, CutsRangesOfAnyBytes)
{
    // Bytes that are not UTF-8 count as one character each.
    std::string out = "x:ab\xff\xfe" "cd";
    cutToRange(out, 2, CharRange{3, 4});
    EXPECT_EQ(out, "x:\xff\xfe");
    out = "x:абв";
    cutToRange(out, 2, CharRange{-2, 0});
    EXPECT_EQ(out, "x:бв");
}
