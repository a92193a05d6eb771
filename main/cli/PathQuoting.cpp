#include "main/cli/PathQuoting.h"

#include <stdexcept>

namespace brenmark {
namespace {

bool isControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

bool hasControlByte(std::string_view text)
{
    for (char c : text)
        if (isControl(static_cast<unsigned char>(c)))
            return true;
    return false;
}

bool needsQuoting(std::string_view path)
{
    return (!path.empty() && path.front() == '"') || hasControlByte(path);
}

} // namespace

std::string quotePath(std::string_view path)
{
    std::string quoted;
    appendQuotedPath(quoted, path);
    return quoted;
}

void appendQuotedPath(std::string &out, std::string_view path)
{
    if (!needsQuoting(path)) {
        out.append(path);
        return;
    }
    out += '"';
    for (unsigned char byte : path) {
        switch (byte) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default:
            if (isControl(byte)) {
                out += '\\';
                out += char('0' + (byte >> 6));
                out += char('0' + ((byte >> 3) & 7));
                out += char('0' + (byte & 7));
            } else {
                out += char(byte);
            }
        }
    }
    out += '"';
}

std::string unquotePath(std::string_view field)
{
    if (field.empty() || field.front() != '"')
        return std::string(field);
    if (field.size() < 2 || field.back() != '"')
        throw std::invalid_argument("unterminated quoted path");
    std::string path;
    for (size_t i = 1; i + 1 < field.size(); ++i) {
        char c = field[i];
        if (c != '\\') {
            path += c;
            continue;
        }
        if (i + 2 >= field.size())
            throw std::invalid_argument("escape at the end of a quoted path");
        char e = field[++i];
        switch (e) {
        case '\\': path += '\\'; break;
        case '"': path += '"'; break;
        case 't': path += '\t'; break;
        case 'n': path += '\n'; break;
        case 'r': path += '\r'; break;
        default:
            if (e < '0' || e > '3' || i + 2 >= field.size())
                throw std::invalid_argument("bad escape in a quoted path");
            {
                int value = 0;
                for (int k = 0; k < 3; ++k, ++i) {
                    char d = field[i];
                    if (d < '0' || d > '7')
                        throw std::invalid_argument("bad octal escape in a quoted path");
                    value = value * 8 + (d - '0');
                }
                --i;
                path += char(value);
            }
        }
    }
    return path;
}

} // namespace brenmark
