#pragma once

#include "modules/replace_text/ReplaceOptions.h"
#include "module_helper/OptionsDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace brenmark::modules {

class ReplaceTextDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    ReplaceTextDialog(QWidget *parent, const ReplaceOptions &options);

    ReplaceOptions options() const;

protected:
    void appendExample(std::string_view fileName, std::string &out) const override;
    QString optionsProblem() const override;

private:
    QLineEdit *m_find;
    QLineEdit *m_replacement;
    QCheckBox *m_pattern;
    QCheckBox *m_caseSensitive;
    QCheckBox *m_firstOnly;
    QComboBox *m_scope;
};

} // namespace brenmark::modules
