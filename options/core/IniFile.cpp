#include "options/core/IniFile.h"

#include "options/core/IniValue.h"
#include "options/core/IniWriteError.h"

#include "module_helper/AtomicFile.h"

#include <QFile>

#include <cstring>
#include <stdexcept>

namespace brenmark {

IniDocument IniFile::read() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return IniDocument::fromBytes(file.readAll());
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return read().value(section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const auto text = read().value(section, key);
    if (!text)
        return defaultValue;
    return parseIniInteger(*text).value_or(defaultValue);
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList IniFile::readKeys(const QString &section) const
{
    return read().keys(section);
}

IniDocument IniFile::readForUpdate() const
{
    // A file that exists but cannot be read must not be replaced by one that
    // holds only the new key.
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw IniWriteError("Unable to write to " + m_path.toStdString() + ": " + file.errorString().toStdString());
    return IniDocument::fromBytes(file.readAll());
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    update([&](IniDocument &document) { document.setValue(section, key, value); });
}

void IniFile::update(const std::function<void(IniDocument &)> &change)
{
    IniDocument document = readForUpdate();
    try {
        change(document);
    } catch (const std::invalid_argument &error) {
        throw IniWriteError("Unable to write to " + m_path.toStdString() + ": " + error.what());
    }
    write(document);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString &section)
{
    IniDocument document = readForUpdate();
    if (!document.hasSection(section))
        return;
    document.eraseSection(section);
    write(document);
}

void IniFile::write(const IniDocument &document)
{
    const QByteArray bytes = document.toBytes();
    const int error = sdk::replaceFileAtomically(QFile::encodeName(m_path).toStdString(),
                                                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (error != 0)
        throw IniWriteError("Unable to write to " + m_path.toStdString() + ": " + std::strerror(error));
}

} // namespace brenmark
