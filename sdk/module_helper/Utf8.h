#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace brenmark::sdk {

bool isValidUtf8(std::string_view text);

// Decodes UTF-8 into `out`, reusing its storage: no allocation once `out`
// has grown to the longest name seen.
void decodeUtf8(std::string_view text, QString &out);

// Appends `text` encoded as UTF-8 to `out`.
void appendUtf8(std::string &out, QStringView text);

// Number of characters (code points) of valid UTF-8 `text`.
std::size_t charCount(std::string_view text);

// Byte offset of character number `chars` in valid UTF-8 `text`, or
// text.size() when it has fewer characters.
std::size_t byteOffset(std::string_view text, std::size_t chars);

// Reads the code point at byte `i` of valid UTF-8 `text` and moves `i` past it.
char32_t nextCodePoint(std::string_view text, std::size_t &i);

// Appends code point `c` as UTF-8.
void appendCodePoint(std::string &out, char32_t c);

// Throws ModuleError when `fileName` is not valid UTF-8: texts are edited by
// characters, and a name that is only bytes would come out damaged.
void requireUtf8(std::string_view fileName);

} // namespace brenmark::sdk
