#include "main/core/filelist/FileEntry.h"

#include <charconv>

namespace brenmark {
namespace {

constexpr char kEscape = '\x1b';

char escapeCode(char c)
{
    switch (c) {
    case '|': return 'p';
    case '*': return 's';
    case '\r': return 'r';
    case '\n': return 'n';
    case kEscape: return 'e';
    default: return 0;
    }
}

char unescapeCode(char code)
{
    switch (code) {
    case 'p': return '|';
    case 's': return '*';
    case 'r': return '\r';
    case 'n': return '\n';
    case 'e': return kEscape;
    default: return 0;
    }
}

void appendEscaped(std::string &out, std::string_view path)
{
    for (char c : path) {
        if (char code = escapeCode(c)) {
            out += kEscape;
            out += code;
        } else {
            out += c;
        }
    }
}

} // namespace

bool FileEntry::needsEscaping(std::string_view path)
{
    for (char c : path)
        if (escapeCode(c))
            return true;
    return false;
}

std::string FileEntry::escapePath(std::string_view path)
{
    std::string out;
    out.reserve(path.size());
    appendEscaped(out, path);
    return out;
}

std::string FileEntry::unescapePath(std::string_view escaped)
{
    std::string out;
    out.reserve(escaped.size());
    for (size_t i = 0; i < escaped.size(); ++i) {
        char c = escaped[i];
        if (c == kEscape && i + 1 < escaped.size()) {
            if (char original = unescapeCode(escaped[i + 1])) {
                out += original;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

FileEntry FileEntry::parse(std::string_view rowText)
{
    FileEntry entry;
    std::string_view rest = rowText;
    if (size_t bar = rowText.find('|'); bar != std::string_view::npos) {
        std::string_view icon = rowText.substr(0, bar);
        int value = 0;
        auto [end, error] = std::from_chars(icon.data(), icon.data() + icon.size(), value);
        if (error == std::errc() && end == icon.data() + icon.size())
            entry.iconIndex = value;
        rest = rowText.substr(bar + 1);
    }
    if (size_t star = rest.find('*'); star != std::string_view::npos) {
        entry.currentPath = unescapePath(rest.substr(0, star));
        entry.newPath = unescapePath(rest.substr(star + 1));
        entry.hasNewPath = true;
    } else {
        entry.currentPath = unescapePath(rest);
    }
    return entry;
}

std::string FileEntry::text() const
{
    std::string out = std::to_string(iconIndex);
    out.reserve(out.size() + currentPath.size() + newPath.size() + 2);
    out += '|';
    appendEscaped(out, currentPath);
    if (hasNewPath) {
        out += '*';
        appendEscaped(out, newPath);
    }
    return out;
}

std::string FileEntry::dialogRow(std::string_view path)
{
    return fullRow(0, path, path);
}

std::string FileEntry::listRow(std::string_view path)
{
    return FileEntry {0, std::string(path), {}, false}.text();
}

std::string FileEntry::fullRow(int iconIndex, std::string_view currentPath, std::string_view newPath)
{
    return FileEntry {iconIndex, std::string(currentPath), std::string(newPath), true}.text();
}

} // namespace brenmark
