#include "module_helper/WidgetsPart.h"

#include "module_helper/ModuleError.h"

#include <QCoreApplication>

#include <dlfcn.h>

namespace brenmark::sdk {
namespace {

// Loaded at most once per module and unloaded with it: this object lives in
// the module (the helper is linked into each), so the module's own unloading
// destroys it.
class Companion
{
public:
    ~Companion()
    {
        if (m_handle)
            ::dlclose(m_handle);
    }

    template <typename Function>
    Function function(const char *name)
    {
        load();
        void *found = ::dlsym(m_handle, name);
        if (!found)
            throw ModuleError("В библиотеке окон модуля «" + m_path + "» нет функции " + name + ".");
        return reinterpret_cast<Function>(found);
    }

private:
    void load()
    {
        if (m_handle)
            return;
        Dl_info info {};
        if (!::dladdr(reinterpret_cast<void *>(&editInWidgetsPart), &info) || !info.dli_fname)
            throw ModuleError("Модуль не нашёл свой файл, и его окна недоступны.");
        std::string path = info.dli_fname;
        if (path.size() > 3 && path.compare(path.size() - 3, 3, ".so") == 0)
            path.resize(path.size() - 3);
        m_path = path + ".widgets";
        m_handle = ::dlopen(m_path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!m_handle) {
            const char *reason = ::dlerror();
            throw ModuleError("Окна модуля недоступны: не загружена библиотека «" + m_path + "»"
                              + (reason ? std::string(": ") + reason : std::string()) + ".");
        }
    }

    void *m_handle = nullptr;
    std::string m_path;
};

Companion &companion()
{
    static Companion instance;
    return instance;
}

} // namespace

bool canShowWindows()
{
    const QCoreApplication *application = QCoreApplication::instance();
    return application && application->inherits("QApplication");
}

bool editInWidgetsPart(void *parent, void *options, bool isNew)
{
    const auto edit = companion().function<BrenmarkWidgetsEdit>("brenmark_widgets_edit");
    char error[512] = {};
    const int32_t result = edit(parent, options, isNew ? 1 : 0, error, int32_t(sizeof error));
    if (result < 0)
        throw ModuleError(error[0] ? error : "Окно параметров не удалось показать.");
    return result > 0;
}

bool showMessage(MessageKind kind, const std::string &title, const std::string &text)
{
    if (!canShowWindows())
        return false;
    const auto message = companion().function<BrenmarkWidgetsMessage>("brenmark_widgets_message");
    return message(static_cast<int32_t>(kind), title.c_str(), text.c_str()) > 0;
}

} // namespace brenmark::sdk
