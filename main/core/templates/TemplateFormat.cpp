#include "main/core/templates/TemplateFormat.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <limits>

namespace brenmark::TemplateFormat {

namespace {

// Reads with every length checked against what is left of the device before
// anything is allocated.
class Reader
{
public:
    explicit Reader(QIODevice &device) : m_device(device) {}

    std::int32_t integer()
    {
        std::uint8_t bytes[4];
        take(bytes, sizeof bytes);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8
                                         | static_cast<std::uint32_t>(bytes[2]) << 16
                                         | static_cast<std::uint32_t>(bytes[3]) << 24);
    }

    std::string text(const char *what)
    {
        const qint64 offset = m_device.pos();
        const std::int32_t length = integer();
        if (length < 1 || length > maxTextField)
            throw TemplateFormatError("Damaged template: the " + std::string(what) + " at offset "
                                      + std::to_string(offset) + " has the length " + std::to_string(length)
                                      + " (allowed: 1 to " + std::to_string(maxTextField) + ")");
        char buffer[maxTextField];
        take(buffer, length);
        return std::string(buffer, strnlen(buffer, static_cast<std::size_t>(length)));
    }

    std::vector<std::uint8_t> options()
    {
        const qint64 offset = m_device.pos();
        const std::int32_t size = integer();
        if (size < 0 || size > remaining())
            throw TemplateFormatError("Damaged template: the options size at offset " + std::to_string(offset)
                                      + " is " + std::to_string(size) + " bytes, but "
                                      + std::to_string(remaining()) + " bytes are left in the file");
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        take(bytes.data(), size);
        return bytes;
    }

private:
    qint64 remaining() const
    {
        // A pipe has no size: its reads fail at its end instead, and an options
        // block beyond any real module's size is refused before it is allocated.
        constexpr qint64 largestSequentialBlock = 16 * 1024 * 1024;
        return m_device.isSequential() ? largestSequentialBlock : m_device.size() - m_device.pos();
    }

    void take(void *into, qint64 count)
    {
        if (count == 0)
            return;
        if (m_device.read(static_cast<char *>(into), count) != count)
            throw TemplateFormatError("Read beyond end of file");
    }

    QIODevice &m_device;
};

void putInteger(QByteArray &out, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>(bits >> shift & 0xFF));
}

void putText(QByteArray &out, const std::string &text)
{
    std::size_t length = std::min<std::size_t>(std::strlen(text.c_str()), maxTextField - 1);
    // Never split a UTF-8 sequence: back up over continuation bytes.
    if (length < std::strlen(text.c_str())) {
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    }
    putInteger(out, static_cast<std::int32_t>(length + 1));
    out.append(text.data(), static_cast<qsizetype>(length));
    out.append('\0');
}

} // namespace

std::vector<TemplateAction> read(QIODevice &device)
{
    Reader reader(device);
    const std::int32_t count = reader.integer();
    std::vector<TemplateAction> actions;
    for (std::int32_t i = 0; i < count; ++i) {
        TemplateAction action;
        action.moduleFile = reader.text("module name");
        action.caption = reader.text("caption");
        action.options = reader.options();
        actions.push_back(std::move(action));
    }
    return actions;
}

void write(QIODevice &device, const std::vector<TemplateAction> &actions)
{
    QByteArray out;
    putInteger(out, static_cast<std::int32_t>(actions.size()));
    for (const TemplateAction &action : actions) {
        putText(out, action.moduleFile);
        putText(out, action.caption);
        putInteger(out, static_cast<std::int32_t>(action.options.size()));
        out.append(reinterpret_cast<const char *>(action.options.data()), static_cast<qsizetype>(action.options.size()));
    }
    if (device.write(out) != out.size())
        throw TemplateFormatError("Unable to write the template: " + device.errorString().toStdString());
}

std::vector<TemplateAction> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TemplateFormatError("Cannot open the template " + path.toStdString() + ": "
                                  + file.errorString().toStdString());
    return read(file);
}

void writeFile(const QString &path, const std::vector<TemplateAction> &actions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TemplateFormatError("Unable to write to " + path.toStdString() + ": " + file.errorString().toStdString());
    write(file, actions);
    if (!file.commit())
        throw TemplateFormatError("Unable to write to " + path.toStdString() + ": " + file.errorString().toStdString());
}

} // namespace brenmark::TemplateFormat
