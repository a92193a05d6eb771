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
    // A new action writes names a user can type anywhere: no marks, no "№" or «».
    TranslitOptions defaults() const override
    {
        TranslitOptions options;
        options.system = TranslitSystem::Icao9303;
        options.typography = Typography::Ascii;
        return options;
    }

    // A block of version 1 had no typographic option: its characters stay,
    // whatever the byte that was reserved then holds.
    bool upgrade(TranslitOptions &options) const override
    {
        if (options.version != 1)
            return false;
        options.typography = Typography::Keep;
        return true;
    }

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
