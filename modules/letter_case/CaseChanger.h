#pragma once

#include "modules/letter_case/CaseOptions.h"

#include <QString>

#include <string>
#include <string_view>

namespace brenmark::modules {

// Changes letter case with Qt's Unicode rules (Cyrillic, Greek, "ß" → "SS").
// Keeps a decoding buffer, so one instance serves one thread.
class CaseChanger
{
public:
    // Appends the new name of `fileName` (valid UTF-8) to `out`.
    void apply(const CaseOptions &options, std::string_view fileName, std::string &out);

private:
    void change(LetterCase letterCase, std::string_view text, std::string &out);

    QString m_buffer;
};

// The action's caption, e.g. «Регистр: имя — Каждое Слово, расширение — строчные».
std::string caseCaption(const CaseOptions &options);

} // namespace brenmark::modules
