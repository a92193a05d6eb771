#include "main/core/modulehost/ActionMenuTree.h"

#include <gtest/gtest.h>

using namespace brenmark;

namespace {

ActionMenuItem action(const char *fileName, int image = -1)
{
    ActionMenuItem item;
    item.module = reinterpret_cast<void *>(static_cast<uintptr_t>(std::hash<std::string>()(fileName) | 1));
    item.fileName = fileName;
    item.imageIndex = image;
    return item;
}

// "caption" for an action, "[caption]" for a category followed by its children in braces.
std::string outline(const std::vector<ActionMenuItem> &items)
{
    std::string text;
    for (const ActionMenuItem &item : items) {
        if (!text.empty())
            text += ' ';
        if (item.isCategory)
            text += '[' + item.caption.toStdString() + "]{" + outline(item.children) + '}';
        else
            text += item.caption.toStdString();
    }
    return text;
}

} // namespace

TEST(ActionMenuTree, CategoriesAreSharedIgnoringCaseAndHotKeysNewOnesGoFirst)
{
    ActionMenuTree tree;
    tree.placeAction("Файлы\\Переименовать\\A", true, action("a.so"));
    tree.placeAction("Plain", true, action("p.so"));
    tree.placeAction("ФАЙЛЫ\\B", true, action("b.so"));
    tree.placeAction("&файлы\\ПЕРЕ&ИМЕНОВАТЬ\\C", true, action("c.so"));
    tree.placeAction("Файлы\\Даты\\D", true, action("d.so"));
    tree.placeAction("Другое\\E", true, action("e.so"));
    EXPECT_EQ(outline(tree.items()),
              "[Другое]{E} [Файлы]{[Даты]{D} [Переименовать]{A C} B} Plain");
    const ActionMenuItem &category = tree.items()[1];
    EXPECT_EQ(category.imageIndex, ActionMenuTree::kCategoryImage);
    EXPECT_EQ(category.module, nullptr);
    EXPECT_TRUE(category.fileName.empty());
}

TEST(ActionMenuTree, WithoutGroupingOnlyTheLastSegmentRemainsAtTheRoot)
{
    ActionMenuTree tree;
    tree.placeAction("Файлы\\Переименовать\\A", false, action("a.so"));
    tree.placeAction("B", false, action("b.so"));
    tree.placeAction("X\\", false, action("c.so"));
    EXPECT_EQ(outline(tree.items()), "A B ");
}

TEST(ActionMenuTree, AnActionWithACategoryCaptionStaysAnAction)
{
    ActionMenuTree tree;
    tree.placeAction("Tools", true, action("tools.so"));
    tree.placeAction("tools\\Sub", true, action("sub.so"));
    EXPECT_EQ(outline(tree.items()), "[tools]{Sub} Tools");
    EXPECT_NE(tree.FindActionItem("tools.so").module, nullptr);
}

TEST(ActionMenuTree, SameCaptionRules)
{
    struct Case { const char *a, *b; bool same; };
    const Case cases[] = {
        {"Файлы", "фАЙЛЫ", true},  {"&Файлы", "Файлы", true}, {"Ф&айлы", "&файлы", true},
        {"A&&B", "a&&b", true},    {"A&&B", "ab", false},     {"a&b", "AB", true},     {"AB", "A B", false},
        {"Trailing&", "trailing", true}, {"", "&", true},     {"Ёж", "ёж", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ActionMenuTree::sameCaption(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.same)
            << c.a << " / " << c.b;
}

TEST(ActionMenuTree, FindActionItemSearchesDepthFirstWithExactCase)
{
    ActionMenuTree tree;
    tree.placeAction("One\\Two\\Deep", true, action("deep.so", 5));
    tree.placeAction("Top", true, action("top.so", 6));
    tree.placeAction("One\\Again", true, action("dup.so", 7));
    tree.placeAction("Dup", true, action("dup.so", 8));

    EXPECT_EQ(tree.FindActionItem("deep.so").imageIndex, 5);
    EXPECT_EQ(tree.FindActionItem("deep.so").module, action("deep.so").module);
    EXPECT_EQ(tree.FindActionItem("top.so").imageIndex, 6);
    // The submenu comes before the root's later item: its entry wins.
    EXPECT_EQ(tree.FindActionItem("dup.so").imageIndex, 7);

    for (const char *missing : {"DEEP.so", "deep.SO", "deep", "", "Two"}) {
        const ActionItemLookup lookup = tree.FindActionItem(missing);
        EXPECT_EQ(lookup.module, nullptr) << missing;
        EXPECT_EQ(lookup.imageIndex, -1) << missing;
    }
}
