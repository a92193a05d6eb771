#include "main/core/templates/TemplateFormat.h"

#include "options/core/NameBytes.h"
#include "module_helper/AtomicFile.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
            throw TemplateFormatError("файл повреждён: длина поля «" + std::string(what) + "» по смещению "
                                      + std::to_string(offset) + " равна " + std::to_string(length)
                                      + " (допустимо от 1 до " + std::to_string(maxTextField) + ")");
        char buffer[maxTextField];
        take(buffer, length);
        return std::string(buffer, strnlen(buffer, static_cast<std::size_t>(length)));
    }

    std::vector<std::uint8_t> options()
    {
        const qint64 offset = m_device.pos();
        const std::int32_t size = integer();
        if (size < 0 || size > remaining())
            throw TemplateFormatError("файл повреждён: размер настроек по смещению " + std::to_string(offset)
                                      + " равен " + std::to_string(size) + " байт, а до конца файла осталось "
                                      + std::to_string(remaining()) + " байт");
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
        action.moduleFile = reader.text("имя модуля");
        action.caption = reader.text("подпись");
        action.options = reader.options();
        actions.push_back(std::move(action));
    }
    return actions;
}

QByteArray toBytes(const std::vector<TemplateAction> &actions)
{
    QByteArray out;
    putInteger(out, static_cast<std::int32_t>(actions.size()));
    for (const TemplateAction &action : actions) {
        putText(out, action.moduleFile);
        putText(out, action.caption);
        putInteger(out, static_cast<std::int32_t>(action.options.size()));
        out.append(reinterpret_cast<const char *>(action.options.data()), static_cast<qsizetype>(action.options.size()));
    }
    return out;
}

void write(QIODevice &device, const std::vector<TemplateAction> &actions)
{
    const QByteArray out = toBytes(actions);
    if (device.write(out) != out.size())
        throw TemplateFormatError("не удалось записать шаблон: " + device.errorString().toStdString());
}

std::string templateName(const QString &path)
{
    QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (name.endsWith(QStringLiteral(".ptp")))
        name.chop(4);
    return name.toStdString();
}

std::string templateMessage(const QString &path, const std::string &text)
{
    return "Шаблон «" + templateName(path) + "»: " + text;
}

std::vector<TemplateAction> readFile(const QString &path)
{
    const QByteArray native = bytesOfName(path);
    const std::string shown = native.toStdString();
    // O_NONBLOCK: a named pipe in the folder must not hang the program; it is refused below.
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw TemplateFormatError(templateMessage(path, shown + ": " + std::strerror(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw TemplateFormatError(templateMessage(path, shown + ": это не обычный файл"));
    }
    // Read as it is parsed, so a file announcing more than it holds allocates nothing.
    QFile device;
    if (!device.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw TemplateFormatError(templateMessage(path, shown + ": " + device.errorString().toStdString()));
    }
    try {
        return read(device);
    } catch (const TemplateFormatError &error) {
        throw TemplateFormatError(templateMessage(path, shown + ": " + error.what()));
    }
}

void writeFile(const QString &path, const std::vector<TemplateAction> &actions)
{
    const QByteArray native = bytesOfName(path);
    const QByteArray bytes = toBytes(actions);
    const int error = sdk::replaceFileAtomically(native.toStdString(),
                                                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (error != 0)
        throw TemplateFormatError(
            templateMessage(path, "Unable to write to " + native.toStdString() + ": " + std::strerror(error)));
}

} // namespace brenmark::TemplateFormat
