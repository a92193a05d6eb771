#pragma once

#include <QString>

#include <string>
#include <vector>

namespace brenmark {

// One item of the add-action menus (pmAddAction and the "Добавить" submenu
// N2 of pmActions, which always have the same structure).
struct ActionMenuItem
{
    QString caption;
    bool isCategory = false;  // a submenu named after one category of an action path
    void *module = nullptr;   // Tag: the module's library handle; null for a category
    std::string fileName;     // Hint: library file name (no directory, bytes as on disk); empty for a category
    int imageIndex = -1;      // index into imlAddMenu; categories use 0, -1 = no image
    std::vector<ActionMenuItem> children; // categories only: sub-categories first, then actions
};

// What FindActionItem gives: the module handle (null when not found) and the
// image index of its add-action item (-1 when not found or without image).
struct ActionItemLookup
{
    void *module = nullptr;
    int imageIndex = -1;
};

// The headless structure of the add-action menus.
class ActionMenuTree
{
public:
    // The category image every category item shows.
    static constexpr int kCategoryImage = 0;

    const std::vector<ActionMenuItem> &items() const { return m_items; }
    bool isEmpty() const { return m_items.empty(); }
    void clear() { m_items.clear(); }

    // Places one action: `actionPath` is the module's action text, category
    // names each followed by "\" and then the caption. With `grouping` each
    // category is looked up among the current level's categories (letter case
    // and "&" hot-key markers ignored) or created at position 0; the action
    // (`item`, whose caption is replaced by the last segment) is appended to
    // the innermost level. Without grouping the categories are dropped and
    // the action goes to the root.
    void placeAction(const QString &actionPath, bool grouping, ActionMenuItem item);

    // Depth first in menu order; the first action item whose fileName equals
    // `fileName` exactly (letter case counts).
    ActionItemLookup FindActionItem(const std::string &fileName) const;

    // "&File" and "file" are the same caption: hot-key markers are dropped
    // ("&&" stands for "&") and letters compared without case.
    static bool sameCaption(const QString &a, const QString &b);

private:
    std::vector<ActionMenuItem> m_items;
};

} // namespace brenmark
