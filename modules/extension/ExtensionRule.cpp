#include "modules/extension/ExtensionRule.h"

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "module_helper/Utf8.h"

#include <QString>

namespace brenmark::extension {

namespace {

void appendCase(std::string &out, std::string_view text, bool upper)
{
    // Plain ASCII needs no Unicode tables; most extensions are.
    bool ascii = true;
    for (char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        for (char c : text) {
            if (upper && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (!upper && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            out.push_back(c);
        }
        return;
    }
    // Bytes that are not UTF-8 would not survive decoding: keep them as they are.
    if (!sdk::isValidUtf8(text)) {
        out.append(text);
        return;
    }
    QString decoded;
    sdk::decodeUtf8(text, decoded);
    sdk::appendUtf8(out, upper ? decoded.toUpper() : decoded.toLower());
}

} // namespace

void validateOptions(const ExtensionOptions &options)
{
    if (options.operation > ExtensionOperation::Upper)
        throw sdk::ModuleError("Расширение: неизвестное действие в параметрах.");
    const std::string_view text = sdk::fieldText(options.text);
    if (text.find('/') != std::string_view::npos)
        throw sdk::ModuleError("Расширение: знак «/» в расширении недопустим.");
    if (options.operation == ExtensionOperation::Add && text.empty())
        throw sdk::ModuleError("Расширение: не задано добавляемое расширение.");
}

void appendNewName(const ExtensionOptions &options, std::string_view fileName, std::string &out)
{
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    const std::string_view text = sdk::fieldText(options.text);
    switch (options.operation) {
    case ExtensionOperation::Set:
        sdk::appendFileName(out, parts.base, text, !text.empty());
        return;
    case ExtensionOperation::Remove:
        sdk::appendFileName(out, parts.base, {}, false);
        return;
    case ExtensionOperation::Add:
        sdk::appendFileName(out, fileName, text, true);
        return;
    case ExtensionOperation::Lower:
    case ExtensionOperation::Upper:
        sdk::appendFileName(out, parts.base, {}, false);
        if (parts.hasExtension) {
            out.push_back('.');
            appendCase(out, parts.extension, options.operation == ExtensionOperation::Upper);
        }
        return;
    }
    out.append(fileName);
}

std::string describe(const ExtensionOptions &options)
{
    const std::string text(sdk::fieldText(options.text));
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
