#include "main/core/look/ImageListSink.h"

#include "main/core/look/ModuleImages.h"
#include "main/core/modulehost/ModuleRegistry.h"

namespace brenmark {

int ImageListSink::add(List list, void *module, const std::string &name)
{
    const std::optional<QImage> image = loadModuleImage(module, name);
    return image ? of(list).add(*image) : -1;
}

// Here rather than beside the scan: only a caller with image lists brings
// the image code in.
void ModuleRegistry::LoadModules(const ModuleLoadSettings &settings, ImageList &imlAddMenu, ImageList &imlModules)
{
    ImageListSink images(imlAddMenu, imlModules);
    LoadModules(settings, &images);
}

} // namespace brenmark
