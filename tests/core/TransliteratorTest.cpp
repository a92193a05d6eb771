#include "module_helper/ModuleError.h"
#include "modules/transliteration/Transliterator.h"

#include <gtest/gtest.h>


using namespace brenmark::translit;

TEST(Transliterator, GostAndIcaoTables)
{
    struct Case {
        const char *cyrillic;
        const char *gost;
        const char *icao;
    };
    const Case cases[] = {
        {"абвгдеёжзийклмнопрстуфхцчшщъыьэюя",
         "abvgdeyozhzijklmnoprstufxczchshshh``y'`e`yuya",
         "abvgdeezhziiklmnoprstufkhtschshshchieyeiuia"},
        {"Щука", "Shhuka", "Shchuka"},
        {"ЩУКА", "SHHUKA", "SHCHUKA"},
        {"Юлия Цой", "Yuliya Czoj", "Iuliia Tsoi"},
        {"ЦАРЬ", "CZAR`", "TSAR"},
        {"цирк цепь цыган", "cirk cep` cy'gan", "tsirk tsep tsygan"},
        {"Объём", "Ob``yom", "Obieem"},
        {"Ёж", "Yozh", "Ezh"},
        {"ЁЖ", "YOZH", "EZH"},
        {"ДЖ", "DZH", "DZH"},
        {"Ж", "Zh", "Zh"},
        {"Ґанок Їжак Єва Іван", "G`anok Yizhak Yeva Ivan", "Ganok Izhak Ieva Ivan"},
        {"Photo 2024 (копия)", "Photo 2024 (kopiya)", "Photo 2024 (kopiia)"},
        {"日本 и ß", "日本 i ß", "日本 i ß"},
        {"\xd0", "\xd0", "\xd0"},             // a lone lead byte is not a letter
        {"a\xff\xd0\xb1", "a\xff" "b", "a\xff" "b"}, // foreign bytes pass, б still converts
        {"", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cyrillic);
        EXPECT_EQ(transliterate(c.cyrillic, TranslitSystem::Gost779B, false), c.gost);
        EXPECT_EQ(transliterate(c.cyrillic, TranslitSystem::Icao9303, false), c.icao);
    }
    EXPECT_EQ(transliterate("Объявление", TranslitSystem::Gost779B, true), "Obyavlenie");
}

TEST(Transliterator, TypographicCharactersInAscii)
{
    struct Case {
        const char *text;
        const char *dropQuotes; // Typography::Ascii
        const char *asciiQuotes;
    };
    const Case cases[] = {
        {"Объявление № 5 — «Щукин»…", "Obieiavlenie No 5 - Shchukin...", "Obieiavlenie No 5 - \"Shchukin\"..."},
        {"„Рок’н’ролл“ ‹и› ‚а‘ ‛б‟ “в”", "Roknroll i a b v", "\"Rok'n'roll\" 'i' 'a' 'b\" \"v\""},
        {"1–2 ‒ 3 ― 4 − 5‐6‑7", "1-2 - 3 - 4 - 5-6-7", "1-2 - 3 - 4 - 5-6-7"},
        // No-break, narrow, thin and em spaces; the soft hyphen is dropped.
        {"а\u00a0б\u202fв\u2009г\u2003д пере\u00adнос", "a b v g d perenos", "a b v g d perenos"},
        // Other characters and bytes that are not UTF-8 stay as they are.
        {"© ß ℗ ⁇ →", "© ß ℗ ⁇ →", "© ß ℗ ⁇ →"},
        {"a\xe2\x80", "a\xe2\x80", "a\xe2\x80"},
        {"\xe2\x84\x96\xc2", "No\xc2", "No\xc2"},
        {"\xc2\xab\xab", "\xab", "\"\xab"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(transliterate(c.text, TranslitSystem::Icao9303, false, Typography::Ascii), c.dropQuotes);
        EXPECT_EQ(transliterate(c.text, TranslitSystem::Icao9303, false, Typography::AsciiQuotes), c.asciiQuotes);
    }
    EXPECT_EQ(transliterate("№ 5 — «Щука»", TranslitSystem::Gost779B, false), "№ 5 — «Shhuka»")
        << "kept unless asked for";
}

TEST(Transliterator, NamesBeforeAndAfter)
{
    using S = TranslitScope;
    struct Case {
        TranslitSystem system;
        S scope;
        const char *before;
        const char *after; // null: no name is left, an error
        Typography typography = Typography::Keep;
    };
    const Case cases[] = {
        {TranslitSystem::Gost779B, S::NameOnly, "Отчёт.док", "Otchyot.док"},
        {TranslitSystem::Gost779B, S::NameAndExtension, "Отчёт.док", "Otchyot.dok"},
        {TranslitSystem::Icao9303, S::NameOnly, "архив.тар.гз", "arkhiv.tar.гз"},
        {TranslitSystem::Icao9303, S::NameOnly, ".скрытый", ".skrytyi"},
        {TranslitSystem::Icao9303, S::NameOnly, "без расширения", "bez rasshireniia"},
        {TranslitSystem::Icao9303, S::NameOnly, "ь.txt", nullptr},
        {TranslitSystem::Icao9303, S::NameOnly, "Ь", nullptr},
        {TranslitSystem::Gost779B, S::NameOnly, "photo.jpg", "photo.jpg"},
        // Longer than any short-string buffer: the name is built from text that must outlive it.
        {TranslitSystem::Icao9303, S::NameAndExtension, "Длинное имя файла для проверки.текст",
         "Dlinnoe imia faila dlia proverki.tekst"},
        {TranslitSystem::Icao9303, S::NameOnly, "Итоги….«док»", "Itogi....«док»", Typography::Ascii},
        {TranslitSystem::Icao9303, S::NameAndExtension, "Итоги….«док»", "Itogi....dok", Typography::Ascii},
        {TranslitSystem::Icao9303, S::NameOnly, "«».txt", nullptr, Typography::Ascii},
        {TranslitSystem::Icao9303, S::NameAndExtension, "«»", nullptr, Typography::Ascii},
        {TranslitSystem::Icao9303, S::NameOnly, "«».txt", "\"\".txt", Typography::AsciiQuotes},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        TranslitOptions options;
        options.system = c.system;
        options.scope = c.scope;
        options.typography = c.typography;
        EXPECT_NO_THROW(validateOptions(options));
        std::string out;
        if (c.after == nullptr) {
            EXPECT_THROW(appendNewName(options, c.before, out), brenmark::sdk::ModuleError);
            continue;
        }
        appendNewName(options, c.before, out);
        EXPECT_EQ(out, c.after);
    }
}

TEST(Transliterator, RejectsUnusableBlocks)
{
    TranslitOptions badSystem;
    badSystem.system = static_cast<TranslitSystem>(5);
    TranslitOptions badFlag;
    badFlag.dropMarks = 7;
    TranslitOptions badTypography;
    badTypography.typography = static_cast<Typography>(3);
    for (const TranslitOptions *options : {&badSystem, &badFlag, &badTypography})
        EXPECT_THROW(validateOptions(*options), brenmark::sdk::ModuleError);
}
