#pragma once

#include "modules/letter_case/CaseChanger.h"
#include "module_helper/OptionsDialog.h"

class QComboBox;

namespace brenmark::modules {

class LetterCaseDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    LetterCaseDialog(QWidget *parent, const CaseOptions &options);

    CaseOptions options() const;

protected:
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    QComboBox *m_name;
    QComboBox *m_extension;
    mutable CaseChanger m_changer;
};

} // namespace brenmark::modules
