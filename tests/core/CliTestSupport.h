#pragma once

// Helpers for the end-to-end tests of brenmark-batch: a program directory of
// its own (the executable is found there, and so are its Plugins, Templates
// and options.ini), template files written byte by byte, and a child process
// whose output and exit status are collected.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace brenmark::clitest {

struct TemplateRecord
{
    std::string moduleFile; // library file name, no folder
    std::string caption;
    std::vector<uint8_t> options;
};

// The .ptp form: count, then per action the zero-terminated library name and
// caption with their lengths, the options size and the option bytes; all
// integers 32-bit little-endian.
std::vector<uint8_t> templateBytes(const std::vector<TemplateRecord> &actions);
void writeFile(const std::filesystem::path &path, const std::string &bytes);
std::string readFile(const std::filesystem::path &path);

std::vector<uint8_t> int32Bytes(int32_t value);

class ProgramDirectory
{
public:
    // A fresh directory under `parent` with the built brenmark-batch in it.
    explicit ProgramDirectory(const std::filesystem::path &parent = "/tmp");
    ~ProgramDirectory();

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path executable() const { return m_path / "brenmark-batch"; }
    // Copies a built module into Plugins/.
    void addModule(const std::filesystem::path &library);
    void writeTemplate(const std::string &name, const std::vector<TemplateRecord> &actions);
    void writeOptions(const std::string &iniText);

private:
    std::filesystem::path m_path;
};

struct ProcessResult
{
    int status = -1; // exit code, or 128 + signal
    std::string out;
    std::string err;
};

class ChildProcess
{
public:
    ChildProcess(const std::filesystem::path &executable, const std::vector<std::string> &arguments,
                 const std::filesystem::path &workingDirectory = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;
    void sendSignal(int signal);
    // Reads both outputs to their end and waits for the exit.
    ProcessResult finish();

private:
    int m_pid = -1;
    int m_out = -1;
    int m_err = -1;
};

ProcessResult runProcess(const std::filesystem::path &executable, const std::vector<std::string> &arguments,
                         const std::filesystem::path &workingDirectory = {});

} // namespace brenmark::clitest
