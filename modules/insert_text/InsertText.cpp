#include "modules/insert_text/InsertText.h"

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/Utf8.h"

#include <algorithm>

namespace brenmark::modules {

namespace {

std::size_t insertionPoint(const InsertOptions &options, std::string_view fileName)
{
    const auto offset = std::size_t(std::max(options.offset, 0));
    switch (options.position) {
    case InsertPosition::FromStart:
        return sdk::byteOffset(fileName, offset);
    case InsertPosition::FromEnd: {
        const std::size_t length = sdk::charCount(fileName);
        return sdk::byteOffset(fileName, length - std::min(offset, length));
    }
    case InsertPosition::BeforeExtension:
        break;
    }
    return sdk::splitFileName(fileName).base.size();
}

} // namespace

void insertText(const InsertOptions &options, std::string_view fileName, std::string &out)
{
    const std::size_t at = insertionPoint(options, fileName);
    out.append(fileName.substr(0, at));
    out.append(sdk::fieldText(options.text));
    out.append(fileName.substr(at));
}

std::string insertCaption(const InsertOptions &options)
{
    std::string caption = "Вставка: \"";
    caption.append(sdk::fieldText(options.text)).append("\" ");
    const std::string offset = std::to_string(std::max(options.offset, 0));
    switch (options.position) {
    case InsertPosition::FromStart:
        caption += options.offset <= 0 ? "в начало" : "после " + offset + " зн. от начала";
        break;
    case InsertPosition::FromEnd:
        caption += options.offset <= 0 ? "в конец" : "за " + offset + " зн. до конца";
        break;
    case InsertPosition::BeforeExtension:
        caption += "перед расширением";
        break;
    }
    return caption;
}

} // namespace brenmark::modules
