#pragma once

#include <string>
#include <vector>

namespace brenmark {

struct FolderWalkOptions
{
    bool subfolders = true; // the files of subfolders too, at any depth
    bool hidden = false;    // names that begin with "." (files and folders)
};

// Gathers the files under folders for the file list's add rule. Each of
// `paths` that names a folder (a symbolic link to one is followed) stands
// for the files in it: per folder its files in natural order of their
// names, then each subfolder in the same order, depth first. Every other
// path is kept as it is, in its place, for the add rule to judge. Folders
// themselves never appear. Symbolic links to folders below are followed,
// but a folder already walked for the same named folder is not walked again,
// so a link back up the tree ends there. Folders that cannot be read and
// links that lead nowhere are skipped silently.
std::vector<std::string> expandFolders(const std::vector<std::string> &paths, FolderWalkOptions options);

} // namespace brenmark
