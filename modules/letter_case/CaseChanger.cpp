#include "modules/letter_case/CaseChanger.h"

#include "module_helper/FileName.h"
#include "module_helper/Utf8.h"

namespace brenmark::modules {

namespace {

// A word goes on after letters, digits and apostrophes ("Don't", "2nd").
bool continuesWord(char32_t c)
{
    return QChar::isLetterOrNumber(c) || c == U'\'' || c == U'’';
}

// Capitalises the first letter of every word (title) or of the first word
// only (sentence) in an already lower-cased text, in place.
void capitalise(QString &text, bool everyWord)
{
    bool inWord = false;
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            length = 2;
        }
        if (!inWord && QChar::isLetter(c)) {
            const char32_t title = QChar::toTitleCase(c);
            if (QChar::requiresSurrogates(title) == (length == 2)) {
                if (length == 2) {
                    text[i] = QChar(QChar::highSurrogate(title));
                    text[i + 1] = QChar(QChar::lowSurrogate(title));
                } else {
                    text[i] = QChar(title);
                }
            }
            if (!everyWord)
                return;
        }
        inWord = continuesWord(c);
        i += length;
    }
}

const char *caseName(LetterCase letterCase)
{
    switch (letterCase) {
    case LetterCase::Keep:
        return "как есть";
    case LetterCase::Lower:
        return "строчные";
    case LetterCase::Upper:
        return "ПРОПИСНЫЕ";
    case LetterCase::Title:
        return "Каждое Слово";
    case LetterCase::Sentence:
        return "Как в предложении";
    }
    return "как есть";
}

} // namespace

void CaseChanger::apply(const CaseOptions &options, std::string_view fileName, std::string &out)
{
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    change(options.name, parts.base, out);
    if (parts.hasExtension) {
        out.push_back('.');
        change(options.extension, parts.extension, out);
    }
}

void CaseChanger::change(LetterCase letterCase, std::string_view text, std::string &out)
{
    if (letterCase == LetterCase::Keep) {
        out.append(text);
        return;
    }
    sdk::decodeUtf8(text, m_buffer);
    // The rvalue overloads convert in place when the buffer is not shared.
    if (letterCase == LetterCase::Upper)
        m_buffer = std::move(m_buffer).toUpper();
    else
        m_buffer = std::move(m_buffer).toLower();
    if (letterCase == LetterCase::Title || letterCase == LetterCase::Sentence)
        capitalise(m_buffer, letterCase == LetterCase::Title);
    sdk::appendUtf8(out, m_buffer);
}

std::string caseCaption(const CaseOptions &options)
{
    return std::string("Регистр: имя — ") + caseName(options.name) + ", расширение — "
           + caseName(options.extension);
}

} // namespace brenmark::modules
