#include "main/core/chain/ChainControlStates.h"

namespace brenmark {

ActionButtonStates actionButtonStates(bool rowSelected, int rowCount)
{
    ActionButtonStates states;
    states.editEnabled = rowSelected && rowCount > 0;
    states.removeEnabled = states.editEnabled;
    states.saveEnabled = rowCount > 0;
    return states;
}

ActionsPopupStates actionsPopupStates(bool removeEnabled, bool editEnabled, int rowCount)
{
    ActionsPopupStates states;
    states.remove = removeEnabled;
    states.properties = editEnabled;
    states.clear = rowCount > 0;
    states.onOff = states.clear;
    return states;
}

} // namespace brenmark
