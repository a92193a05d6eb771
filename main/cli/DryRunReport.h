#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace brenmark {

class CollisionCheck;
class FileListModel;

// Standard output of a dry run: for each of the first `rows` rows in list
// order its current path, a tab and its new path, each quoted by quotePath.
// Written in blocks as it is formed, so a million rows never sit in memory
// twice. False when the stream refused the output.
bool writeDryRunLines(const FileListModel &files, int rows, std::FILE *out);

// The first step of seeking the collisions of the rows' new paths; the list
// must not change while the check lives.
std::unique_ptr<CollisionCheck> startCollisionCheck(const FileListModel &files);

// The collisions, as lines for standard error (each without its line break);
// empty when there is none.
std::vector<std::string> collisionMessages(CollisionCheck &check);

} // namespace brenmark
