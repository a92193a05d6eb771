// Numbers files in the order of the host's list: prefix, suffix or whole name.
#include "brenmark_module_helper.h"
#include "modules/numbering/Numbering.h"
#include "modules/numbering/NumberingDialog.h"

namespace brenmark::modules {
namespace {

class NumberingModule final : public sdk::RenamingModule<NumberingOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Нумерация", "Brenmark", "Имя файла\\Нумерация", "*"};
    }

protected:
    NumberingOptions defaults() const override { return {}; }
    std::string describe(const NumberingOptions &options) const override
    {
        return numberingCaption(options);
    }

    bool validOptions(const NumberingOptions &options) const override
    {
        return options.place <= NumberPlace::WholeName;
    }

    bool edit(QWidget *parent, NumberingOptions &options, bool) override
    {
        return sdk::editInDialog<NumberingDialog>(parent, options);
    }

    void appendNewName(const NumberingOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        numberName(options, request.fileName, request.fileIndex, request.fileCount, out);
    }
};

} // namespace
} // namespace brenmark::modules

BRENMARK_MODULE(brenmark::modules::NumberingModule)
