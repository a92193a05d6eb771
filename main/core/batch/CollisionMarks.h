#pragma once

namespace brenmark {

class FileListModel;

// Marks the rows whose files the run could not give their new paths (see
// findCollisions): every row of a group meeting at one new path but the
// first, which finds it free, and every row whose new path names another
// existing file. Each reason names the other file. Rows marked as failed
// keep that mark. Gives the number of rows marked as colliding.
int markCollisions(FileListModel &files);

// The same after rows were appended from `firstAppended` on (a drop), at a
// fraction of the cost over a long list: rows appended at the end never
// change what earlier rows meet, so only the new rows are looked at, against
// the earlier rows that share a file name with their new paths and that the
// run can rename.
void markCollisionsOfAppended(FileListModel &files, int firstAppended);

} // namespace brenmark
