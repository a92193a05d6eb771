#pragma once

namespace brenmark {

// Widths of the two file-list columns in a header `headerWidth` pixels wide.
struct HeaderSplit
{
    int first = 0;
    int second = 0;
};

// After a window resize: the first column takes half the header (rounded down)
// less 10, the second the rest. Never negative.
HeaderSplit headerSplitForResize(int headerWidth);

// After the user dragged the first column to `firstWidth`: the second takes the rest.
HeaderSplit headerSplitForDrag(int headerWidth, int firstWidth);

} // namespace brenmark
