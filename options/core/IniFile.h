#pragma once

#include "options/core/IniDocument.h"

#include <QString>

#include <functional>

#include <cstdint>

namespace brenmark {

// An ini file on disk, opened afresh for every operation and never held open.
// Reads of a missing or unreadable file give the caller's default. Every
// write is one complete, atomic replacement of the file (a temporary file in
// the same folder renamed over it), so a failed write leaves the file as it
// was and the keys written before stay written.
class IniFile
{
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}
    const QString &path() const { return m_path; }

    // The whole file as it is now; empty when missing or unreadable.
    IniDocument read() const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal, "$" or "0x" hexadecimal; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Read as an integer: 0 is off, any other integer on.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    QStringList readKeys(const QString &section) const;

    // Each throws IniWriteError "Unable to write to <path>: <reason>" when the
    // file cannot be written in full, or the key or value cannot be stored
    // (line breaks, "=" in a key); the file is then left as it was.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);
    void eraseSection(const QString &section);
    // Several changes at once, read and written once: all of them land or none.
    void update(const std::function<void(IniDocument &)> &change);

private:
    IniDocument readForUpdate() const;
    void write(const IniDocument &document);

    QString m_path;
};

} // namespace brenmark
