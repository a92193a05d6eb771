// Names before and after for the naming logic of the shipped renaming modules.
#include "modules/insert_text/InsertText.h"
#include "modules/letter_case/CaseChanger.h"
#include "modules/name_pattern/PatternName.h"
#include "modules/numbering/Numbering.h"
#include "modules/remove_text/RemoveText.h"
#include "modules/replace_text/TextReplacer.h"
#include "module_helper/Fields.h"
#include "module_helper/ModuleError.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace brenmark::modules;
using brenmark::sdk::ModuleError;
using brenmark::sdk::setFieldText;

namespace {

// One row: a file name and what it becomes; an empty `after` means the
// logic must refuse the name with a ModuleError.
struct NameCase
{
    std::string before;
    std::string after;
};

template<typename Apply>
void expectNames(const std::vector<NameCase> &cases, Apply apply)
{
    for (const NameCase &row : cases) {
        std::string out = "/prefix/"; // logic appends; what is there must stay
        if (row.after.empty()) {
            EXPECT_THROW(apply(row.before, out), ModuleError) << row.before;
            continue;
        }
        apply(row.before, out);
        EXPECT_EQ(out, "/prefix/" + row.after) << row.before;
    }
}

InsertOptions insertOptions(InsertPosition position, int offset, const char *text)
{
    InsertOptions options;
    options.position = position;
    options.offset = offset;
    setFieldText(options.text, text);
    return options;
}

ReplaceOptions replaceOptions(const char *find, const char *replacement, bool pattern = false,
                              bool caseSensitive = true, bool every = true,
                              ReplaceScope scope = ReplaceScope::Name)
{
    ReplaceOptions options;
    setFieldText(options.find, find);
    setFieldText(options.replacement, replacement);
    options.regularExpression = pattern;
    options.caseSensitive = caseSensitive;
    options.everyOccurrence = every;
    options.scope = scope;
    return options;
}

void expectReplaced(const ReplaceOptions &options, const std::vector<NameCase> &cases)
{
    const TextReplacer replacer(options);
    expectNames(cases, [&](const std::string &name, std::string &out) { replacer.apply(name, out); });
}

} // namespace

TEST(ModulesInsertText, PositionsCountCharactersNotBytes)
{
    const struct
    {
        InsertOptions options;
        std::vector<NameCase> cases;
    } table[] = {
        {insertOptions(InsertPosition::FromStart, 0, "Фото_"),
         {{"IMG.jpg", "Фото_IMG.jpg"}, {".bashrc", "Фото_.bashrc"}, {"README", "Фото_README"}}},
        {insertOptions(InsertPosition::FromStart, 2, "-"),
         {{"Отпуск.jpg", "От-пуск.jpg"}, {"a", "a-"}, {"ab", "ab-"}}},
        {insertOptions(InsertPosition::FromEnd, 0, "!"), {{"name.txt", "name.txt!"}}},
        {insertOptions(InsertPosition::FromEnd, 5, "_x"),
         {{"день.jpeg", "день_x.jpeg"}, {"ab", "_xab"}}},
        {insertOptions(InsertPosition::BeforeExtension, 0, " (копия)"),
         {{"архив.tar.gz", "архив.tar (копия).gz"},
          {"README", "README (копия)"},
          {".bashrc", ".bashrc (копия)"},
          {".config.json", ".config (копия).json"},
          {"name.", "name (копия)."}}},
    };
    for (const auto &row : table)
        expectNames(row.cases, [&](const std::string &name, std::string &out) {
            insertText(row.options, name, out);
        });
}

TEST(ModulesInsertText, CaptionSaysWhatAndWhere)
{
    EXPECT_EQ(insertCaption(insertOptions(InsertPosition::FromStart, 0, "Фото_")),
              "Вставка: \"Фото_\" в начало");
    EXPECT_EQ(insertCaption(insertOptions(InsertPosition::BeforeExtension, 0, "x")),
              "Вставка: \"x\" перед расширением");
}

TEST(ModulesReplaceText, PlainText)
{
    expectReplaced(replaceOptions("IMG_", "Фото_"),
                   {{"IMG_0042.JPG", "Фото_0042.JPG"}, {"IMG_IMG_.jpg", "Фото_Фото_.jpg"},
                    {"img_1.jpg", "img_1.jpg"}, {"README", "README"}});
    expectReplaced(replaceOptions("IMG_", ""), {{"IMG_.jpg", ""}, {"IMG_", ""}, {"IMG_1", "1"}});
    expectReplaced(replaceOptions("a", "b", false, true, false),
                   {{"aaa.a", "baa.a"}});
    expectReplaced(replaceOptions("ФОТО", "photo", false, false),
                   {{"фото Фото.ФОТО", "photo photo.ФОТО"}, {"ёж фОтО", "ёж photo"}});
    expectReplaced(replaceOptions("", "x"), {{"name.txt", "name.txt"}});
}

TEST(ModulesReplaceText, Scopes)
{
    expectReplaced(replaceOptions("jpeg", "jpg", false, false, true, ReplaceScope::Extension),
                   {{"jpeg.JPEG", "jpeg.jpg"}, {"README", "README"}, {".jpeg", ".jpeg"}});
    expectReplaced(replaceOptions("bak", "", false, true, true, ReplaceScope::Extension),
                   {{"file.bak", "file"}, {"file.tar.bak", "file.tar"}, {"name.", "name."}});
    expectReplaced(replaceOptions(".", "_", false, true, true, ReplaceScope::WholeName),
                   {{"a.b.c", "a_b_c"}, {".bashrc", "_bashrc"}});
    expectReplaced(replaceOptions("IMG", "", false, true, true, ReplaceScope::WholeName),
                   {{"IMG.jpg", ""}, {"IMG", ""}, {"IMGa.jpg", "a.jpg"}});
}

TEST(ModulesReplaceText, RegularExpressionsWithBackReferences)
{
    expectReplaced(replaceOptions("(\\d{4})-(\\d{2})", "\\2.$1", true),
                   {{"отчёт 2024-05.pdf", "отчёт 05.2024.pdf"}});
    expectReplaced(replaceOptions("\\s+", " ", true), {{"a  b\t\tc.txt", "a b c.txt"}});
    expectReplaced(replaceOptions("^", "new_", true), {{"x.txt", "new_x.txt"}});
    expectReplaced(replaceOptions("[аеиоу]", "*", true, false, false),
                   {{"ПРИВЕТ мир", "ПР*ВЕТ мир"}});
    expectReplaced(replaceOptions("(a)", "\\\\$$\\1", true), {{"a", "\\$a"}});
    expectReplaced(replaceOptions(".*", "", true), {{"name.txt", ""}});
}

TEST(ModulesReplaceText, RefusesBrokenPatterns)
{
    EXPECT_THROW(TextReplacer(replaceOptions("(", "x", true)), ModuleError);
    EXPECT_THROW(TextReplacer(replaceOptions("(a)", "\\2", true)), ModuleError);
    EXPECT_NO_THROW(TextReplacer(replaceOptions("(", "x", false)));
}

TEST(ModulesReplaceText, Caption)
{
    EXPECT_EQ(replaceCaption(replaceOptions("IMG_", "Фото_")), "Замена: \"IMG_\" → \"Фото_\"");
    EXPECT_EQ(replaceCaption(replaceOptions("a", "b", true, false, false, ReplaceScope::Extension)),
              "Замена: \"a\" → \"b\" (рег. выражение, без учёта регистра, только первое, в расширении)");
}

TEST(ModulesRemoveText, RangesAndClasses)
{
    auto options = [](RemoveWhat what, int start, int count, bool fromEnd) {
        RemoveOptions result;
        result.what = what;
        result.start = start;
        result.count = count;
        result.fromEnd = fromEnd;
        return result;
    };
    const struct
    {
        RemoveOptions options;
        std::vector<NameCase> cases;
    } table[] = {
        {options(RemoveWhat::Range, 0, 4, false),
         {{"IMG_0042.jpg", "0042.jpg"}, {"Фото_1.jpg", "_1.jpg"}, {"abc.txt", ""},
          {".bashrc", "hrc"}, {"README", "ME"}}},
        {options(RemoveWhat::Range, 1, 2, true), {{"abcdef.txt", "abcf.txt"}, {"ЖЗИК", "ЖК"}}},
        {options(RemoveWhat::Range, 10, 2, false), {{"short.txt", "short.txt"}}},
        {options(RemoveWhat::Digits, 0, 0, false),
         {{"IMG_0042 (2).jpg", "IMG_ ().jpg"}, {"2024.jpg", ""}, {"v1.2.3", "v..3"}}},
        {options(RemoveWhat::NonLetters, 0, 0, false),
         {{"Привет, мир! 42.txt", "Приветмир.txt"}, {"123", ""}}},
    };
    for (const auto &row : table)
        expectNames(row.cases, [&](const std::string &name, std::string &out) {
            removeText(row.options, name, out);
        });
}

TEST(ModulesRemoveText, Blanks)
{
    auto options = [](bool trim, bool collapse) {
        RemoveOptions result;
        result.what = RemoveWhat::Nothing;
        result.trimBlanks = trim;
        result.collapseBlanks = collapse;
        return result;
    };
    const struct
    {
        RemoveOptions options;
        std::vector<NameCase> cases;
    } table[] = {
        {options(true, false), {{"  a  b  .txt", "a  b.txt"}, {"   .txt", ""}}},
        {options(false, true), {{"  a \t b  .txt", " a b .txt"}}},
        {options(true, true), {{"  отпуск   2024  .jpg", "отпуск 2024.jpg"}, {"a\u3000\u3000b", "a b"}}},
        {options(false, false), {{"  a  ", "  a  "}}},
    };
    for (const auto &row : table)
        expectNames(row.cases, [&](const std::string &name, std::string &out) {
            removeText(row.options, name, out);
        });
}

TEST(ModulesRemoveText, Caption)
{
    RemoveOptions range;
    range.count = 3;
    range.start = 2;
    range.fromEnd = 1;
    EXPECT_EQ(removeCaption(range), "Удаление: 3 зн. после 2 зн. с конца");
    RemoveOptions blanks;
    blanks.what = RemoveWhat::Nothing;
    blanks.trimBlanks = blanks.collapseBlanks = 1;
    EXPECT_EQ(removeCaption(blanks), "Удаление: пробелы по краям, двойные пробелы");
}

TEST(ModulesLetterCase, UnicodeCases)
{
    auto options = [](LetterCase name, LetterCase extension) {
        CaseOptions result;
        result.name = name;
        result.extension = extension;
        return result;
    };
    const struct
    {
        CaseOptions options;
        std::vector<NameCase> cases;
    } table[] = {
        {options(LetterCase::Lower, LetterCase::Lower),
         {{"ПРИВЕТ Мир.JPG", "привет мир.jpg"}, {"README", "readme"}, {".BASHRC", ".bashrc"}}},
        {options(LetterCase::Upper, LetterCase::Keep),
         {{"ёлка straße.Txt", "ЁЛКА STRASSE.Txt"}}},
        {options(LetterCase::Title, LetterCase::Upper),
         {{"поездка в МОСКВУ_2nd day-one.jpg", "Поездка В Москву_2nd Day-One.JPG"},
          {"don't stop.mp3", "Don't Stop.MP3"},
          {"архив.tar.gz", "Архив.Tar.GZ"}}},
        {options(LetterCase::Sentence, LetterCase::Keep),
         {{"  ПОЕЗДКА В МОСКВУ.Jpg", "  Поездка в москву.Jpg"}, {"2024 ОТЧЁТ", "2024 Отчёт"}}},
        {options(LetterCase::Keep, LetterCase::Keep), {{"MiXeD.TxT", "MiXeD.TxT"}}},
    };
    CaseChanger changer;
    for (const auto &row : table)
        expectNames(row.cases, [&](const std::string &name, std::string &out) {
            changer.apply(row.options, name, out);
        });
    EXPECT_EQ(caseCaption(options(LetterCase::Title, LetterCase::Lower)),
              "Регистр: имя — Каждое Слово, расширение — строчные");
}

TEST(ModulesNumbering, NumberFollowsTheListIndex)
{
    auto options = [](NumberPlace place, int start, int step, int width, const char *separator) {
        NumberingOptions result;
        result.place = place;
        result.start = start;
        result.step = step;
        result.width = uint8_t(width);
        setFieldText(result.separator, separator);
        return result;
    };
    const struct
    {
        NumberingOptions options;
        int index;
        NameCase names;
        int count = 0; // the list's size the host told; 0: never told
    } table[] = {
        {options(NumberPlace::Prefix, 1, 1, 3, "_"), 0, {"фото.jpg", "001_фото.jpg"}},
        {options(NumberPlace::Prefix, 1, 1, 3, "_"), 41, {"фото.jpg", "042_фото.jpg"}},
        {options(NumberPlace::Suffix, 10, 5, 1, " - "), 2, {"архив.tar.gz", "архив.tar - 20.gz"}},
        {options(NumberPlace::Suffix, 1, 1, 2, "_"), 0, {".bashrc", ".bashrc_01"}},
        {options(NumberPlace::WholeName, 0, 1, 4, "_"), 7, {"IMG_1234.JPG", "0007.JPG"}},
        {options(NumberPlace::WholeName, 1, 1, 1, ""), 0, {"README", "1"}},
        {options(NumberPlace::Prefix, 5, -3, 2, "."), 3, {"x", "-04.x"}},
        {options(NumberPlace::Prefix, 2147483647, 2147483647, 1, ""), 2147483647,
         {"a", "4611686016279904256a"}},
        // "авто" (width 0): the digits of the largest number the list's size gives.
        {options(NumberPlace::Prefix, 1, 1, 0, "_"), 4, {"a", "005_a"}, 100},
        {options(NumberPlace::Prefix, 0, 1, 0, "_"), 4, {"a", "04_a"}, 100},
        {options(NumberPlace::Prefix, 1, 1, 0, "_"), 8, {"a", "9_a"}, 9},
        {options(NumberPlace::Prefix, 1, 1, 0, "_"), 0, {"a", "01_a"}, 10},
        {options(NumberPlace::WholeName, 10, -1, 0, ""), 9, {"a.b", "01.b"}, 30},
        {options(NumberPlace::WholeName, 10, -1, 0, ""), 25, {"a.b", "-15.b"}, 30},
        {options(NumberPlace::WholeName, 5, 1000, 0, ""), 0, {"a", "0005"}, 2},
        {options(NumberPlace::Prefix, 1, 1, 0, "_"), 0, {"a", "001_a"}, 0},
        {options(NumberPlace::Prefix, 1, 1, 0, "_"), 1234, {"a", "1235_a"}, 0},
    };
    for (const auto &row : table) {
        std::string out;
        numberName(row.options, row.names.before, row.index, row.count, out);
        EXPECT_EQ(out, row.names.after) << row.names.before << " #" << row.index;
    }
    EXPECT_EQ(numberingCaption(options(NumberPlace::Prefix, 1, 1, 3, "_")), "Нумерация: 001_имя, с 1 шаг 1");
}

TEST(ModulesNamePattern, BuildsTheWholeName)
{
    const brenmark::datetime::DateParts date{2024, 7, 15, 9, 5, 1};
    const struct
    {
        const char *pattern;
        const char *before;
        int index;
        int count;
        const char *after; // empty: refused
    } table[] = {
        {"[D] Отпуск [C:1,1,3].[E]", "IMG_0042.JPG", 0, 250, "2024-07-15 Отпуск 001.JPG"},
        {"[D:%d.%m.%Y %H-%M] [N]", "a.b", 0, 1, "15.07.2024 09-05 a"},
        {"[N].[E]", "README", 0, 1, "README"},
        {"[N].[E]", "name.", 0, 1, "name."},
        {"[N].[E]", ".bashrc", 0, 1, ".bashrc"},
        {"[N].[E1-2]", "archive", 0, 1, "archive"},
        {"[N3-5]_[E~1]", "Привет.tar.gz", 0, 1, "иве_z"},
        {"[P] [C]", "x.jpg", 8, 12, "Отпуск 09"},
        {"[C:10,-5]-[C:0,1,1]", "x", 3, 0, "-005-3"},
        {"[C:1,1,авто]", "x", 99, 100, "100"},
        {"[C: 7 , 2 , 4 ]", "x", 1, 0, "0009"},
        {"[[[N]]]", "x.y", 0, 1, "[x]"},
        {"[N20-]", "short", 0, 1, ""},
        {"[E]", "noext", 0, 1, ""},
    };
    for (const auto &row : table) {
        SCOPED_TRACE(row.pattern);
        const CompiledPattern pattern = compilePattern(row.pattern);
        ASSERT_TRUE(pattern.parsed.ok()) << pattern.parsed.error;
        std::string out = "/prefix/";
        const PatternFile file{row.before, "/photos/Отпуск/", row.index, row.count, &date};
        if (*row.after == 0) {
            EXPECT_THROW(appendPatternName(pattern, file, out), ModuleError);
            continue;
        }
        appendPatternName(pattern, file, out);
        EXPECT_EQ(out, std::string("/prefix/") + row.after);
    }
}

TEST(ModulesNamePattern, RefusesPatternsThatCannotNameAFile)
{
    const struct
    {
        const char *pattern;
        const char *saying;
    } table[] = {
        {"", "Шаблон пуст"},
        {"[N]/[E]", "Позиция 4: «/» не может стоять"},
        {"[D:%Y/%m]", "«/» не может стоять"},
        {"[D:год]", "нет ни одного кода"},
        {"[C:1,1,0]", "ширина счётчика «0»"},
        {"[C:1,1,21]", "ширина счётчика «21»"},
        {"[C:x]", "начало счётчика «x»"},
        {"[C:1,2.5]", "шаг счётчика «2.5»"},
        {"[C:1,1,1,1]", "не больше трёх чисел"},
        {"[C:99999999999]", "начало счётчика"},
        {"[T]", "неизвестная метка «[T]»"},
        {"Фото [N", "Позиция 6: скобка «[» не закрыта"},
        {"[C1-2]", "не выбирает символы"},
    };
    for (const auto &row : table) {
        const CompiledPattern pattern = compilePattern(row.pattern);
        EXPECT_NE(pattern.parsed.error.find(row.saying), std::string::npos)
            << row.pattern << ": " << pattern.parsed.error;
        std::string out;
        EXPECT_THROW(appendPatternName(pattern, {"a.b", "/", 0, 1, nullptr}, out), ModuleError) << row.pattern;
    }
}
