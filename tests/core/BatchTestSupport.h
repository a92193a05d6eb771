// Helpers shared by the file-list, chain, preview and run tests: fixture
// modules loaded from private copies (so every test starts with fresh module
// state) and a sink that records what the engines report.
#pragma once

#include "main/core/batch/BatchSink.h"
#include "main/core/modulehost/ModuleLibrary.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace batchtest {

class Fixtures
{
public:
    Fixtures() { QDir(m_dir.path()).mkdir("Plugins"); }

    // Loads a private copy of fixture `name` (without ".so").
    void *load(const std::string &name)
    {
        const QString source = QString(BRENMARK_FIXTURE_DIR "/") + QString::fromStdString(name) + ".so";
        const QString target = m_dir.path() + "/Plugins/" + QString::number(m_libraries.size()) + "_"
            + QString::fromStdString(name) + ".so";
        EXPECT_TRUE(QFile::copy(source, target)) << source.toStdString();
        std::string error;
        auto library = brenmark::ModuleLibrary::open(target.toStdString(), &error);
        EXPECT_TRUE(library) << error;
        if (!library)
            return nullptr;
        void *handle = library->handle();
        m_libraries.push_back(std::move(library));
        return handle;
    }

    static std::string log(void *handle)
    {
        auto read = brenmark::moduleFunction<const char *(*)()>(handle, "fixture_log");
        return read ? read() : "";
    }

    static std::vector<std::string> logLines(void *handle)
    {
        std::vector<std::string> lines;
        std::istringstream stream(log(handle));
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
        return lines;
    }

    static void reset(void *handle)
    {
        if (auto clear = brenmark::moduleFunction<void (*)()>(handle, "fixture_reset"))
            clear();
    }

    template<typename Function>
    static Function hook(void *handle, const char *name)
    {
        auto function = brenmark::moduleFunction<Function>(handle, name);
        EXPECT_TRUE(function) << name;
        return function;
    }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<brenmark::ModuleLibrary>> m_libraries;
};

// Records the engines' reports; processPendingEvents runs `onEvents`.
class RecordingSink : public brenmark::BatchSink
{
public:
    static inline void *const kProgressBar = reinterpret_cast<void *>(0x5eed);

    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressPosition(int position) override
    {
        progressPosition = position;
        if (onProgress)
            onProgress(position);
    }
    void setStatusText(const QString &text) override
    {
        statusText = text;
        statusHistory.push_back(text.toStdString());
    }
    void paintStatusNow() override { paintedStatus.push_back(statusText.toStdString()); }
    void processPendingEvents() override
    {
        ++eventRounds;
        if (onEvents)
            onEvents();
    }
    void *progressBarHandle() const override { return kProgressBar; }
    bool showsCallStatus() const override { return callStatusShown; }
    void callStarting() override { ++callsStarted; }
    void expectCall(std::int64_t previousCallMs) override { expectedCalls.push_back(previousCallMs); }
    void callFailed(const std::string &path, const std::string &caption, const std::string &message) override
    {
        failedCalls.push_back(path + " / " + caption + ": " + message);
    }

    int progressMaximum = -1;
    int progressPosition = -1;
    QString statusText;
    std::vector<std::string> statusHistory;
    std::vector<std::string> paintedStatus;
    int eventRounds = 0;
    std::function<void()> onEvents;
    std::function<void(int)> onProgress;
    bool callStatusShown = true;
    int callsStarted = 0;
    std::vector<std::int64_t> expectedCalls;
    std::vector<std::string> failedCalls;
};

// Real files for the add rule, in a private folder.
class FileTree
{
public:
    std::string file(const std::string &name, const std::string &content = "x")
    {
        std::string path = root() + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string folder(const std::string &name)
    {
        std::string path = root() + "/" + name;
        QDir().mkpath(QString::fromStdString(path));
        return path;
    }
    std::string root() const { return QFile::encodeName(m_dir.path()).toStdString(); }

private:
    QTemporaryDir m_dir;
};

} // namespace batchtest
