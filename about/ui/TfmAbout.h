#pragma once

#include <QDialog>

class QTreeWidget;

namespace brenmark {

class LinkLabel;

// "О программе": name, version, notice, the loaded modules and two links.
// Created once before the modules are loaded; the module loader fills
// modulesList() and the dialog never changes its rows.
class TfmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfmAbout(QWidget *parent = nullptr);

    QTreeWidget *modulesList() const { return m_lvAbout; }

    static QString homePageAddress();
    static QString mailAddress();
    // The program's name as the main window's caption shows it.
    static QString programName();

private:
    QTreeWidget *m_lvAbout;
    LinkLabel *m_label7;
    LinkLabel *m_label3;
};

} // namespace brenmark
