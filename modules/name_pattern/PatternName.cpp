#include "modules/name_pattern/PatternName.h"

#include "modules/date_time/DateFormat.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

#include <array>
#include <charconv>

namespace brenmark::modules {

namespace {

enum PlaceholderId { Name, Extension, Folder, CounterId, DateId };

constexpr std::string_view kDefaultDateFormat = "%Y-%m-%d";

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool readInteger(std::string_view text, int32_t &value)
{
    text = trimmed(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// "start,step,width", every part optional; empty when it parses.
std::string parseCounter(std::string_view argument, sdk::Counter &counter)
{
    std::array<std::string_view, 3> fields;
    std::size_t used = 0;
    while (true) {
        const std::size_t comma = argument.find(',');
        if (used == fields.size())
            return "у счётчика не больше трёх чисел: начало, шаг и ширина, например «[C:1,1,3]».";
        fields[used++] = argument.substr(0, comma);
        if (comma == std::string_view::npos)
            break;
        argument.remove_prefix(comma + 1);
    }
    if (!trimmed(fields[0]).empty() && !readInteger(fields[0], counter.start))
        return "начало счётчика «" + std::string(fields[0]) + "» — не целое число.";
    if (!trimmed(fields[1]).empty() && !readInteger(fields[1], counter.step))
        return "шаг счётчика «" + std::string(fields[1]) + "» — не целое число.";
    const std::string_view width = trimmed(fields[2]);
    if (width.empty() || width == "авто" || width == "Авто" || width == "АВТО" || width == "auto") {
        counter.width = sdk::kAutoWidth;
    } else if (int32_t digits = 0;
               !readInteger(width, digits) || digits < 1 || digits > sdk::kMaxCounterWidth) {
        return "ширина счётчика «" + std::string(fields[2]) + "»: число цифр от 1 до "
               + std::to_string(sdk::kMaxCounterWidth) + " или «авто».";
    } else {
        counter.width = digits;
    }
    return {};
}

std::string checkCounter(std::string_view argument)
{
    sdk::Counter counter;
    return parseCounter(argument, counter);
}

std::string checkDateFormat(std::string_view format)
{
    if (format.find('/') != std::string_view::npos)
        return "«/» не может стоять в имени файла.";
    if (!datetime::hasDateCodes(format))
        return "в формате даты нет ни одного кода: %Y, %y, %m, %d, %H, %M или %S.";
    return {};
}

const std::array<sdk::PlaceholderRule, 5> kRules = {{
    {"N", Name, true, sdk::ArgumentUse::None, nullptr},
    {"E", Extension, true, sdk::ArgumentUse::None, nullptr},
    {"P", Folder, true, sdk::ArgumentUse::None, nullptr},
    {"C", CounterId, false, sdk::ArgumentUse::Optional, checkCounter},
    {"D", DateId, false, sdk::ArgumentUse::Optional, checkDateFormat},
}};

std::string_view folderName(std::string_view folder)
{
    if (!folder.empty() && folder.back() == '/')
        folder.remove_suffix(1);
    return sdk::splitPath(folder).fileName;
}

std::size_t characterPosition(std::string_view text, std::size_t byte)
{
    std::size_t position = 1;
    for (std::size_t i = 0; i < byte; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++position;
    }
    return position;
}

} // namespace

CompiledPattern compilePattern(std::string_view text)
{
    CompiledPattern compiled;
    compiled.parsed = sdk::parsePattern(text, kRules);
    sdk::ParsedPattern &parsed = compiled.parsed;
    const std::size_t slash = text.find('/');
    if (parsed.ok() && slash != std::string_view::npos) {
        parsed.parts.clear();
        parsed.errorPosition = characterPosition(text, slash);
        parsed.error = "Позиция " + std::to_string(parsed.errorPosition)
                       + ": «/» не может стоять в имени файла.";
    }
    if (parsed.ok() && parsed.parts.empty()) {
        parsed.errorPosition = 1;
        parsed.error = "Шаблон пуст: напишите, из чего составить имя, например «[N]_[C].[E]».";
    }
    if (!parsed.ok())
        return compiled;
    compiled.counters.resize(parsed.parts.size());
    for (std::size_t i = 0; i < parsed.parts.size(); ++i) {
        const sdk::PatternPart &part = parsed.parts[i];
        if (part.id == CounterId && !part.isLiteral())
            parseCounter(part.argument, compiled.counters[i]);
        if (part.id == DateId && !part.isLiteral())
            compiled.usesDate = true;
    }
    return compiled;
}

void appendPatternName(const CompiledPattern &pattern, const PatternFile &file, std::string &out)
{
    const sdk::ParsedPattern &parsed = pattern.parsed;
    if (!parsed.ok())
        throw sdk::ModuleError("Шаблон имени не годится. " + parsed.error);
    const sdk::NameParts name = sdk::splitFileName(file.fileName);
    const std::size_t start = out.size();
    sdk::expandPattern(
        parsed.parts,
        [&](const sdk::PatternPart &part, std::string &text) {
            switch (part.id) {
            case Name:
                text.append(name.base);
                break;
            case Extension:
                // "[N].[E]" must not leave "README." behind.
                if (!name.hasExtension && text.size() > start && text.back() == '.')
                    text.pop_back();
                text.append(name.extension);
                break;
            case Folder:
                text.append(folderName(file.folder));
                break;
            case CounterId:
                sdk::appendCounter(text, pattern.counters[std::size_t(&part - parsed.parts.data())],
                                   file.index, file.count);
                break;
            case DateId:
                if (!file.date)
                    throw sdk::ModuleError("дата файла не прочитана.");
                text.append(datetime::formatDate(part.hasArgument ? std::string_view(part.argument)
                                                                  : kDefaultDateFormat,
                                                 *file.date));
                break;
            }
        },
        out);
    if (out.size() == start)
        throw sdk::ModuleError("шаблон дал пустое имя.");
}

} // namespace brenmark::modules
