#pragma once

#include "module_helper/OptionsDialog.h"
#include "modules/extension/ExtensionOptions.h"

class QComboBox;
class QLineEdit;

namespace brenmark::extension {

class ExtensionDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    ExtensionDialog(QWidget *parent, const ExtensionOptions &options);

    ExtensionOptions options() const;

protected:
    QString optionsProblem() const override;
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    void updateTextEnabled();

    QComboBox *m_operation;
    QLineEdit *m_text;
};

} // namespace brenmark::extension
