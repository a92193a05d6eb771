#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace brenmark {

// Texts of the "Запущен" column.
inline const QString kModuleEnabledText = QStringLiteral("Да");
inline const QString kModuleDisabledText = QStringLiteral("Нет");

// One row of lvModules (options dialog): every library that passed the
// version test, enabled or not, in load order.
struct ModuleListRow
{
    std::string fileName;  // library file name, bytes as on disk (the row's key in options.ini)
    QString caption;       // fileName decoded for display
    QString name;
    QString version;
    QString running;       // kModuleEnabledText / kModuleDisabledText
    QString author;
    QString action;        // the whole action text with its categories
    QString mask;
    QStringList buttonCaptions; // enabled modules only, in button order
    bool checked = false;       // = enabled
    int imageIndex = -1;        // into imlAddMenu; -1 for disabled modules or without image

    // Sub-items in column order: name, version, running, author, action, mask, buttons...
    QStringList subItems() const;
};

// One row of lvAbout (about dialog): every enabled module, in load order.
struct AboutRow
{
    std::string fileName;
    QString caption;       // fileName decoded for display
    QString name;
    QString version;
    QString author;
    QString mask;
    int imageIndex = -1;   // into imlAddMenu

    // name, version, author, mask
    QStringList subItems() const;
};

} // namespace brenmark
