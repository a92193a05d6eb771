#pragma once

#include <cstdint>

namespace brenmark::modules {

enum class LetterCase : uint8_t {
    Keep = 0,
    Lower = 1,    // все строчные
    Upper = 2,    // ВСЕ ПРОПИСНЫЕ
    Title = 3,    // Каждое Слово С Прописной
    Sentence = 4, // Как в предложении
};

// Options block of the letter case action: plain data, copied byte for byte.
struct CaseOptions
{
    static constexpr uint16_t kVersion = 1;

    uint16_t version = kVersion;
    LetterCase name = LetterCase::Title;     // the file name without its extension
    LetterCase extension = LetterCase::Lower;
    uint8_t reserved[4] = {};
};

} // namespace brenmark::modules
