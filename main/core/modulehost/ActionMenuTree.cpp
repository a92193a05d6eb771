#include "main/core/modulehost/ActionMenuTree.h"

#include <QStringList>

#include <algorithm>

namespace brenmark {
namespace {

// "&" marks the next character as the hot key; "&&" is a literal "&".
QString withoutHotKeys(const QString &caption)
{
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (++i == caption.size())
                break;
        }
        result += caption[i];
    }
    return result;
}

const ActionMenuItem *findAction(const std::vector<ActionMenuItem> &items, const std::string &fileName)
{
    for (const ActionMenuItem &item : items) {
        if (!item.children.empty()) {
            if (const ActionMenuItem *found = findAction(item.children, fileName))
                return found;
        } else if (!item.isCategory && item.fileName == fileName) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace

bool ActionMenuTree::sameCaption(const QString &a, const QString &b)
{
    return withoutHotKeys(a).toLower() == withoutHotKeys(b).toLower();
}

void ActionMenuTree::placeAction(const QString &actionPath, bool grouping, ActionMenuItem item)
{
    // The separator of categories is data, always a backslash.
    QStringList segments = actionPath.split(u'\\');
    item.caption = segments.takeLast();
    item.isCategory = false;
    item.children.clear();

    std::vector<ActionMenuItem> *level = &m_items;
    if (grouping) {
        for (const QString &segment : segments) {
            // Only categories are joined: an action item that happens to carry
            // the same caption stays a clickable action.
            auto existing = std::find_if(level->begin(), level->end(), [&segment](const ActionMenuItem &candidate) {
                return candidate.isCategory && sameCaption(candidate.caption, segment);
            });
            if (existing == level->end()) {
                ActionMenuItem category;
                category.caption = segment;
                category.isCategory = true;
                category.imageIndex = kCategoryImage;
                existing = level->insert(level->begin(), std::move(category));
            }
            level = &existing->children;
        }
    }
    level->push_back(std::move(item));
}

ActionItemLookup ActionMenuTree::FindActionItem(const std::string &fileName) const
{
    const ActionMenuItem *found = findAction(m_items, fileName);
    if (!found)
        return {};
    return {found->module, found->imageIndex};
}

} // namespace brenmark
