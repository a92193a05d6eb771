#include "modules/music_tags/MusicTagsRule.h"

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"

namespace brenmark::musictags {

namespace {

constexpr const char *kModule = "Теги музыки: ";

void appendExtension(std::string &out, std::string_view base, const sdk::NameParts &parts, bool lower)
{
    if (!lower || !parts.hasExtension) {
        sdk::appendFileName(out, base, parts.extension, parts.hasExtension);
        return;
    }
    std::string extension(parts.extension);
    for (char &c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    sdk::appendFileName(out, base, extension, true);
}

} // namespace

void appendCleanText(std::string &out, std::string_view text)
{
    for (const char c : text) {
        if (c == '/')
            out.push_back('-');
        else if ((static_cast<unsigned char>(c) < 0x20) || c == 0x7F)
            out.push_back(' ');
        else
            out.push_back(c);
    }
}

TagPattern prepareOptions(const MusicTagsOptions &options)
{
    TagPattern pattern = parseTagPattern(sdk::fieldText(options.pattern));
    const std::string_view text = sdk::fieldText(options.fallbackText);
    if (options.fallback > TagFallback::Text || options.lowerExtension > 1)
        pattern.problem = "неизвестное значение в параметрах.";
    else if (options.trackWidth < 1 || options.trackWidth > 4)
        pattern.problem = "ширина номера дорожки должна быть от 1 до 4 цифр.";
    else if (pattern.problem.empty() && options.fallback == TagFallback::Text) {
        if (text.empty())
            pattern.problem = "не задан текст для файлов без тегов.";
        else if (text.find('/') != std::string_view::npos)
            pattern.problem = "знак «/» в имени файла недопустим.";
    }
    if (!pattern.problem.empty())
        pattern.problem.insert(0, kModule);
    return pattern;
}

void validateOptions(const MusicTagsOptions &options)
{
    const TagPattern pattern = prepareOptions(options);
    if (!pattern.problem.empty())
        throw sdk::ModuleError(pattern.problem);
}

void appendNewName(const MusicTagsOptions &options, const TagPattern &pattern, std::string_view fileName,
                   const TrackTags &tags, std::string &out)
{
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    const bool lower = options.lowerExtension != 0;
    std::string base;
    // A range can cut a short tag to nothing: that is a missing tag too.
    if (expandTagPattern(pattern, parts.base, tags, options.trackWidth, base) && !base.empty() && base != "."
        && base != "..") {
        appendExtension(out, base, parts, lower);
        return;
    }
    if (options.fallback == TagFallback::Text)
        appendExtension(out, sdk::fieldText(options.fallbackText), parts, lower);
    else
        appendExtension(out, parts.base, parts, lower);
}

std::string describe(const MusicTagsOptions &options)
{
    std::string text = "Теги: \"";
    text += sdk::fieldText(options.pattern);
    text += "\"";
    if (options.fallback == TagFallback::Text) {
        text += ", без тегов: \"";
        text += sdk::fieldText(options.fallbackText);
        text += "\"";
    }
    return text;
}

} // namespace brenmark::musictags
