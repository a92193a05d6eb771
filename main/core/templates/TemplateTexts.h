#pragma once

#include <QString>

namespace brenmark {

// Texts of the template commands' dialogs, as the user sees them.
inline const QString saveTemplateTitle = QStringLiteral("Сохранение шаблона");
inline const QString saveTemplatePrompt = QStringLiteral("Введите имя файла шаблона:");
inline const QString replaceTemplateQuestion = QStringLiteral("Такое емя уже есть! Заменить файл?");
inline const QString replaceTemplateTitle = QStringLiteral("Внимание");
inline const QString missingModulesHeading = QStringLiteral("Не найдены модули:");
inline const QString missingModulesTitle = QStringLiteral("ВНИМАНИЕ!");
inline const QString saveTemplateHint = QStringLiteral("Сохранить шаблон");

} // namespace brenmark
