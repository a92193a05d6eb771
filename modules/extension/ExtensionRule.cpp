#include "modules/extension/ExtensionRule.h"

#include "modules/common/FileNameParts.h"
#include "modules/common/FixedText.h"

#include <QString>

#include <stdexcept>

namespace brenmark::extension {

namespace {

std::string changeCase(std::string_view text, bool upper)
{
    // Plain ASCII needs no Unicode tables; most extensions are.
    bool ascii = true;
    for (char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        std::string result(text);
        for (char &c : result) {
            if (upper && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (!upper && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return result;
    }
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // Bytes that are not UTF-8 would not survive the round trip: keep them as they are.
    if (decoded.toUtf8() != QByteArrayView(text.data(), static_cast<qsizetype>(text.size())))
        return std::string(text);
    return (upper ? decoded.toUpper() : decoded.toLower()).toStdString();
}

} // namespace

std::string_view optionText(const ExtensionOptions &options)
{
    return fixedText(options.text);
}

void checkOptions(const ExtensionOptions &options)
{
    if (options.version != kOptionsVersion)
        throw std::runtime_error("Расширение: настройки записаны другой версией модуля ("
                                 + std::to_string(options.version) + ")");
    if (options.operation > ExtensionOperation::Upper)
        throw std::runtime_error("Расширение: неизвестное действие в настройках");
    const std::string_view text = optionText(options);
    if (text.find('/') != std::string_view::npos)
        throw std::runtime_error("Расширение: знак «/» в расширении недопустим");
    if (options.operation == ExtensionOperation::Add && text.empty())
        throw std::runtime_error("Расширение: не задано добавляемое расширение");
}

std::string applyExtension(std::string_view fileName, const ExtensionOptions &options)
{
    const NameParts parts = splitName(fileName);
    const std::string_view text = optionText(options);
    switch (options.operation) {
    case ExtensionOperation::Set:
        return joinName(parts.stem, text, !text.empty());
    case ExtensionOperation::Remove:
        return std::string(parts.stem);
    case ExtensionOperation::Add:
        return joinName(fileName, text, true);
    case ExtensionOperation::Lower:
    case ExtensionOperation::Upper:
        return joinName(parts.stem, changeCase(parts.extension, options.operation == ExtensionOperation::Upper),
                        parts.hasDot);
    }
    return std::string(fileName);
}

std::string applyExtensionToPath(std::string_view path, const ExtensionOptions &options)
{
    const PathParts parts = splitPath(path);
    std::string result(parts.folder);
    result += applyExtension(parts.fileName, options);
    return result;
}

std::string describe(const ExtensionOptions &options)
{
    const std::string text(optionText(options));
    switch (options.operation) {
    case ExtensionOperation::Set:
        return text.empty() ? "Расширение: убрать" : "Расширение: → \"" + text + "\"";
    case ExtensionOperation::Remove:
        return "Расширение: убрать";
    case ExtensionOperation::Add:
        return "Расширение: добавить \"" + text + "\"";
    case ExtensionOperation::Lower:
        return "Расширение: строчными";
    case ExtensionOperation::Upper:
        return "Расширение: ПРОПИСНЫМИ";
    }
    return "Расширение";
}

} // namespace brenmark::extension
