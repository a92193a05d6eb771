#pragma once

namespace brenmark {

class FileListModel;

// Marks the rows whose files the run could not give their new paths (see
// findCollisions): every row of a group meeting at one new path but the
// first, which finds it free, and every row whose new path names another
// existing file. Each reason names the other file. Rows marked as failed
// keep that mark. Gives the number of rows marked as colliding.
int markCollisions(FileListModel &files);

} // namespace brenmark
