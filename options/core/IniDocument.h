#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace brenmark {

// The text of an ini file held in memory, line by line, so that writing one
// key changes that line alone and keeps everything else (other keys, blank
// lines, lines it does not understand) as it was.
//
// Rules: "[name]" opens a section; a line "key=value" belongs to the section
// above it. Section and key names are compared without regard to letter case.
// A value is the text after the first "=" without surrounding blanks. Lines
// before the first section, and lines without "=", are kept but never read.
// When a section name occurs more than once, its blocks count as one section.
//
// Texts are UTF-8 bytes in the file and QString here; bytes that are not
// UTF-8 (a file name in another encoding) survive in the form of
// nameFromBytes. A byte-order mark at the start is skipped when reading and
// written back.
class IniDocument
{
public:
    IniDocument() = default;
    static IniDocument fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    // Key names of the section in file order, each name once; empty when absent.
    QStringList keys(const QString &section) const;
    bool hasSection(const QString &section) const;

    // Replaces the value of an existing key in place (the key keeps its spelling),
    // or adds the key after the last key of its section; a missing section is
    // added at the end. Throws std::invalid_argument for a key or value that
    // the format cannot hold (line breaks, a key with "=" or "[", an empty key).
    void setValue(const QString &section, const QString &key, const QString &value);
    // Removes the section's header lines and all lines of its blocks.
    void eraseSection(const QString &section);

private:
    struct Line
    {
        QByteArray text;
        // For a section header: its name. For a key line: its key. Else empty.
        QString name;
        enum class Kind { Other, Section, Key } kind = Kind::Other;
    };

    static Line parseLine(const QByteArray &text);
    // Index ranges [begin, end) of the lines after each header of `section`.
    std::vector<std::pair<std::size_t, std::size_t>> blocks(const QString &section) const;

    std::vector<Line> m_lines;
    QByteArray m_lineBreak = "\n";
    bool m_endsWithLineBreak = true;
    bool m_byteOrderMark = false;
};

} // namespace brenmark
