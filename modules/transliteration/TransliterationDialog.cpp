#include "modules/transliteration/TransliterationDialog.h"

#include "modules/transliteration/Transliterator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>

namespace brenmark::translit {

TransliterationDialog::TransliterationDialog(QWidget *parent, const TranslitOptions &options)
    : sdk::OptionsDialog(parent, QStringLiteral("Транслитерация"))
    , m_system(new QComboBox(this))
    , m_scope(new QComboBox(this))
    , m_dropMarks(new QCheckBox(QStringLiteral("без знаков ` и ' (для ъ, ь, ы, э)"), this))
{
    m_system->addItem(QStringLiteral("ГОСТ 7.79-2000, система Б"));
    m_system->addItem(QStringLiteral("ИКАО 9303 (загранпаспорт)"));
    setMinimumWidth(400);
    m_system->setCurrentIndex(int(options.system));
    m_scope->addItem(QStringLiteral("только имя"));
    m_scope->addItem(QStringLiteral("имя и расширение"));
    m_scope->setCurrentIndex(int(options.scope));
    m_dropMarks->setChecked(options.dropMarks != 0);

    form()->addRow(QStringLiteral("Система:"), m_system);
    form()->addRow(QStringLiteral("Что менять:"), m_scope);
    form()->addRow(QString(), m_dropMarks);
    watch(m_system);
    watch(m_scope);
    watch(m_dropMarks);
    connect(m_system, &QComboBox::currentIndexChanged, this, &TransliterationDialog::updateMarksEnabled);
    setSampleName(QStringLiteral("Объявление Щукина.ДОК"));
    updateMarksEnabled();
}

TranslitOptions TransliterationDialog::options() const
{
    TranslitOptions options;
    options.system = TranslitSystem(m_system->currentIndex());
    options.scope = TranslitScope(m_scope->currentIndex());
    options.dropMarks = m_dropMarks->isChecked() ? 1 : 0;
    return options;
}

void TransliterationDialog::appendExample(std::string_view fileName, std::string &out) const
{
    appendNewName(options(), fileName, out);
}

void TransliterationDialog::updateMarksEnabled()
{
    // ICAO writes no marks at all.
    m_dropMarks->setEnabled(TranslitSystem(m_system->currentIndex()) == TranslitSystem::Gost779B);
}

} // namespace brenmark::translit
