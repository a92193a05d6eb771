#pragma once

#include "modules/numbering/NumberingOptions.h"
#include "module_helper/OptionsDialog.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace brenmark::modules {

class NumberingDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    NumberingDialog(QWidget *parent, const NumberingOptions &options);

    NumberingOptions options() const;

protected:
    // The example shows the first file of the list.
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    QComboBox *m_place;
    QSpinBox *m_start;
    QSpinBox *m_step;
    QSpinBox *m_width;
    QLineEdit *m_separator;
};

} // namespace brenmark::modules
