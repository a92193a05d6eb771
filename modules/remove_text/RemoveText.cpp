#include "modules/remove_text/RemoveText.h"

#include "module_helper/FileName.h"
#include "module_helper/Utf8.h"

#include <QChar>

#include <algorithm>

namespace brenmark::modules {

namespace {

bool isBlank(char32_t c)
{
    return QChar::isSpace(c);
}

// Appends `base` without the characters the options remove.
void removeCharacters(const RemoveOptions &options, std::string_view base, std::string &out)
{
    if (options.what == RemoveWhat::Nothing) {
        out.append(base);
        return;
    }
    if (options.what == RemoveWhat::Range) {
        const std::size_t length = sdk::charCount(base);
        const std::size_t skip = std::min<std::size_t>(std::size_t(std::max(options.start, 0)), length);
        const std::size_t count = std::min<std::size_t>(std::size_t(std::max(options.count, 0)), length - skip);
        const std::size_t first = options.fromEnd ? length - skip - count : skip;
        const std::size_t from = sdk::byteOffset(base, first);
        const std::size_t to = from + sdk::byteOffset(base.substr(from), count);
        out.append(base.substr(0, from)).append(base.substr(to));
        return;
    }
    for (std::size_t i = 0; i < base.size();) {
        const std::size_t at = i;
        const char32_t c = sdk::nextCodePoint(base, i);
        const bool drop = options.what == RemoveWhat::Digits ? QChar::isDigit(c) : !QChar::isLetter(c);
        if (!drop)
            out.append(base.substr(at, i - at));
    }
}

// Trims and collapses blanks of out[start...] in place.
void cleanBlanks(const RemoveOptions &options, std::string &out, std::size_t start)
{
    if (!options.trimBlanks && !options.collapseBlanks)
        return;
    std::size_t write = start;
    bool pendingBlank = false;
    bool seenText = false;
    for (std::size_t i = start; i < out.size();) {
        const std::size_t at = i;
        const char32_t c = sdk::nextCodePoint(out, i);
        if (isBlank(c)) {
            if (options.collapseBlanks) {
                pendingBlank = true;
                continue;
            }
            if (options.trimBlanks && !seenText)
                continue;
        } else if (pendingBlank) {
            if (seenText || !options.trimBlanks)
                out[write++] = ' ';
            pendingBlank = false;
        }
        seenText = seenText || !isBlank(c);
        // Moving left over bytes already read is safe.
        for (std::size_t k = at; k < i; ++k)
            out[write++] = out[k];
    }
    if (pendingBlank && !options.trimBlanks)
        out[write++] = ' ';
    out.resize(write);
    if (options.trimBlanks) {
        while (out.size() > start) {
            std::size_t last = out.size() - 1;
            while (last > start && (static_cast<unsigned char>(out[last]) & 0xC0) == 0x80)
                --last;
            std::size_t i = last;
            if (!isBlank(sdk::nextCodePoint(out, i)))
                break;
            out.resize(last);
        }
    }
}

} // namespace

void removeText(const RemoveOptions &options, std::string_view fileName, std::string &out)
{
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    const std::size_t start = out.size();
    removeCharacters(options, parts.base, out);
    cleanBlanks(options, out, start);
    if (out.size() == start) {
        sdk::appendFileName(out, {}, parts.extension, parts.hasExtension); // throws: nothing left
        return;
    }
    if (parts.hasExtension)
        out.append(".").append(parts.extension);
}

std::string removeCaption(const RemoveOptions &options)
{
    std::string caption = "Удаление: ";
    switch (options.what) {
    case RemoveWhat::Nothing:
        break;
    case RemoveWhat::Range:
        caption += std::to_string(std::max(options.count, 0)) + " зн. ";
        if (options.start > 0)
            caption += "после " + std::to_string(options.start) + " зн. ";
        caption += options.fromEnd ? "с конца" : "с начала";
        break;
    case RemoveWhat::Digits:
        caption += "все цифры";
        break;
    case RemoveWhat::NonLetters:
        caption += "всё, кроме букв";
        break;
    }
    const bool text = options.what != RemoveWhat::Nothing;
    if (options.trimBlanks)
        caption += text ? ", пробелы по краям" : "пробелы по краям";
    if (options.collapseBlanks)
        caption += text || options.trimBlanks ? ", двойные пробелы" : "двойные пробелы";
    if (!text && !options.trimBlanks && !options.collapseBlanks)
        caption += "ничего";
    return caption;
}

} // namespace brenmark::modules
