#pragma once

#include <string>

class QWidget;

namespace brenmark {

// "Отменить последний запуск": says how many files will go back and asks;
// then returns them and says how many came back, naming each that did not
// with the reason. A journal that cannot be read raises JournalError (the
// general error handler shows it).
void undoLastRunWithDialogs(QWidget *parent, const std::string &journalPath);

} // namespace brenmark
