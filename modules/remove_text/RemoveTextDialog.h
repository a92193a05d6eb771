#pragma once

#include "modules/remove_text/RemoveOptions.h"
#include "module_helper/OptionsDialog.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace brenmark::modules {

class RemoveTextDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    RemoveTextDialog(QWidget *parent, const RemoveOptions &options);

    RemoveOptions options() const;

protected:
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    void updateRangeEnabled();

    QComboBox *m_what;
    QSpinBox *m_count;
    QSpinBox *m_start;
    QComboBox *m_direction;
    QCheckBox *m_trim;
    QCheckBox *m_collapse;
};

} // namespace brenmark::modules
