/*
 * The baseline of the command-line benchmark: the least a program can do to
 * give every file of a list a prefix, one rename(2) per file. With --stat it
 * first checks each path with stat(2), as adding a file to the list does.
 * Usage: bench_cli_rename_loop [--stat] LISTFILE PREFIX
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

int main(int argc, char **argv)
{
    int checkFirst = argc == 4 && strcmp(argv[1], "--stat") == 0;
    if (argc != 3 + checkFirst) {
        fprintf(stderr, "usage: %s [--stat] LISTFILE PREFIX\n", argv[0]);
        return 2;
    }
    argv += checkFirst;
    FILE *list = fopen(argv[1], "r");
    if (!list) {
        perror(argv[1]);
        return 2;
    }
    const char *prefix = argv[2];
    size_t prefixLength = strlen(prefix);
    char *line = NULL;
    size_t capacity = 0;
    ssize_t length;
    char target[8192];
    long failures = 0;
    while ((length = getline(&line, &capacity, list)) > 0) {
        if (line[length - 1] == '\n')
            line[--length] = 0;
        const char *slash = strrchr(line, '/');
        size_t folder = slash ? (size_t)(slash - line) + 1 : 0;
        if (folder + prefixLength + (size_t)(length - folder) + 1 > sizeof target)
            return 2;
        memcpy(target, line, folder);
        memcpy(target + folder, prefix, prefixLength);
        memcpy(target + folder + prefixLength, line + folder, (size_t)length - folder + 1);
        struct stat status;
        if (checkFirst && (stat(line, &status) != 0 || S_ISDIR(status.st_mode)))
            continue;
        if (rename(line, target) != 0)
            ++failures;
    }
    free(line);
    fclose(list);
    return failures ? 1 : 0;
}
