#pragma once

#include <string>
#include <vector>

namespace brenmark {

class FileListModel;

// Standard output of a dry run: for each of the first `rows` rows in list
// order its current path, a tab and its new path, each quoted by quotePath.
std::string dryRunLines(const FileListModel &files, int rows);

// The collisions of the rows' new paths, as lines for standard error (each
// without its line break); empty when there is none.
std::vector<std::string> collisionMessages(const FileListModel &files);

} // namespace brenmark
