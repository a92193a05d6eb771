#include "options/core/NameBytes.h"

#include "module_helper/Utf8Sequence.h"

namespace brenmark {

namespace {

void appendUtf8(QByteArray &out, char32_t code)
{
    if (code < 0x80) {
        out.append(static_cast<char>(code));
    } else if (code < 0x800) {
        out.append(static_cast<char>(0xC0 | code >> 6));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(static_cast<char>(0xE0 | code >> 12));
        out.append(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | code >> 18));
        out.append(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
        out.append(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace

QString nameFromBytes(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t code = 0;
        const int length = sdk::utf8SequenceLength(reinterpret_cast<const unsigned char *>(bytes.constData()) + at,
                                                    std::size_t(bytes.size() - at), code);
        if (length == 0) {
            name.append(QChar(0xDC00 + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        if (code >= 0x10000) {
            name.append(QChar::highSurrogate(code));
            name.append(QChar::lowSurrogate(code));
        } else {
            name.append(QChar(static_cast<char16_t>(code)));
        }
        at += length;
    }
    return name;
}

QByteArray bytesOfName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    for (qsizetype at = 0; at < name.size(); ++at) {
        const char16_t unit = name[at].unicode();
        if (QChar::isHighSurrogate(unit) && at + 1 < name.size() && name[at + 1].isLowSurrogate()) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, name[at + 1].unicode()));
            ++at;
        } else if (unit >= 0xDC80 && unit <= 0xDCFF) {
            bytes.append(static_cast<char>(unit - 0xDC00));
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(bytes, 0xFFFD);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

} // namespace brenmark
