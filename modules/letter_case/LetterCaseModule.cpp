// Changes the letter case of file names and extensions, Unicode-aware.
#include "brenmark_module_helper.h"
#include "modules/letter_case/CaseChanger.h"
#include "modules/letter_case/LetterCaseDialog.h"

namespace brenmark::modules {
namespace {

class LetterCaseModule final : public sdk::RenamingModule<CaseOptions>
{
public:
    sdk::ModuleDescription description() const override
    {
        return {"1.02", "Регистр букв", "Brenmark", "Имя файла\\Регистр букв", "*"};
    }

protected:
    CaseOptions defaults() const override { return {}; }
    std::string describe(const CaseOptions &options) const override { return caseCaption(options); }

    bool validOptions(const CaseOptions &options) const override
    {
        return options.name <= LetterCase::Sentence && options.extension <= LetterCase::Sentence;
    }

    bool edit(QWidget *parent, CaseOptions &options, bool) override
    {
        return sdk::editInDialog<LetterCaseDialog>(parent, options);
    }

    void appendNewName(const CaseOptions &options, const sdk::FileRequest &request,
                       std::string &out) override
    {
        m_changer.apply(options, request.fileName, out);
    }

private:
    CaseChanger m_changer;
};

} // namespace
} // namespace brenmark::modules

BRENMARK_MODULE(brenmark::modules::LetterCaseModule)
