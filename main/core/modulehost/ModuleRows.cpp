#include "main/core/modulehost/ModuleRows.h"

namespace brenmark {

QStringList ModuleListRow::subItems() const
{
    QStringList items {name, version, running, author, action, mask};
    items += buttonCaptions;
    return items;
}

QStringList AboutRow::subItems() const
{
    return {name, version, author, mask};
}

} // namespace brenmark
