#pragma once

#include <string>

namespace brenmark {

// Where a module scan puts the modules' images: the add-menu images
// (imlAddMenu, a module's "ACTION") and the command images (imlModules, its
// "BUTTON<n>"). The registry knows only this, so that a front end that shows
// no images takes no image code, and no Qt Gui, with it.
class ModuleImageSink
{
public:
    enum class List { AddMenu, Commands };

    virtual ~ModuleImageSink() = default;
    // Reads resource `name` of the loaded module and appends it to `list`:
    // its index there, or -1 when the module has no such image.
    virtual int add(List list, void *module, const std::string &name) = 0;
    virtual int count(List list) const = 0;
    // Takes back the images from `count` on (a module that failed half-way).
    virtual void truncate(List list, int count) = 0;
};

} // namespace brenmark
