#pragma once

#include "module_helper/OptionsDialog.h"
#include "modules/transliteration/TranslitOptions.h"

class QCheckBox;
class QComboBox;

namespace brenmark::translit {

class TransliterationDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    TransliterationDialog(QWidget *parent, const TranslitOptions &options);

    TranslitOptions options() const;

protected:
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    void updateEnabled();

    QComboBox *m_system;
    QComboBox *m_scope;
    QCheckBox *m_dropMarks;
    QCheckBox *m_typography;
    QComboBox *m_quotes;
};

} // namespace brenmark::translit
