#include "modules/transliteration/Transliterator.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "module_helper/Utf8Sequence.h"

#include <array>

namespace brenmark::translit {

namespace {

struct Letter {
    const char *gost;
    const char *icao;
};

// Lower-case letters U+0430..U+045F; capitals U+0400..U+042F map onto them.
constexpr std::array<Letter, 48> kLetters{{
    {"a", "a"},     {"b", "b"},    {"v", "v"},    {"g", "g"},    {"d", "d"},   {"e", "e"},
    {"zh", "zh"},   {"z", "z"},    {"i", "i"},    {"j", "i"},    {"k", "k"},   {"l", "l"},
    {"m", "m"},     {"n", "n"},    {"o", "o"},    {"p", "p"},    {"r", "r"},   {"s", "s"},
    {"t", "t"},     {"u", "u"},    {"f", "f"},    {"x", "kh"},   {"cz", "ts"}, {"ch", "ch"},
    {"sh", "sh"},   {"shh", "shch"}, {"``", "ie"}, {"y'", "y"},  {"`", ""},    {"e`", "e"},
    {"yu", "iu"},   {"ya", "ia"},
    // U+0450..U+045F: ѐ ё ђ ѓ є ѕ і ї ј љ њ ћ ќ ѝ ў џ
    {"e", "e"},     {"yo", "e"},   {"d`", "d"},   {"g`", "g"},   {"ye", "ie"}, {"z`", "dz"},
    {"i", "i"},     {"yi", "i"},   {"j", "j"},    {"l`", "lj"},  {"n`", "nj"}, {"c`", "c"},
    {"k`", "k"},    {"i", "i"},    {"u`", "u"},   {"dh", "dz"},
}};
constexpr Letter kGheWithUpturn{"g`", "g"}; // ґ U+0491, Ґ U+0490

constexpr char32_t kTse = 0x0446; // ц

// Decodes a two-byte UTF-8 Cyrillic letter at `at`; 0 for anything else.
char32_t cyrillicAt(std::string_view text, std::size_t at)
{
    if (at + 1 >= text.size())
        return 0;
    const auto lead = static_cast<unsigned char>(text[at]);
    const auto trail = static_cast<unsigned char>(text[at + 1]);
    if (lead < 0xD0 || lead > 0xD2 || (trail & 0xC0) != 0x80)
        return 0;
    return char32_t((lead & 0x1F) << 6 | (trail & 0x3F));
}

// The letter's entry and whether it is a capital; null when not in the table.
const Letter *lookup(char32_t code, bool &capital)
{
    capital = false;
    if (code >= 0x0400 && code <= 0x042F) {
        capital = true;
        code += code >= 0x0410 ? 0x20 : 0x50;
    } else if (code == 0x0490 || code == 0x0491) {
        capital = code == 0x0490;
        return &kGheWithUpturn;
    }
    if (code < 0x0430 || code > 0x045F)
        return nullptr;
    return &kLetters[code - 0x0430];
}

// The ASCII text for the typographic character at `at` and its length in
// bytes; null for any other character.
const char *typographicAt(std::string_view text, std::size_t at, Typography typography, int &length)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (typography == Typography::Keep || (lead != 0xC2 && lead != 0xE2))
        return nullptr;
    char32_t code = 0;
    length = sdk::utf8SequenceLength(reinterpret_cast<const unsigned char *>(text.data()) + at, text.size() - at, code);
    if (length == 0)
        return nullptr;
    const bool quotes = typography == Typography::AsciiQuotes;
    switch (code) {
    case 0x2116: // №
        return "No";
    case 0x2010: // hyphen, non-breaking hyphen, figure dash, en dash, em dash, horizontal bar
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212: // minus
        return "-";
    case 0x2026: // …
        return "...";
    case 0x00AB: // « »
    case 0x00BB:
    case 0x201C: // “ ” „ ‟
    case 0x201D:
    case 0x201E:
    case 0x201F:
        return quotes ? "\"" : "";
    case 0x2018: // ‘ ’ ‚ ‛
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2039: // ‹ ›
    case 0x203A:
        return quotes ? "'" : "";
    case 0x00A0: // no-break space
    case 0x202F: // narrow no-break space
        return " ";
    case 0x00AD: // soft hyphen: invisible, it only hides in a name
        return "";
    default:
        // En quad to hair space.
        return code >= 0x2000 && code <= 0x200A ? " " : nullptr;
    }
}

enum class Kind { Other, Lower, Upper };

Kind kindAt(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return Kind::Other;
    const char c = text[at];
    if (c >= 'A' && c <= 'Z')
        return Kind::Upper;
    if (c >= 'a' && c <= 'z')
        return Kind::Lower;
    bool capital = false;
    if (const char32_t code = cyrillicAt(text, at); code != 0 && lookup(code, capital))
        return capital ? Kind::Upper : Kind::Lower;
    return Kind::Other;
}

// The kind of the character that ends just before `at` (UTF-8 aware for Cyrillic).
Kind kindBefore(std::string_view text, std::size_t at)
{
    if (at == 0)
        return Kind::Other;
    if (at >= 2 && cyrillicAt(text, at - 2) != 0)
        return kindAt(text, at - 2);
    return kindAt(text, at - 1);
}

void appendLatin(std::string &out, const char *latin, bool capital, bool wholeWordCapital, bool dropMarks)
{
    bool first = true;
    for (const char *p = latin; *p != 0; ++p) {
        char c = *p;
        if (c == '`' || c == '\'') {
            if (!dropMarks)
                out.push_back(c);
            continue;
        }
        if (capital && (first || wholeWordCapital))
            c = static_cast<char>(c - 'a' + 'A');
        first = false;
        out.push_back(c);
    }
}

} // namespace

void validateOptions(const TranslitOptions &options)
{
    if (options.system > TranslitSystem::Icao9303 || options.scope > TranslitScope::NameAndExtension
        || options.dropMarks > 1 || options.typography > Typography::AsciiQuotes)
        throw sdk::ModuleError("Транслитерация: неизвестное значение в параметрах.");
}

void appendTransliterated(std::string &out, std::string_view text, TranslitSystem system, bool dropMarks,
                          Typography typography)
{
    for (std::size_t i = 0; i < text.size();) {
        const char32_t code = cyrillicAt(text, i);
        bool capital = false;
        const Letter *letter = code != 0 ? lookup(code, capital) : nullptr;
        if (letter == nullptr) {
            int length = 0;
            if (const char *ascii = typographicAt(text, i, typography, length)) {
                out.append(ascii);
                i += std::size_t(length);
            } else {
                out.push_back(text[i++]);
            }
            continue;
        }
        const char *latin = system == TranslitSystem::Gost779B ? letter->gost : letter->icao;
        const Kind next = kindAt(text, i + 2);
        if (system == TranslitSystem::Gost779B && (code == kTse || code == kTse - 0x20)) {
            // System B writes "c" before the Latin i, e, y, j and "cz" elsewhere.
            bool nextCapital = false;
            const char32_t nextCode = cyrillicAt(text, i + 2);
            const Letter *nextLetter = nextCode != 0 ? lookup(nextCode, nextCapital) : nullptr;
            const char nextLatin = nextLetter != nullptr ? nextLetter->gost[0] : 0;
            if (nextLatin == 'i' || nextLatin == 'e' || nextLatin == 'y' || nextLatin == 'j')
                latin = "c";
        }
        const bool wholeWordCapital =
            capital && (next == Kind::Upper || (next == Kind::Other && kindBefore(text, i) == Kind::Upper));
        appendLatin(out, latin, capital, wholeWordCapital, dropMarks);
        i += 2;
    }
}

std::string transliterate(std::string_view text, TranslitSystem system, bool dropMarks, Typography typography)
{
    std::string out;
    appendTransliterated(out, text, system, dropMarks, typography);
    return out;
}

void appendNewName(const TranslitOptions &options, std::string_view fileName, std::string &out)
{
    const bool dropMarks = options.dropMarks != 0;
    if (options.scope == TranslitScope::NameAndExtension) {
        const std::string latin = transliterate(fileName, options.system, dropMarks, options.typography);
        const sdk::NameParts parts = sdk::splitFileName(latin);
        sdk::appendFileName(out, parts.base, parts.extension, parts.hasExtension);
        return;
    }
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    sdk::appendFileName(out, transliterate(parts.base, options.system, dropMarks, options.typography),
                        parts.extension, parts.hasExtension);
}

std::string describe(const TranslitOptions &options)
{
    std::string text = options.system == TranslitSystem::Gost779B ? "Транслит: ГОСТ 7.79-2000 Б" : "Транслит: ИКАО 9303";
    if (options.scope == TranslitScope::NameAndExtension)
        text += ", с расширением";
    if (options.typography != Typography::Keep)
        text += ", знаки → ASCII";
    return text;
}

} // namespace brenmark::translit
