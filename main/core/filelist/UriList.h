#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brenmark {

// The local files of a drop's "text/uri-list" data, in the drop's order, as the
// bytes of their paths: a "file:" URI's path with its %XX escapes turned back
// into bytes, so a name that is not valid UTF-8 (Windows-1251 bytes, say) comes
// out exactly as the file system holds it. Comment lines ("#") and URIs of other
// schemes or of other hosts are left out; the host may be empty, "localhost" or
// `localHost` (compared without regard to ASCII case). Lines may end in CR LF or LF.
std::vector<std::string> localPathsOfUriList(std::string_view data, std::string_view localHost);

} // namespace brenmark
