#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace brenmark {

// Texts in options blocks are zero-padded UTF-8 in fixed arrays. A block read
// from a template may lack the terminator: reading never passes the array.
template<std::size_t N>
std::string_view fixedText(const char (&field)[N])
{
    return {field, strnlen(field, N)};
}

// Stores `text` zero-padded, cut at a character boundary so that at least one
// zero byte remains. Returns false when the text had to be shortened.
template<std::size_t N>
bool setFixedText(char (&field)[N], std::string_view text)
{
    std::size_t length = text.size() < N ? text.size() : N - 1;
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), length);
    return length == text.size();
}

} // namespace brenmark
