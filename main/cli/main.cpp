#include "main/cli/BatchCommand.h"

int main(int argc, char *argv[])
{
    return brenmark::runBatchCommand(argc, argv);
}
