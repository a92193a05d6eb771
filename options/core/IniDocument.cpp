#include "options/core/IniDocument.h"

#include "options/core/NameBytes.h"

#include <stdexcept>

namespace brenmark {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmedBlanks(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

const QByteArray byteOrderMark("\xEF\xBB\xBF");

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

IniDocument::Line IniDocument::parseLine(const QByteArray &text)
{
    Line line;
    line.text = text;
    const QByteArray trimmed = trimmedBlanks(text);
    if (trimmed.startsWith('[')) {
        const qsizetype close = trimmed.indexOf(']');
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = nameFromBytes(trimmedBlanks(trimmed.mid(1, close - 1)));
            return line;
        }
    }
    const qsizetype equals = trimmed.indexOf('=');
    if (equals > 0) {
        line.kind = Line::Kind::Key;
        line.name = nameFromBytes(trimmedBlanks(trimmed.left(equals)));
    }
    return line;
}

IniDocument IniDocument::fromBytes(const QByteArray &input)
{
    IniDocument document;
    // Editors that save "UTF-8 with BOM" put the mark before the first
    // section; read past it, or that section would not be found.
    QByteArray bytes = input;
    if (bytes.startsWith(byteOrderMark)) {
        document.m_byteOrderMark = true;
        bytes.remove(0, byteOrderMark.size());
    }
    if (bytes.contains("\r\n"))
        document.m_lineBreak = "\r\n";
    document.m_endsWithLineBreak = bytes.isEmpty() || bytes.endsWith('\n');
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArray text = bytes.mid(start, end - start);
        // Only a "\r" before "\n" is part of the line break; a last line without
        // "\n" keeps its bytes, so writing the text back reads the same.
        if (next > end && text.endsWith('\r'))
            text.chop(1);
        document.m_lines.push_back(parseLine(text));
        start = next;
    }
    return document;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes;
    if (m_byteOrderMark)
        bytes += byteOrderMark;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const QByteArray &text = m_lines[i].text;
        bytes += text;
        if (i + 1 < m_lines.size() || m_endsWithLineBreak) {
            // A reader takes a "\r" before "\n" for part of the break.
            if (text.endsWith('\r') && !m_lineBreak.startsWith('\r'))
                bytes += '\r';
            bytes += m_lineBreak;
        }
    }
    return bytes;
}

std::vector<std::pair<std::size_t, std::size_t>> IniDocument::blocks(const QString &section) const
{
    std::vector<std::pair<std::size_t, std::size_t>> result;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind != Line::Kind::Section || !sameName(m_lines[i].name, section))
            continue;
        std::size_t end = i + 1;
        while (end < m_lines.size() && m_lines[end].kind != Line::Kind::Section)
            ++end;
        result.emplace_back(i + 1, end);
        i = end - 1;
    }
    return result;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    for (const auto &[begin, end] : blocks(section)) {
        for (std::size_t i = begin; i < end; ++i) {
            const Line &line = m_lines[i];
            if (line.kind == Line::Kind::Key && sameName(line.name, key)) {
                const QByteArray trimmed = trimmedBlanks(line.text);
                return nameFromBytes(trimmedBlanks(trimmed.mid(trimmed.indexOf('=') + 1)));
            }
        }
    }
    return std::nullopt;
}

QStringList IniDocument::keys(const QString &section) const
{
    QStringList result;
    for (const auto &[begin, end] : blocks(section)) {
        for (std::size_t i = begin; i < end; ++i) {
            const Line &line = m_lines[i];
            if (line.kind == Line::Kind::Key && !result.contains(line.name, Qt::CaseInsensitive))
                result.append(line.name);
        }
    }
    return result;
}

bool IniDocument::hasSection(const QString &section) const
{
    return !blocks(section).empty();
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString trimmedKey = key.trimmed();
    if (trimmedKey.isEmpty() || trimmedKey != key || key.contains(u'=') || key.startsWith(u'[')
        || holdsLineBreak(key))
        throw std::invalid_argument("имя «" + key.toStdString() + "» не может быть ключом настроек");
    if (holdsLineBreak(value))
        throw std::invalid_argument("значение ключа «" + key.toStdString() + "» не может содержать перевод строки");
    if (section.isEmpty() || section.contains(u']') || holdsLineBreak(section))
        throw std::invalid_argument("имя «" + section.toStdString() + "» не может быть разделом настроек");

    const auto sectionBlocks = blocks(section);
    for (const auto &[begin, end] : sectionBlocks) {
        for (std::size_t i = begin; i < end; ++i) {
            Line &line = m_lines[i];
            if (line.kind == Line::Kind::Key && sameName(line.name, key)) {
                const qsizetype equals = line.text.indexOf('=');
                line.text = line.text.left(equals + 1) + bytesOfName(value);
                return;
            }
        }
    }

    Line added = parseLine(bytesOfName(key) + '=' + bytesOfName(value));
    if (sectionBlocks.empty()) {
        if (!m_lines.empty() && !trimmedBlanks(m_lines.back().text).isEmpty())
            m_lines.push_back(Line{});
        m_lines.push_back(parseLine('[' + bytesOfName(section) + ']'));
        m_lines.push_back(std::move(added));
        m_endsWithLineBreak = true;
        return;
    }
    // After the section's last non-blank line, so blank separators stay below it.
    auto [begin, end] = sectionBlocks.front();
    std::size_t at = end;
    while (at > begin && trimmedBlanks(m_lines[at - 1].text).isEmpty())
        --at;
    if (at == m_lines.size())
        m_endsWithLineBreak = true;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(added));
}

void IniDocument::eraseSection(const QString &section)
{
    auto sectionBlocks = blocks(section);
    for (auto it = sectionBlocks.rbegin(); it != sectionBlocks.rend(); ++it)
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(it->first - 1),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(it->second));
}

} // namespace brenmark
