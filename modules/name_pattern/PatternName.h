#pragma once

#include "modules/date_time/DateParts.h"
#include "module_helper/Counter.h"
#include "module_helper/NamePattern.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenmark::modules {

// The placeholders of the name pattern action:
//   [N]  the old name without its extension     (takes a range: [N1-5], [N~3-])
//   [E]  the old extension, without the dot      (takes a range); after a "."
//        of the pattern, a file without extension loses that dot too
//   [P]  the name of the folder the file lies in  (takes a range)
//   [C]  a counter: [C:start,step,width], each part optional ([C:10],
//        [C:1,1,3]); width is 1..20 digits or "авто" (the default), which
//        pads to the largest number of the list
//   [D]  the date taken (EXIF), else the modification time: [D:format] with
//        the date module's codes (%Y, %m, %d, %H, %M, %S), [D] = %Y-%m-%d
// Literal text stands for itself; "[[" and "]]" are literal brackets.
struct CompiledPattern
{
    sdk::ParsedPattern parsed;
    std::vector<sdk::Counter> counters; // by part index; used for [C] parts only
    bool usesDate = false;
};

// Parses `text`; a pattern that is empty, holds "/" or does not parse keeps
// the reason in parsed.error (Russian, with the position).
CompiledPattern compilePattern(std::string_view text);

struct PatternFile
{
    std::string_view fileName; // the running name's file name
    std::string_view folder;   // the running name's folder, ending in '/', may be empty
    int32_t index = 0;         // 0-based position in the list
    int32_t count = 0;         // the list's size, 0 when not known
    const datetime::DateParts *date = nullptr; // needed when the pattern usesDate
};

// Appends the new file name to `out`. Throws sdk::ModuleError when the
// pattern did not compile or gives an empty name.
void appendPatternName(const CompiledPattern &pattern, const PatternFile &file, std::string &out);

} // namespace brenmark::modules
