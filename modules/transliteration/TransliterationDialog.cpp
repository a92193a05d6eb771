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
    , m_typography(new QCheckBox(QStringLiteral("типографские знаки в ASCII: № → No, — → -, … → ..."), this))
    , m_quotes(new QComboBox(this))
{
    m_system->addItem(QStringLiteral("ГОСТ 7.79-2000, система Б"));
    m_system->addItem(QStringLiteral("Загранпаспорт РФ с 2013 года (ИКАО 9303), без знаков"));
    setMinimumWidth(400);
    m_system->setCurrentIndex(int(options.system));
    m_scope->addItem(QStringLiteral("только имя"));
    m_scope->addItem(QStringLiteral("имя и расширение"));
    m_scope->setCurrentIndex(int(options.scope));
    m_dropMarks->setChecked(options.dropMarks != 0);
    m_typography->setChecked(options.typography != Typography::Keep);
    m_quotes->addItem(QStringLiteral("убрать"));
    m_quotes->addItem(QStringLiteral("заменить на \" и '"));
    m_quotes->setCurrentIndex(options.typography == Typography::AsciiQuotes ? 1 : 0);

    form()->addRow(QStringLiteral("Система:"), m_system);
    form()->addRow(QStringLiteral("Что менять:"), m_scope);
    form()->addRow(QString(), m_dropMarks);
    form()->addRow(QString(), m_typography);
    form()->addRow(QStringLiteral("Кавычки и «»:"), m_quotes);
    watch(m_system);
    watch(m_scope);
    watch(m_dropMarks);
    watch(m_typography);
    watch(m_quotes);
    connect(m_system, &QComboBox::currentIndexChanged, this, &TransliterationDialog::updateEnabled);
    connect(m_typography, &QCheckBox::toggled, this, &TransliterationDialog::updateEnabled);
    setSampleName(QStringLiteral("Объявление № 5 — «Щукин».ДОК"));
    updateEnabled();
}

TranslitOptions TransliterationDialog::options() const
{
    TranslitOptions options;
    options.system = TranslitSystem(m_system->currentIndex());
    options.scope = TranslitScope(m_scope->currentIndex());
    options.dropMarks = m_dropMarks->isChecked() ? 1 : 0;
    if (m_typography->isChecked())
        options.typography = m_quotes->currentIndex() == 1 ? Typography::AsciiQuotes : Typography::Ascii;
    return options;
}

void TransliterationDialog::appendExample(std::string_view fileName, std::string &out) const
{
    appendNewName(options(), fileName, out);
}

void TransliterationDialog::updateEnabled()
{
    // ICAO writes no marks at all.
    m_dropMarks->setEnabled(TranslitSystem(m_system->currentIndex()) == TranslitSystem::Gost779B);
    m_quotes->setEnabled(m_typography->isChecked());
}

} // namespace brenmark::translit
