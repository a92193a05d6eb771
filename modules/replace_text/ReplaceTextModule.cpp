// Replaces a text or a regular expression's matches in file names.
#include "brenmark_module_helper.h"
#include "modules/replace_text/ReplaceTextDialog.h"
#include "modules/replace_text/TextReplacer.h"

namespace brenmark::modules {
namespace {

class ReplaceTextModule final : public sdk::RenamingModule<ReplaceOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Замена текста", "Brenmark", "Имя файла\\Замена текста", "*"};
    }

    void optionsFreed(const void *block) override { m_replacers.forget(block); }

protected:
    ReplaceOptions defaults() const override { return {}; }
    std::string describe(const ReplaceOptions &options) const override { return replaceCaption(options); }

    bool validOptions(const ReplaceOptions &options) const override
    {
        return options.scope <= ReplaceScope::WholeName;
    }

    bool edit(QWidget *parent, ReplaceOptions &options, bool) override
    {
        return sdk::editInDialog<ReplaceTextDialog>(parent, options);
    }

    void appendNewName(const ReplaceOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        const TextReplacer &replacer =
            m_replacers.get(options, [](const ReplaceOptions &block) { return TextReplacer(block); });
        replacer.apply(request.fileName, out);
    }

private:
    sdk::PreparedCache<ReplaceOptions, TextReplacer> m_replacers;
};

} // namespace
} // namespace brenmark::modules

BRENMARK_MODULE(brenmark::modules::ReplaceTextModule)
