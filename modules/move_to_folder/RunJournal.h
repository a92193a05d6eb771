#pragma once

#include <string>
#include <vector>

namespace brenmark::movetofolder {

struct JournalMove {
    std::string from;
    std::string to;

    bool operator==(const JournalMove &) const = default;
};

// What one run did: the moves in their order, and the folders it created
// for them, outermost first.
struct JournalRun {
    std::vector<JournalMove> moves;
    std::vector<std::string> folders;

    bool empty() const { return moves.empty() && folders.empty(); }
    bool operator==(const JournalRun &) const = default;
};

// The moves of the last runs, kept in one binary file so that they can be
// undone after the program was closed. A run is the moves recorded after one
// startRun(); at most kMaxRuns runs are kept. Paths are stored as bytes with
// their lengths, so any file name survives.
class RunJournal {
public:
    static constexpr int kMaxRuns = 20;

    explicit RunJournal(std::string file);

    const std::string &file() const { return m_file; }

    // Begin a new run. Throws sdk::ModuleError when the file cannot be written.
    void startRun();
    // Append one performed move to the current run.
    void record(const std::string &from, const std::string &to);
    // Append a folder the current run created.
    void recordFolder(const std::string &folder);

    // The runs, oldest first; empty when there is no journal yet. A last record
    // cut off short is left out. Throws when the file exists but cannot be
    // read or is damaged.
    std::vector<JournalRun> runs() const;

    // Replace the newest run by `remaining` (dropped when empty). The file is
    // replaced whole or not at all, so a failure never damages it.
    void replaceLastRun(const JournalRun &remaining);

private:
    std::vector<JournalRun> readRuns(bool *cutOff) const;
    void writeRuns(const std::vector<JournalRun> &runs) const;
    // Adds a record at the end, or leaves the file as it was.
    void append(const std::string &bytes) const;

    std::string m_file;
};

} // namespace brenmark::movetofolder
