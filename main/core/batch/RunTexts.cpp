#include "main/core/batch/RunTexts.h"

namespace brenmark {

namespace {

// 1 файл, 2 файла, 5 файлов, 11 файлов, 21 файл.
enum class Plural { One, Few, Many };

Plural pluralOf(int count)
{
    const int lastTwo = count % 100;
    const int last = count % 10;
    if (last == 1 && lastTwo != 11)
        return Plural::One;
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return Plural::Few;
    return Plural::Many;
}

QString files(int count)
{
    static const char *const words[] = {"файл", "файла", "файлов"};
    return QString::number(count) + QLatin1Char(' ') + QString::fromUtf8(words[int(pluralOf(count))]);
}

} // namespace

QString collisionQuestion(int count, const QStringList &names)
{
    constexpr int kNamesShown = 5;
    QString text = pluralOf(count) == Plural::One
        ? QString::fromUtf8("%1 получит занятое имя и не будет переименован.").arg(files(count))
        : QString::fromUtf8("%1 получат занятые имена и не будут переименованы.").arg(files(count));
    for (int at = 0; at < names.size() && at < kNamesShown; ++at)
        text += QString::fromUtf8("\n«%1»").arg(names.at(at));
    if (names.size() > kNamesShown)
        text += QString::fromUtf8("\n…");
    return text + QString::fromUtf8("\nПродолжить?");
}

QString runSummary(int failed, int total)
{
    if (failed == 0)
        return QString::fromUtf8("Готово: %1").arg(files(total));
    return QString::fromUtf8("Ошибок: %1 из %2").arg(failed).arg(total);
}

QString collisionCountText(int count)
{
    return count > 0 ? QString::fromUtf8(" Конфликтов имён: %1.").arg(count) : QString();
}

} // namespace brenmark
