#pragma once

#include <QHash>
#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brenmark {

// The process-wide list of file icons that rows refer to by index. Index 0
// means "no icon"; each distinct MIME type gets the next index the first
// time a file of that type is asked for, and keeps it for the life of the
// process. Lookups are cached by file extension, so a list of many files of
// few types queries the MIME database only a few times. Images are not kept
// here: the window fetches QIcon::fromTheme(iconName(i), fromTheme(genericIconName(i))).
// Not thread-safe; used from the user-interface thread only.
class FileIconList
{
public:
    static FileIconList &instance();

    // The icon index for a file path (bytes); never touches the file itself.
    int iconIndex(std::string_view path);

    // Number of entries, index 0 included.
    int count() const { return static_cast<int>(m_entries.size()); }
    QString mimeType(int index) const;
    QString iconName(int index) const;
    QString genericIconName(int index) const;

    // Number of MIME database queries so far (for tests and benchmarks).
    int mimeQueries() const { return m_mimeQueries; }

private:
    FileIconList();
    int indexForMimeType(const QString &mimeName);

    struct Entry
    {
        QString mimeType;
        QString iconName;
        QString genericIconName;
    };

    std::vector<Entry> m_entries;
    std::unordered_map<std::string, int> m_byExtension;
    QHash<QString, int> m_byMimeType;
    int m_mimeQueries = 0;
};

} // namespace brenmark
