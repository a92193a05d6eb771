#pragma once

#include "module_helper/OptionsDialog.h"
#include "modules/move_to_folder/MoveOptions.h"

class QComboBox;
class QLineEdit;

namespace brenmark::movetofolder {

class MoveToFolderDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    MoveToFolderDialog(QWidget *parent, const MoveOptions &options);

    MoveOptions options() const;

protected:
    // The sample is a full path; the present moment stands for its date.
    QString optionsProblem() const override;
    void appendExample(std::string_view path, std::string &out) const override;
    void checkExample(std::string_view path) const override;

private:
    void browse();

    QLineEdit *m_folder;
    QComboBox *m_dateSource;
};

} // namespace brenmark::movetofolder
