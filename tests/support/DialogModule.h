// A shipped module loaded from the build's Plugins folder and initialised over
// a window of the test's own, with the calls its options dialog tests share:
// every call goes through guardModuleCall, as the host makes it.
#pragma once

#define BRENMARK_HOST
#include "brenmark_module.h"
#include "main/core/modulehost/ModuleCallGuard.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

// Runs `work` on the next modal dialog once it is up, from inside its exec().
inline void onDialog(const std::function<void(QDialog *)> &work)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, work] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        work(dialog);
    });
    poll->start();
}

inline QPushButton *button(QDialog *dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox *>()->button(which);
}

class DialogModule
{
public:
    // `file` is the module's file name in Plugins; `window` stays owned by the test.
    DialogModule(const char *file, QWidget *window)
    {
        std::string error;
        m_library = brenmark::ModuleLibrary::open(std::string(BRENMARK_PLUGINS_DIR) + "/" + file, &error);
        if (!m_library)
            qFatal("%s", error.c_str());
        brenmark::guardModuleCall([&] { function<BrenmarkInitialize>("initialize")(window); });
    }

    template<typename Function>
    Function function(const char *name) const
    {
        return brenmark::moduleFunction<Function>(m_library->handle(), name);
    }

    int32_t showOptions(bool isNew, void **slot, const char **caption) const
    {
        int32_t result = -1;
        brenmark::guardModuleCall([&] { result = function<BrenmarkShowOptions>("showOptions")(isNew, slot, caption); });
        return result;
    }

    void freeOpt(void *block) const
    {
        brenmark::guardModuleCall([&] { function<BrenmarkFreeOpt>("freeOpt")(block); });
    }

private:
    std::unique_ptr<brenmark::ModuleLibrary> m_library;
};
