#pragma once

#include "main/core/look/ImageList.h"
#include "main/core/modulehost/ModuleImageSink.h"

namespace brenmark {

// The windows' module images: decoded into the two image lists.
class ImageListSink : public ModuleImageSink
{
public:
    ImageListSink(ImageList &addMenu, ImageList &commands)
        : m_addMenu(addMenu)
        , m_commands(commands)
    {
    }

    int add(List list, void *module, const std::string &name) override;
    int count(List list) const override { return of(list).count(); }
    void truncate(List list, int count) override { of(list).truncate(count); }

private:
    ImageList &of(List list) const { return list == List::AddMenu ? m_addMenu : m_commands; }

    ImageList &m_addMenu;
    ImageList &m_commands;
};

} // namespace brenmark
