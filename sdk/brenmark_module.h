/*
 * Brenmark module interface.
 *
 * A module is a shared library in Plugins/ beside the program. It offers one
 * kind of action (and up to ten command buttons) through the plain C exports
 * declared below; the host looks each of them up by its exact name with
 * dlsym at every use, so a module exports only what it implements. Only
 * getInfo and a version ending in ".02" are required to be loaded at all;
 * process and showOptions are needed for an action to be useful, clickBtn for
 * modules that export buttons.
 *
 * Texts are zero-terminated 8-bit texts in the locale's encoding (UTF-8 on
 * Linux); file paths are byte strings handed on unchanged.
 *
 * Failures: a module reports a failure by letting a C++ exception leave the
 * export. The host also survives memory faults raised inside a call, but a
 * module should not rely on that.
 *
 * Threads: every call comes from the host's one user-interface thread.
 */
#ifndef BRENMARK_MODULE_H
#define BRENMARK_MODULE_H

#include <stdint.h>

#ifdef __cplusplus
#define BRENMARK_EXTERN_C extern "C"
#else
#define BRENMARK_EXTERN_C
#endif

/* Modules are built with hidden visibility; only these names are exported. */
#define BRENMARK_EXPORT BRENMARK_EXTERN_C __attribute__((visibility("default")))

/* Interface version: a module's ModuleInfo.version must end in these three characters. */
#define BRENMARK_INTERFACE_VERSION_SUFFIX ".02"

/* Mode argument of process. */
#define BRENMARK_MODE_RUN 0     /* do the work on the file */
#define BRENMARK_MODE_PREVIEW 1 /* only compute the new path; touch nothing */

/*
 * Filled by getInfo. 216 bytes, no padding. The four 50-byte texts are read up
 * to their first zero byte or 50 characters, so a text of exactly 50
 * characters needs no terminator. The host hands the same record to every
 * module without clearing it in between: fill every field.
 */
typedef struct ModuleInfo {
    char version[10];  /* e.g. "1.02"; at most 9 characters and a zero byte */
    char name[50];     /* module name */
    char author[50];   /* author */
    char action[50];   /* "Category\\Sub\\Action": leading segments become submenus */
    char mask[50];     /* a file mask, shown to the user only */
    uint8_t reserved[2];
    int32_t optSize;   /* bytes of one options block; the same value every time */
} ModuleInfo;

/* One command button: a length-prefixed caption, no terminator. 21 bytes. */
typedef struct ModuleButton {
    uint8_t length;    /* 0 to 20 */
    char caption[20];
} ModuleButton;

#define BRENMARK_MAX_BUTTONS 10

#ifdef __cplusplus
static_assert(sizeof(ModuleInfo) == 216, "ModuleInfo is 216 bytes");
static_assert(__builtin_offsetof(ModuleInfo, version) == 0, "version at 0");
static_assert(__builtin_offsetof(ModuleInfo, name) == 10, "name at 10");
static_assert(__builtin_offsetof(ModuleInfo, author) == 60, "author at 60");
static_assert(__builtin_offsetof(ModuleInfo, action) == 110, "action at 110");
static_assert(__builtin_offsetof(ModuleInfo, mask) == 160, "mask at 160");
static_assert(__builtin_offsetof(ModuleInfo, reserved) == 210, "reserved at 210");
static_assert(__builtin_offsetof(ModuleInfo, optSize) == 212, "optSize at 212");
static_assert(sizeof(ModuleButton) == 21, "ModuleButton is 21 bytes");
#else
_Static_assert(sizeof(ModuleInfo) == 216, "ModuleInfo is 216 bytes");
_Static_assert(sizeof(ModuleButton) == 21, "ModuleButton is 21 bytes");
#endif

/*
 * The exports, in the order the host calls them while loading:
 * setLanguage, getInfo, then for an enabled module setDir, initialize, exportBtns.
 *
 * Options block: memory of at least optSize bytes that the module allocates
 * per action instance and alone interprets. The host keeps its address in an
 * "options slot" (a void*) and hands the slot's address to showOptions,
 * newOpt and process. The host copies the block's first optSize bytes into
 * templates and back, so keep only plain data in it (no pointers).
 */

/* Fill the whole record. Called at loading and each time a template is written. */
typedef void (*BrenmarkGetInfo)(ModuleInfo *info);

/* Write up to 10 captions into buttons[0..9] and always set *count. */
typedef void (*BrenmarkExportBtns)(ModuleButton *buttons, int32_t *count);

/* Full path of the language file. Valid only during the call: copy what you keep. */
typedef void (*BrenmarkSetLanguage)(const char *languageFile);

/* Program directory ending in "/". Valid only during the call. */
typedef void (*BrenmarkSetDir)(const char *programDir);

/* The main window: the address of the host's QWidget, or null without a window. */
typedef void (*BrenmarkInitialize)(void *mainWindow);

/*
 * Computes (mode 1) or performs (mode 0) the action on one file.
 * name:       in: the running name (the previous action's result, or the
 *             file's current path for the first action); out: set *name to
 *             the new full path. The text you point it at stays yours and
 *             must stay valid until your next call; the host never frees it.
 * actualPath: where the file really lies now (preview: the path before the
 *             chain; run: the running name on entry). Valid during the call.
 * fileIndex:  0-based position of the file in the host's list.
 * progressBar: the per-file QProgressBar's address, or null without a window.
 * optionsSlot: the address of this action's options slot.
 */
typedef void (*BrenmarkProcess)(const char **name, const char *actualPath, int32_t fileIndex,
                                void *progressBar, void **optionsSlot, int32_t mode);

/* Allocate a block of at least the stored size and put its address in *optionsSlot.
 * Called when a template is loaded; the host then overwrites the block's first bytes. */
typedef void (*BrenmarkNewOpt)(void **optionsSlot);

/* Release a block (the slot's value) when the user removes the action. */
typedef void (*BrenmarkFreeOpt)(void *options);

/*
 * isNew = 1 (add): *optionsSlot and *caption hold nothing on entry. Create the
 *   block, store it in *optionsSlot and, when returning 1, point *caption at
 *   the caption text. Any other result means cancelled: free what you made.
 * isNew = 0 (edit): *caption points at the row's current caption (host-owned,
 *   valid during the call). Change the block in place or replace it in the
 *   slot; return 1 when changed. The host copies *caption afterwards whatever
 *   the result, so leave it as found when cancelling.
 * Caption texts stay the module's; the host copies them at once.
 */
typedef int32_t (*BrenmarkShowOptions)(uint8_t isNew, void **optionsSlot, const char **caption);

/* Run command button number `button` (0-based position in the exportBtns array). */
typedef void (*BrenmarkClickBtn)(uint8_t button);

/*
 * Optional. The number of files in the host's list, so that a number can be
 * padded to as many digits as the largest one in the list needs. The host
 * calls it for every action of the chain whose module exports it, before
 * every preview rebuild, every single-file preview and every run; fileIndex
 * of the process calls that follow is below `count`. A module that never
 * got a count chooses a fixed width of its own.
 */
typedef void (*BrenmarkSetFileCount)(int32_t count);

/* Declarations for module authors: define the ones your module offers.
 * The host defines BRENMARK_HOST and only uses the pointer types above. */
#ifndef BRENMARK_HOST
BRENMARK_EXPORT void getInfo(ModuleInfo *info);
BRENMARK_EXPORT void exportBtns(ModuleButton *buttons, int32_t *count);
BRENMARK_EXPORT void setLanguage(const char *languageFile);
BRENMARK_EXPORT void setDir(const char *programDir);
BRENMARK_EXPORT void initialize(void *mainWindow);
BRENMARK_EXPORT void process(const char **name, const char *actualPath, int32_t fileIndex,
                             void *progressBar, void **optionsSlot, int32_t mode);
BRENMARK_EXPORT void newOpt(void **optionsSlot);
BRENMARK_EXPORT void freeOpt(void *options);
BRENMARK_EXPORT int32_t showOptions(uint8_t isNew, void **optionsSlot, const char **caption);
BRENMARK_EXPORT void clickBtn(uint8_t button);
BRENMARK_EXPORT void setFileCount(int32_t count);
#endif

/*
 * Images: resource NAME ("ACTION", "BUTTON0" ... "BUTTON9") is the pair of
 * exported symbols brenmark_resource_NAME (the bytes of an ICO, PNG or BMP
 * file) and brenmark_resource_NAME_size (uint32_t). ICO and PNG are icons; a
 * BMP is a bitmap whose pixel at column 0, row 15 is the transparent colour.
 * The CMake helper brenmark_add_module(... RESOURCES NAME file ...) writes them.
 */
#define BRENMARK_RESOURCE_PREFIX "brenmark_resource_"

#endif /* BRENMARK_MODULE_H */
