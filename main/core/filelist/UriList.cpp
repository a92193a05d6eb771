#include "main/core/filelist/UriList.h"

#include <algorithm>
#include <cctype>

namespace brenmark {
namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// %XX becomes the byte XX; a "%" not followed by two hex digits stands for itself.
std::string percentDecoded(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                bytes.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        bytes.push_back(text[i]);
    }
    return bytes;
}

// Sets `path` to the bytes of a local "file:" URI's path; false for any other URI.
bool localPath(std::string_view uri, std::string_view localHost, std::string &path)
{
    constexpr std::string_view scheme = "file:";
    if (uri.size() < scheme.size() || !equalsIgnoringAsciiCase(uri.substr(0, scheme.size()), scheme))
        return false;
    std::string_view rest = uri.substr(scheme.size());
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const size_t slash = rest.find('/');
        if (slash == std::string_view::npos)
            return false;
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !equalsIgnoringAsciiCase(host, "localhost")
            && !(!localHost.empty() && equalsIgnoringAsciiCase(host, localHost)))
            return false;
        rest.remove_prefix(slash);
    }
    // A query or fragment has no place in a file name's URI; "#" and "?" of a name are escaped.
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.empty() || rest.front() != '/')
        return false;
    path = percentDecoded(rest);
    return true;
}

} // namespace

std::vector<std::string> localPathsOfUriList(std::string_view data, std::string_view localHost)
{
    std::vector<std::string> paths;
    while (!data.empty()) {
        const size_t end = data.find('\n');
        std::string_view line = data.substr(0, end);
        data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        std::string path;
        if (localPath(line, localHost, path))
            paths.push_back(std::move(path));
    }
    return paths;
}

} // namespace brenmark
