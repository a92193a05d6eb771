// Writes the Cyrillic letters of file names in Latin letters.
#include "brenmark_module_helper.h"
#include "modules/transliteration/TransliterationDialog.h"
#include "modules/transliteration/Transliterator.h"

namespace brenmark::translit {
namespace {

class TransliterationModule final : public sdk::RenamingModule<TranslitOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Транслитерация", "Brenmark", "Имя файла\\Транслитерация", "*"};
    }

    // Bytes that are not UTF-8 are copied through unchanged.
    bool requiresUtf8Names() const override { return false; }

protected:
    TranslitOptions defaults() const override { return {}; }

    std::string describe(const TranslitOptions &options) const override
    {
        return translit::describe(options);
    }

    bool edit(QWidget *parent, TranslitOptions &options, bool) override
    {
        return sdk::editInDialog<TransliterationDialog>(parent, options);
    }

    void appendNewName(const TranslitOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        validateOptions(options);
        translit::appendNewName(options, request.fileName, out);
    }
};

} // namespace
} // namespace brenmark::translit

BRENMARK_MODULE(brenmark::translit::TransliterationModule)
