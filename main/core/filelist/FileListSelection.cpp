// The selection commands of the file list: they read rows and compute a new
// selection; the window applies it to its view.
#include "main/core/filelist/FileListModel.h"

#include "main/core/filelist/FileMask.h"

#include <QStringDecoder>

#include <optional>

namespace brenmark {
namespace {

struct PathParts
{
    std::string_view folder; // up to and including the last "/"
    std::string_view name;   // after it
};

PathParts splitPath(std::string_view path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

// Folders compared without letter case: decoded, lower-cased with Unicode
// rules. Bytes that are not valid UTF-8 are compared exactly.
bool sameFolder(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    if (isAscii(a) && isAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (asciiLower(a[i]) != asciiLower(b[i]))
                return false;
        return true;
    }
    QStringDecoder decodeA(QStringDecoder::Utf8);
    QStringDecoder decodeB(QStringDecoder::Utf8);
    QString textA = decodeA(QByteArrayView(a.data(), qsizetype(a.size())));
    QString textB = decodeB(QByteArrayView(b.data(), qsizetype(b.size())));
    if (decodeA.hasError() || decodeB.hasError())
        return false;
    return textA.toLower() == textB.toLower();
}

} // namespace

RowSelection FileListModel::selectByChange(ChangeKind kind) const
{
    RowSelection result(count());
    for (int row = 0; row < count(); ++row) {
        std::string_view newText = newPath(row);
        if (newText.empty())
            continue;
        PathParts current = splitPath(currentPath(row));
        PathParts future = splitPath(newText);
        bool sameName = current.name == future.name;
        bool sameLocation = sameFolder(current.folder, future.folder);
        bool selected = (sameName && sameLocation) || (kind == ChangeKind::NameUnchanged && sameName)
            || (kind == ChangeKind::LocationUnchanged && sameLocation);
        result.set(row, selected);
    }
    return result;
}

RowSelection FileListModel::filterByMask(const RowSelection &selection, const std::string &mask,
                                         MaskMode mode) const
{
    RowSelection result(count());
    for (int row = 0; row < count(); ++row)
        result.set(row, selection.isSelected(row));
    if (mask.empty())
        return result;
    // Compiled at the first row that has to be matched, so a malformed mask is
    // only refused when there is something to match.
    std::optional<FileMask> compiled;
    const bool candidateState = mode == MaskMode::RemoveFromSelection;
    for (int row = 0; row < count(); ++row) {
        if (result.isSelected(row) != candidateState)
            continue;
        if (!compiled)
            compiled.emplace(mask);
        if (compiled->matches(currentPath(row)))
            result.set(row, !candidateState);
    }
    return result;
}

RowSelection FileListModel::invert(const RowSelection &selection)
{
    RowSelection result(selection.rowCount());
    for (int row = 0; row < selection.rowCount(); ++row)
        result.set(row, !selection.isSelected(row));
    return result;
}

RowSelection FileListModel::selectAll() const
{
    return RowSelection(count(), true);
}

} // namespace brenmark
