#include "main/core/chain/TListData.h"

#include <cstdlib>
#include <new>

namespace brenmark {

void *allocateHostOptions(std::size_t size)
{
    void *block = std::calloc(size > 0 ? size : 1, 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}

void freeHostOptions(void *block)
{
    std::free(block);
}

} // namespace brenmark
