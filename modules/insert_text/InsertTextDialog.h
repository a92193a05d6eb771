#pragma once

#include "modules/insert_text/InsertOptions.h"
#include "module_helper/OptionsDialog.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace brenmark::modules {

class InsertTextDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    InsertTextDialog(QWidget *parent, const InsertOptions &options);

    InsertOptions options() const;

protected:
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    void updateOffsetEnabled();

    QLineEdit *m_text;
    QComboBox *m_position;
    QSpinBox *m_offset;
};

} // namespace brenmark::modules
