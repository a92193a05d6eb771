#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

namespace brenmark {

// ilOpt: the page icons, 24 x 24, in image-list order: 0 main settings,
// 1 appearance, 2 modules. Theme icons where the desktop has them.
QList<QIcon> optionsPageIcons();

// The picture strip behind the options dialog's page header.
QPixmap optionsHeaderStrip(int width, int height);

} // namespace brenmark
