#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace brenmark {

// Progress of a run on stderr. On a terminal one line is redrawn in place, a
// bar with counts and rate, at most ten times a second; otherwise (a log, a
// pipe) a plain line is written every few seconds, so logs stay short.
// Messages (failed calls) are printed on lines of their own without tearing
// the bar.
class ProgressDisplay
{
public:
    using Writer = std::function<void(const std::string &)>;
    using Clock = std::function<double()>; // seconds from any fixed origin

    // Writes to stderr; the style follows isatty(2).
    ProgressDisplay();
    ProgressDisplay(Writer writer, bool terminal, Clock clock);

    void start(size_t total);
    // Cheap enough to be called once per file.
    void update(size_t done);
    void message(const std::string &line);
    // Draws the final state and ends the bar's line.
    void finish(size_t done);

    static constexpr double kTerminalInterval = 0.1;
    static constexpr double kPlainInterval = 5.0;
    static constexpr int kUpdatesPerClockRead = 16;

private:
    std::string progressText(size_t done, double now) const;
    void draw(size_t done, double now);

    Writer m_writer;
    bool m_terminal;
    Clock m_clock;
    size_t m_total = 0;
    size_t m_done = 0;
    double m_startTime = 0;
    double m_lastDraw = 0;
    bool m_barShown = false;
    int m_updatesSinceClock = 0;
};

} // namespace brenmark
