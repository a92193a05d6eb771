// Sets, removes, adds or changes the letter case of file extensions.
#include "brenmark_module_helper.h"
#include "modules/extension/ExtensionDialog.h"
#include "modules/extension/ExtensionRule.h"

namespace brenmark::extension {
namespace {

class ExtensionModule final : public sdk::RenamingModule<ExtensionOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Расширение", "Brenmark", "Имя файла\\Расширение", "*"};
    }

    // Extensions are changed byte for byte where they are not UTF-8.
    bool requiresUtf8Names() const override { return false; }

protected:
    ExtensionOptions defaults() const override
    {
        ExtensionOptions options;
        sdk::setFieldText(options.text, "jpg");
        return options;
    }

    std::string describe(const ExtensionOptions &options) const override
    {
        return extension::describe(options);
    }

    bool edit(QWidget *parent, ExtensionOptions &options, bool) override
    {
        return sdk::editInDialog<ExtensionDialog>(parent, options);
    }

    void appendNewName(const ExtensionOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        validateOptions(options);
        extension::appendNewName(options, request.fileName, out);
    }
};

} // namespace
} // namespace brenmark::extension

BRENMARK_MODULE(brenmark::extension::ExtensionModule)
