#include "tests/core/CliTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace brenmark::clitest {

std::vector<uint8_t> int32Bytes(int32_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    return {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
}

std::vector<uint8_t> templateBytes(const std::vector<TemplateRecord> &actions)
{
    std::vector<uint8_t> bytes;
    auto append = [&bytes](const std::vector<uint8_t> &part) { bytes.insert(bytes.end(), part.begin(), part.end()); };
    auto appendText = [&](const std::string &text) {
        append(int32Bytes(int32_t(text.size() + 1)));
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    };
    append(int32Bytes(int32_t(actions.size())));
    for (const TemplateRecord &action : actions) {
        appendText(action.moduleFile);
        appendText(action.caption);
        append(int32Bytes(int32_t(action.options.size())));
        append(action.options);
    }
    return bytes;
}

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

ProgramDirectory::ProgramDirectory(const fs::path &parent)
{
    std::string pattern = (parent / "brenmark-cli-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
    fs::copy_file(BRENMARK_BATCH_EXECUTABLE, executable());
    fs::copy_file(BRENMARK_PROBE_EXECUTABLE, m_path / "brenmark-probe");
    fs::create_directory(m_path / "Plugins");
    fs::create_directory(m_path / "Templates");
    fs::create_directory(m_path / "Languages");
}

ProgramDirectory::~ProgramDirectory()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

void ProgramDirectory::addModule(const fs::path &library)
{
    fs::copy_file(library, m_path / "Plugins" / library.filename());
}

void ProgramDirectory::writeTemplate(const std::string &name, const std::vector<TemplateRecord> &actions)
{
    std::vector<uint8_t> bytes = templateBytes(actions);
    writeFile(m_path / "Templates" / (name + ".ptp"), std::string(bytes.begin(), bytes.end()));
}

void ProgramDirectory::writeOptions(const std::string &iniText)
{
    writeFile(m_path / "options.ini", iniText);
}

ChildProcess::ChildProcess(const fs::path &executable, const std::vector<std::string> &arguments,
                           const fs::path &workingDirectory)
{
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<std::string> argv = {executable.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0)
            _exit(126);
        std::vector<char *> pointers;
        for (std::string &argument : argv)
            pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        finish();
    }
}

void ChildProcess::sendSignal(int signal)
{
    kill(m_pid, signal);
}

ProcessResult ChildProcess::finish()
{
    ProcessResult result;
    pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    std::string *sinks[2] = {&result.out, &result.err};
    int openPipes = 2;
    while (openPipes > 0) {
        if (poll(fds, 2, -1) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[65536];
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, size_t(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --openPipes;
            }
        }
    }
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

ProcessResult runProcess(const fs::path &executable, const std::vector<std::string> &arguments,
                         const fs::path &workingDirectory)
{
    return ChildProcess(executable, arguments, workingDirectory).finish();
}

} // namespace brenmark::clitest
