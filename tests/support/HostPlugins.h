// A program directory of its own for module host tests: the load check's
// helper, Plugins/ with copies of chosen fixture modules, and a call log the
// fixtures write to.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

#include <dirent.h>
#include <dlfcn.h>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

class HostPlugins
{
public:
    HostPlugins()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary directory");
        QDir(m_dir.path()).mkpath("Plugins");
        if (!QFile::link(QStringLiteral(BRENMARK_PROBE_EXECUTABLE), m_dir.filePath("brenmark-probe")))
            throw std::runtime_error("cannot link " BRENMARK_PROBE_EXECUTABLE);
        m_log = m_dir.filePath("calls.log");
        setenv("BRENMARK_HOST_FIXTURE_LOG", QFile::encodeName(m_log).constData(), 1);
    }
    ~HostPlugins() { unsetenv("BRENMARK_HOST_FIXTURE_LOG"); }

    // Copies fixture_host_<id>.so into Plugins/ under `name` (default: its own name).
    void add(const QString &id, const QString &name = {}) const
    {
        const QString source = QStringLiteral(BRENMARK_FIXTURE_DIR "/fixture_host_%1.so").arg(id);
        const QString target = pluginPath(name.isEmpty() ? fileName(id) : name);
        if (!QFile::copy(source, target))
            throw std::runtime_error("cannot copy " + source.toStdString());
    }
    static QString fileName(const QString &id) { return QStringLiteral("fixture_host_%1.so").arg(id); }

    // Copies the fixtures so that the directory lists them in exactly this
    // order, under names "fixture_host_<id>_<n>.so" (see nameOf). Listing order
    // is the file system's own (by name hash on ext4, by creation on others), so
    // this tries numbered names, created in both orders, until one fits.
    // False when no arrangement was found.
    bool arrange(const std::vector<QString> &ids)
    {
        for (int attempt = 0; attempt < 400; ++attempt) {
            std::vector<std::string> wanted;
            for (const QString &id : ids)
                wanted.push_back(numberedName(id, attempt).toStdString());
            for (size_t i = 0; i < ids.size(); ++i) {
                const size_t k = attempt % 2 ? ids.size() - 1 - i : i;
                add(ids[k], numberedName(ids[k], attempt));
            }
            if (listingOrder() == wanted) {
                for (const QString &id : ids)
                    m_names[id] = numberedName(id, attempt);
                return true;
            }
            for (const std::string &name : wanted)
                QFile::remove(pluginPath(QString::fromStdString(name)));
        }
        return false;
    }
    // The file name under which arrange() copied fixture `id`.
    std::string nameOf(const QString &id) const { return m_names.value(id).toStdString(); }

    QString pluginPath(const QString &name) const { return m_dir.filePath("Plugins/" + name); }
    std::string programDir() const { return QFile::encodeName(m_dir.path()).toStdString() + "/"; }

    // The entries of Plugins/ in the order the directory lists them.
    std::vector<std::string> listingOrder() const
    {
        std::vector<std::string> names;
        if (DIR *dir = opendir((programDir() + "Plugins").c_str())) {
            while (const dirent *entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..")
                    names.push_back(name);
            }
            closedir(dir);
        }
        return names;
    }

    // The fixtures' call log, one "<id> <call>[ <argument>]" per line.
    QStringList calls() const
    {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    // The calls of one fixture, without its id.
    QStringList calls(const QString &id) const
    {
        QStringList result;
        for (const QString &line : calls()) {
            if (line.startsWith(id + u' '))
                result += line.mid(id.size() + 1);
        }
        return result;
    }
    void clearCalls() const { QFile::remove(m_log); }

    // Whether the library copied under `name` is still loaded in this process.
    bool isLoaded(const QString &name) const
    {
        void *handle = dlopen(QFile::encodeName(pluginPath(name)).constData(), RTLD_NOW | RTLD_NOLOAD);
        if (handle)
            dlclose(handle);
        return handle != nullptr;
    }

private:
    static QString numberedName(const QString &id, int n)
    {
        return QStringLiteral("fixture_host_%1_%2.so").arg(id).arg(n);
    }

    QTemporaryDir m_dir;
    QMap<QString, QString> m_names;
    QString m_log;
};
