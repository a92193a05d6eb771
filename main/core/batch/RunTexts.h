#pragma once

#include <QString>
#include <QStringList>

namespace brenmark {

// What the window says around a run, in whole Russian sentences.

// The question before a run in which `count` files (their names given, the
// first few shown) will find their new names taken.
QString collisionQuestion(int count, const QStringList &names);
// lbAction after a run over `total` files, `failed` of them with a failed call.
QString runSummary(int failed, int total);
// The status bar's addition while rows collide ("" when none do).
QString collisionCountText(int count);

} // namespace brenmark
