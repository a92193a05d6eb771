#pragma once

#include "modules/name_pattern/NamePatternOptions.h"
#include "module_helper/OptionsDialog.h"

class QLineEdit;

namespace brenmark::modules {

class NamePatternDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    NamePatternDialog(QWidget *parent, const NamePatternOptions &options);

    NamePatternOptions options() const;

protected:
    // The first of kExampleCount files in a folder "Отпуск", dated now.
    void appendExample(std::string_view fileName, std::string &out) const override;
    // The parser's message: unknown placeholder, unbalanced bracket, "/"...
    QString optionsProblem() const override;

private:
    void insertPlaceholder(const QString &placeholder);

    QLineEdit *m_pattern;
};

} // namespace brenmark::modules
