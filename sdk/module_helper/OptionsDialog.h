#pragma once

#include "module_helper/Fields.h"

#include <QDialog>
#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

class QFormLayout;
class QLabel;
class QPushButton;

namespace brenmark::sdk {

// The common frame of a module's options dialog: the module's controls in a
// form, a live example line «было → станет» on a sample name, and the
// buttons "ОК" and "Отмена". A subclass adds its rows with form(), calls
// watch() on every control and updateExample() once its controls are set.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    OptionsDialog(QWidget *parent, const QString &title);

    void setSampleName(const QString &fileName);
    QString sampleName() const { return m_sample; }
    // The example line as shown, for tests: "было → станет" or the error.
    QString exampleText() const;

public slots:
    void updateExample();

protected:
    QFormLayout *form() const { return m_form; }
    // Recomputes the example whenever `control` changes (line edits, spin
    // boxes, combo boxes, check boxes and radio buttons).
    void watch(QWidget *control);
    // The new file name of `fileName` under the options the controls show
    // now, appended to `out`; throws ModuleError when there is none.
    virtual void appendExample(std::string_view fileName, std::string &out) const = 0;
    // What makes the options unusable (an invalid regular expression), or
    // empty. While there is one, "ОК" is disabled and the example shows it.
    virtual QString optionsProblem() const { return {}; }
    // Throws ModuleError when the example's result could not be used. By
    // default the result is a file name; a dialog whose example is a whole
    // path (a module that moves files) checks that instead.
    virtual void checkExample(std::string_view result) const;

private:
    QFormLayout *m_form;
    QLabel *m_example;
    QPushButton *m_ok;
    QString m_sample = QStringLiteral("IMG_0042 отпуск.JPG");
};

// Shows a module's options dialog, made as Dialog(parent, options), and
// takes its options() when the user confirms; false when cancelled.
template<typename Dialog, typename Options>
bool editInDialog(QWidget *parent, Options &options)
{
    Dialog dialog(parent, options);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

// Qt texts in and out of the fixed text fields of options blocks.
template<std::size_t N>
QString fromField(const char (&field)[N])
{
    const std::string_view text = fieldText(field);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

template<std::size_t N>
void toField(const QString &text, char (&field)[N])
{
    const QByteArray bytes = text.toUtf8();
    setFieldText(field, std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace brenmark::sdk
