#include "main/core/filelist/FileIconList.h"

#include <QMimeDatabase>

namespace brenmark {
namespace {

constexpr size_t kMaxNameKeys = 4096;

// The part of a file name that decides its MIME type by name alone: from the
// last dot, or from the last but one when the part between is a short
// alphabetic suffix (".tar.gz", ".ps.gz"). A name without a dot is its own key.
std::string_view extensionKey(std::string_view path, bool &isWholeName)
{
    size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    isWholeName = dot == std::string_view::npos || dot == 0;
    if (isWholeName)
        return name;
    size_t previous = dot > 0 ? name.rfind('.', dot - 1) : std::string_view::npos;
    if (previous != std::string_view::npos && previous > 0 && dot - previous - 1 <= 4) {
        bool alphabetic = dot - previous > 1;
        for (size_t i = previous + 1; i < dot; ++i) {
            char c = name[i];
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
                alphabetic = false;
        }
        if (alphabetic)
            return name.substr(previous);
    }
    return name.substr(dot);
}

} // namespace

FileIconList &FileIconList::instance()
{
    static FileIconList list;
    return list;
}

FileIconList::FileIconList()
{
    m_entries.push_back({});
}

int FileIconList::iconIndex(std::string_view path)
{
    bool isWholeName = false;
    std::string key(extensionKey(path, isWholeName));
    if (auto it = m_byExtension.find(key); it != m_byExtension.end())
        return it->second;
    static const QMimeDatabase database;
    ++m_mimeQueries;
    const QMimeType type = database.mimeTypeForFile(QString::fromUtf8(path.data(), qsizetype(path.size())),
                                                    QMimeDatabase::MatchExtension);
    int index = type.isValid() ? indexForMimeType(type.name()) : 0;
    if (!isWholeName || m_byExtension.size() < kMaxNameKeys)
        m_byExtension.emplace(std::move(key), index);
    return index;
}

int FileIconList::indexForMimeType(const QString &mimeName)
{
    if (auto it = m_byMimeType.constFind(mimeName); it != m_byMimeType.constEnd())
        return it.value();
    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForName(mimeName);
    int index = count();
    m_entries.push_back({mimeName, type.iconName(), type.genericIconName()});
    m_byMimeType.insert(mimeName, index);
    return index;
}

QString FileIconList::mimeType(int index) const
{
    return index > 0 && index < count() ? m_entries[index].mimeType : QString();
}

QString FileIconList::iconName(int index) const
{
    return index > 0 && index < count() ? m_entries[index].iconName : QString();
}

QString FileIconList::genericIconName(int index) const
{
    return index > 0 && index < count() ? m_entries[index].genericIconName : QString();
}

} // namespace brenmark
