#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// A malformed mask; the text is "'<mask>' is an invalid mask at (<position>)",
// the position counting characters of the mask from 1.
class InvalidMaskError : public std::runtime_error
{
public:
    InvalidMaskError(const std::string &mask, int position);
    int position() const { return m_position; }

private:
    int m_position;
};

// The file-list filter language, matched against a whole path:
//   "*"       any run of characters, "/" included
//   "?"       exactly one character
//   "[...]"   one character of the set; ranges "a-z"; "[!...]" the complement
// Latin letters match regardless of case; everything else exactly.
// Mask and paths are UTF-8 byte strings; a path byte that is not part of a
// valid UTF-8 sequence counts as one character of its own.
class FileMask
{
public:
    // Throws InvalidMaskError for an unclosed "[", an empty set, or a range
    // missing its first or last character.
    explicit FileMask(std::string_view mask);

    bool matches(std::string_view path) const;

private:
    struct Element
    {
        enum class Kind { Literal, AnyRun, AnyOne, Set } kind;
        char32_t literal = 0;
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges; // inclusive, case-folded
    };

    bool matchesSet(const Element &set, char32_t c) const;

    std::vector<Element> m_elements;
};

} // namespace brenmark
