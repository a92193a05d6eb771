#pragma once

#include "module_helper/OptionsDialog.h"
#include "modules/date_time/DateTimeOptions.h"

class QComboBox;
class QLineEdit;

namespace brenmark::datetime {

class DateTimeDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    DateTimeDialog(QWidget *parent, const DateTimeOptions &options);

    DateTimeOptions options() const;

protected:
    // The example uses the present moment as the file's date.
    QString optionsProblem() const override;
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    QComboBox *m_source;
    QComboBox *m_placement;
    QComboBox *m_format;
    QLineEdit *m_separator;
};

} // namespace brenmark::datetime
