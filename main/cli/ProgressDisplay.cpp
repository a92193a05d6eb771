#include "main/cli/ProgressDisplay.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace brenmark {
namespace {

void writeToStderr(const std::string &text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

constexpr int kBarWidth = 30;

} // namespace

ProgressDisplay::ProgressDisplay()
    : ProgressDisplay(writeToStderr, isatty(STDERR_FILENO) == 1, steadySeconds)
{
}

ProgressDisplay::ProgressDisplay(Writer writer, bool terminal, Clock clock)
    : m_writer(std::move(writer))
    , m_terminal(terminal)
    , m_clock(std::move(clock))
{
}

void ProgressDisplay::start(size_t total)
{
    m_total = total;
    m_done = 0;
    m_startTime = m_clock();
    m_lastDraw = m_startTime;
    m_updatesSinceClock = 0;
    if (m_terminal)
        draw(0, m_startTime);
}

void ProgressDisplay::update(size_t done)
{
    m_done = done;
    // The clock is read every few files only: at a few microseconds a file
    // even reading it would show in the run's cost.
    if (++m_updatesSinceClock < kUpdatesPerClockRead)
        return;
    m_updatesSinceClock = 0;
    double now = m_clock();
    double interval = m_terminal ? kTerminalInterval : kPlainInterval;
    if (now - m_lastDraw >= interval)
        draw(done, now);
}

void ProgressDisplay::message(const std::string &line)
{
    // Wipe the bar, print the line, put the bar back below it.
    m_writer((m_barShown ? "\r\033[K" : "") + line + "\n");
    m_barShown = false;
    if (m_terminal)
        draw(m_done, m_clock());
}

void ProgressDisplay::finish(size_t done)
{
    m_done = done;
    draw(done, m_clock());
    if (m_terminal)
        m_writer("\n");
    m_barShown = false;
}

std::string ProgressDisplay::progressText(size_t done, double now) const
{
    int percent = m_total ? int(done * 100 / m_total) : 100;
    double elapsed = now - m_startTime;
    char rate[48] = "";
    if (elapsed >= 0.05)
        std::snprintf(rate, sizeof rate, ", %.0f файлов/с", done / elapsed);
    char text[160];
    std::snprintf(text, sizeof text, "%zu из %zu файлов (%d%%)%s", done, m_total, percent, rate);
    return text;
}

void ProgressDisplay::draw(size_t done, double now)
{
    m_lastDraw = now;
    if (!m_terminal) {
        m_writer("brenmark-batch: " + progressText(done, now) + "\n");
        return;
    }
    int filled = m_total ? int(done * kBarWidth / m_total) : kBarWidth;
    std::string bar = "\r[";
    for (int i = 0; i < kBarWidth; ++i)
        bar += i < filled ? "#" : "-";
    bar += "] " + progressText(done, now) + "\033[K";
    m_writer(bar);
    m_barShown = true;
}

} // namespace brenmark
