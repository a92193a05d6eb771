#include "BatchTestSupport.h"

#include "main/core/chain/ActionChainModel.h"
#include "main/core/chain/ChainControlStates.h"
#include "main/core/modulehost/ModuleCallGuard.h"

using namespace brenmark;
using batchtest::Fixtures;

namespace {

// Counts the chain's notifications.
struct Notifications
{
    explicit Notifications(ActionChainModel &model)
    {
        QObject::connect(&model, &ActionChainModel::templateSelectionReset, [this] { ++templateResets; });
        QObject::connect(&model, &ActionChainModel::controlStatesChanged, [this] { ++controlStates; });
        QObject::connect(&model, &ActionChainModel::previewRebuildRequested, [this] { ++rebuilds; });
    }
    void clear() { templateResets = controlStates = rebuilds = 0; }

    int templateResets = 0;
    int controlStates = 0;
    int rebuilds = 0;
};

std::vector<std::string> captions(const ActionChainModel &model)
{
    std::vector<std::string> result;
    for (int row = 0; row < model.count(); ++row)
        result.push_back(model.caption(row));
    return result;
}

std::vector<bool> checks(const ActionChainModel &model)
{
    std::vector<bool> result;
    for (int row = 0; row < model.count(); ++row)
        result.push_back(model.isChecked(row));
    return result;
}

void appendPlain(ActionChainModel &model, const std::vector<std::string> &names)
{
    for (const std::string &name : names)
        model.appendAction(name, 0, true, std::make_unique<TListData>());
}

} // namespace

TEST(ActionChain, AddTakesTheModulesCaptionOnlyWhenAccepted)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    ActionChainModel model;
    Notifications notes(model);

    ASSERT_TRUE(model.addAction(spy, "fixture_batch_spy.so", 4));
    ASSERT_TRUE(model.addAction(spy, "fixture_batch_spy.so", 4));
    EXPECT_EQ(captions(model), (std::vector<std::string> {"Spy 1", "Spy 2"}));
    EXPECT_EQ(checks(model), (std::vector<bool> {true, true}));
    EXPECT_EQ(model.data(model.index(0), ActionChainModel::ImageIndexRole).toInt(), 4);
    EXPECT_EQ(model.record(0).Module, spy);
    EXPECT_EQ(model.record(0).ModuleFile, "fixture_batch_spy.so");
    EXPECT_NE(model.record(0).Options, model.record(1).Options);
    EXPECT_EQ(notes.templateResets, 2);
    EXPECT_EQ(notes.rebuilds, 2);

    notes.clear();
    Fixtures::hook<void (*)(int32_t)>(spy, "fixture_set_result")(0);
    EXPECT_FALSE(model.addAction(spy, "fixture_batch_spy.so", 4));
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(notes.templateResets + notes.rebuilds, 0);
    EXPECT_EQ(Fixtures::log(spy).find("freeOpt"), std::string::npos);
}

TEST(ActionChain, AddWithoutShowOptionsIsAnErrorAndAddsNothing)
{
    Fixtures fixtures;
    void *minimal = fixtures.load("fixture_minimal");
    ActionChainModel model;
    EXPECT_THROW(model.addAction(minimal, "fixture_minimal.so", 0), ModuleCallError);
    EXPECT_EQ(model.count(), 0);
}

TEST(ActionChain, EditTakesTheCaptionWhateverTheResultAndAlwaysRebuilds)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    ActionChainModel model;
    model.addAction(spy, "fixture_batch_spy.so", 0);
    Notifications notes(model);
    for (int result : {1, 0}) {
        notes.clear();
        Fixtures::hook<void (*)(int32_t)>(spy, "fixture_set_result")(result);
        const std::string before = model.caption(0);
        model.editAction(0);
        EXPECT_EQ(model.caption(0), before + " edited");
        EXPECT_EQ(notes.templateResets, result == 1 ? 1 : 0);
        EXPECT_EQ(notes.rebuilds, 1);
    }
    EXPECT_EQ(Fixtures::logLines(spy)[1], "showOptions|0|1|Spy 1");
    notes.clear();
    model.editAction(-1);
    EXPECT_EQ(notes.rebuilds, 0);
}

TEST(ActionChain, RemoveHandsOptionsBackOnlyToModulesThatExportFreeOpt)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    void *noFree = fixtures.load("fixture_batch_nofree");
    void *noNew = fixtures.load("fixture_batch_nonew");
    ActionChainModel model;
    model.addAction(spy, "spy.so", 0);
    model.addAction(noFree, "nofree.so", 0);
    // As a template of a module without newOpt leaves it: a host block.
    auto hostRecord = std::make_unique<TListData>();
    hostRecord->Module = noNew;
    hostRecord->Options = allocateHostOptions(8);
    hostRecord->HostAllocatedOptions = true;
    model.appendAction("NoNew", 0, true, std::move(hostRecord));
    Notifications notes(model);

    model.removeSelectedAction(0);
    EXPECT_EQ(Fixtures::logLines(spy).back(), "freeOpt|1");
    model.RemoveAction(0); // no freeOpt: the row goes all the same
    model.RemoveAction(0); // the host frees its own block; the module never sees it
    EXPECT_EQ(Fixtures::log(noNew).find("freeOpt"), std::string::npos);
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(notes.templateResets, 3);
    EXPECT_EQ(notes.rebuilds, 1); // only the user's removal rebuilds; RemoveAction alone does not
    EXPECT_FALSE(actionButtonStates(false, model.count()).saveEnabled);
}

TEST(ActionChain, AFailingFreeOptStillRemovesTheRow)
{
    Fixtures fixtures;
    void *thrower = fixtures.load("fixture_batch_throw");
    ActionChainModel model;
    model.addAction(thrower, "throw.so", 0);
    model.addAction(thrower, "throw.so", 0);
    Notifications notes(model);
    EXPECT_THROW(model.removeSelectedAction(0), ModuleCallError);
    EXPECT_EQ(model.count(), 1);
    EXPECT_EQ(notes.rebuilds, 1);
    EXPECT_THROW(model.clearChain(), ModuleCallError);
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(notes.rebuilds, 2);
}

TEST(ActionChain, ClearRemovesEveryRowAndRebuildsOnce)
{
    Fixtures fixtures;
    void *spy = fixtures.load("fixture_batch_spy");
    ActionChainModel model;
    for (int i = 0; i < 3; ++i)
        model.addAction(spy, "spy.so", 0);
    Notifications notes(model);
    Fixtures::reset(spy);
    model.clearChain();
    EXPECT_EQ(Fixtures::logLines(spy), (std::vector<std::string> {"freeOpt|1", "freeOpt|2", "freeOpt|3"}));
    EXPECT_EQ(notes.rebuilds, 1);
    EXPECT_GE(notes.templateResets, 1);
    notes.clear();
    model.clearChain(); // an empty chain: still one rebuild, no template change
    EXPECT_EQ(notes.rebuilds, 1);
    EXPECT_EQ(notes.templateResets, 0);
}

TEST(ActionChain, EnableCommandsSetEveryRowAndRebuildOnce)
{
    using Command = ActionChainModel::EnableCommand;
    struct Case
    {
        Command command;
        int selected;
        std::vector<bool> states;
    };
    const Case cases[] = {
        {Command::DisableAll, 1, {false, false, false}},
        {Command::EnableAll, 1, {true, true, true}},
        {Command::EnableOnlySelected, 1, {false, true, false}},
        {Command::DisableOnlySelected, 1, {true, false, true}},
        {Command::EnableOnlySelected, -1, {false, false, false}},
        {Command::DisableOnlySelected, -1, {true, true, true}},
    };
    for (const Case &c : cases) {
        ActionChainModel model;
        appendPlain(model, {"a", "b", "c"});
        model.setCheckedByUser(0, false);
        model.setCheckedByUser(2, false);
        Notifications notes(model);
        model.applyEnableCommand(c.command, c.selected);
        EXPECT_EQ(checks(model), c.states) << int(c.command) << " " << c.selected;
        EXPECT_EQ(notes.rebuilds, 1);
        EXPECT_EQ(notes.templateResets, 0);
        EXPECT_FALSE(model.ChainUpdating());
    }
}

TEST(ActionChain, CheckBoxRebuildsOnlyOnARealChangeOutsideProgramUpdates)
{
    ActionChainModel model;
    appendPlain(model, {"a", "b"});
    Notifications notes(model);

    EXPECT_TRUE(model.setData(model.index(0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_TRUE(model.CheckedBefore());
    EXPECT_FALSE(model.isChecked(0));
    EXPECT_EQ(notes.rebuilds, 1);
    model.setCheckedByUser(0, false); // no change
    EXPECT_EQ(notes.rebuilds, 1);
    EXPECT_FALSE(model.CheckedBefore());
    model.setChainUpdating(true);
    model.setCheckedByUser(1, false);
    model.setChainUpdating(false);
    EXPECT_EQ(notes.rebuilds, 1);
    EXPECT_EQ(notes.controlStates, 3); // buttons are refreshed on every report
    EXPECT_EQ(notes.templateResets, 0);
    EXPECT_FALSE(model.setData(model.index(0), "x", Qt::EditRole));
}

TEST(ActionChain, ReorderPutsTheDraggedRowInTheTargetsPlace)
{
    struct Case
    {
        int target;
        int selected;
        std::vector<std::string> order;
        int templateResets;
    };
    const Case cases[] = {
        {3, 1, {"1", "3", "4", "2"}, 1}, // second onto fourth
        {1, 3, {"1", "4", "2", "3"}, 1}, // fourth onto second
        {0, 3, {"4", "1", "2", "3"}, 1},
        {3, 0, {"2", "3", "4", "1"}, 1},
        {2, 2, {"1", "2", "3", "4"}, 1}, // onto itself
        {-1, 1, {"1", "2", "3", "4"}, 0}, // below the last row
        {2, -1, {"1", "2", "3", "4"}, 0}, // nothing selected
    };
    for (const Case &c : cases) {
        ActionChainModel model;
        appendPlain(model, {"1", "2", "3", "4"});
        model.setCheckedByUser(1, false);
        const TListData *dragged = c.selected >= 0 ? &model.record(c.selected) : nullptr;
        Notifications notes(model);
        model.moveByDrop(c.target, c.selected);
        EXPECT_EQ(captions(model), c.order) << c.target << " " << c.selected;
        EXPECT_EQ(notes.rebuilds, 1);
        EXPECT_EQ(notes.templateResets, c.templateResets);
        if (dragged && c.target >= 0) {
            EXPECT_EQ(&model.record(c.target), dragged); // the record moves with its row
            EXPECT_EQ(model.isChecked(c.target), c.selected != 1);
        }
        // The flag is down again: a check-box click afterwards rebuilds.
        model.setCheckedByUser(0, !model.isChecked(0));
        EXPECT_EQ(notes.rebuilds, 2);
    }
}

TEST(ActionChain, ButtonAndPopupStates)
{
    EXPECT_EQ(actionButtonStates(false, 0), (ActionButtonStates {false, false, false}));
    EXPECT_EQ(actionButtonStates(false, 2), (ActionButtonStates {false, false, true}));
    EXPECT_EQ(actionButtonStates(true, 2), (ActionButtonStates {true, true, true}));
    EXPECT_EQ(actionsPopupStates(false, false, 0), (ActionsPopupStates {true, false, false, false, false}));
    EXPECT_EQ(actionsPopupStates(true, true, 3), (ActionsPopupStates {true, true, true, true, true}));
    EXPECT_EQ(actionsPopupStates(false, true, 3), (ActionsPopupStates {true, false, true, true, true}));
}
