#include "main/core/look/HeaderSplit.h"

#include <algorithm>

namespace brenmark {

HeaderSplit headerSplitForResize(int headerWidth)
{
    return headerSplitForDrag(headerWidth, headerWidth / 2 - 10);
}

HeaderSplit headerSplitForDrag(int headerWidth, int firstWidth)
{
    const int width = std::max(headerWidth, 0);
    const int first = std::clamp(firstWidth, 0, width);
    return {first, width - first};
}

} // namespace brenmark
