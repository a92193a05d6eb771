#pragma once

#include "module_helper/OptionsDialog.h"
#include "modules/music_tags/MusicTagsOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace brenmark::musictags {

class MusicTagsDialog : public sdk::OptionsDialog
{
    Q_OBJECT

public:
    MusicTagsDialog(QWidget *parent, const MusicTagsOptions &options);

    MusicTagsOptions options() const;

protected:
    QString optionsProblem() const override;
    // The example names a sample track with every tag filled in.
    void appendExample(std::string_view fileName, std::string &out) const override;

private:
    QComboBox *m_pattern;
    QSpinBox *m_trackWidth;
    QComboBox *m_fallback;
    QLineEdit *m_fallbackText;
    QCheckBox *m_lowerExtension;
};

} // namespace brenmark::musictags
