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

TEST(Transliterator, NamesBeforeAndAfter)
{
    using S = TranslitScope;
    struct Case {
        TranslitSystem system;
        S scope;
        const char *before;
        const char *after; // null: no name is left, an error
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
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        TranslitOptions options;
        options.system = c.system;
        options.scope = c.scope;
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
    for (const TranslitOptions *options : {&badSystem, &badFlag})
        EXPECT_THROW(validateOptions(*options), brenmark::sdk::ModuleError);
}
