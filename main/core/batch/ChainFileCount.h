#pragma once

namespace brenmark {

class ActionChainModel;

// Tells the module of every enabled action of `actions` the list's size
// (each module once), before a preview or a run numbers files. Gives true
// when any module takes it: its names may then depend on the size.
// Module failures leave as ModuleCallError.
bool tellChainFileCount(const ActionChainModel &actions, int count);

// Whether the module of any enabled action takes the list's size.
bool chainTakesFileCount(const ActionChainModel &actions);

} // namespace brenmark
