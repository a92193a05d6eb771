#include "module_helper/Utf8.h"

#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "module_helper/Utf8Sequence.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>
#include <cstring>

namespace brenmark::sdk {

bool isValidUtf8(std::string_view text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto *end = p + text.size();
    while (p < end) {
        // Most names are mostly ASCII: skip it eight bytes at a time.
        while (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080ull)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        char32_t code;
        const int length = utf8SequenceLength(p, std::size_t(end - p), code);
        if (length == 0)
            return false;
        p += length;
    }
    return true;
}

void decodeUtf8(std::string_view text, QString &out)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out.resize(qsizetype(text.size()));
    QChar *end = decoder.appendToBuffer(out.data(), QByteArrayView(text.data(), qsizetype(text.size())));
    out.truncate(end - out.constData());
}

void appendUtf8(std::string &out, QStringView text)
{
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const std::size_t old = out.size();
    out.resize(old + std::size_t(text.size()) * 3);
    char *end = encoder.appendToBuffer(out.data() + old, text);
    out.resize(std::size_t(end - out.data()));
}

std::size_t charCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::size_t byteOffset(std::string_view text, std::size_t chars)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == 0)
                return i;
            --chars;
        }
        ++i;
    }
    return text.size();
}

char32_t nextCodePoint(std::string_view text, std::size_t &i)
{
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    int continuation = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t code = lead & (0x3F >> continuation);
    while (continuation-- > 0 && i < text.size())
        code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    return code;
}

void appendCodePoint(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

void requireUtf8(std::string_view fileName)
{
    if (!isValidUtf8(fileName))
        throw ModuleError("Имя файла " + quoted(fileName)
                          + " записано не в кодировке UTF-8: модуль не может его изменить.");
}

} // namespace brenmark::sdk
