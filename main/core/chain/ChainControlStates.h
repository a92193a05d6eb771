#pragma once

namespace brenmark {

// Enabled states of the buttons beside lvActions, refreshed on every
// completed change of the list and every selection change.
struct ActionButtonStates
{
    bool editEnabled = false;   // bbEditAct: a row is selected
    bool removeEnabled = false; // bbRemAct: as bbEditAct
    bool saveEnabled = false;   // bbSave: the list has rows

    bool operator==(const ActionButtonStates &) const = default;
};

ActionButtonStates actionButtonStates(bool rowSelected, int rowCount);

// Enabled states of the items of pmActions when it opens (pmActionsPopup).
struct ActionsPopupStates
{
    bool add = true;         // N2 "Добавить": always
    bool remove = false;     // N3: as bbRemAct
    bool clear = false;      // N5: the list has rows
    bool properties = false; // N6: as bbEditAct
    bool onOff = false;      // N7: as N5

    bool operator==(const ActionsPopupStates &) const = default;
};

ActionsPopupStates actionsPopupStates(bool removeEnabled, bool editEnabled, int rowCount);

} // namespace brenmark
