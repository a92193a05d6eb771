#include "modules/common/FixedText.h"
#include "modules/extension/ExtensionRule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

using namespace brenmark::extension;

namespace {

ExtensionOptions makeOptions(ExtensionOperation operation, const char *text = "")
{
    ExtensionOptions options;
    options.operation = operation;
    brenmark::setFixedText(options.text, text);
    return options;
}

} // namespace

TEST(ExtensionRule, NamesBeforeAndAfter)
{
    using Op = ExtensionOperation;
    struct Case {
        Op operation;
        const char *text;
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {Op::Set, "jpg", "/p/photo.jpeg", "/p/photo.jpg"},
        {Op::Set, "jpg", "/p/README", "/p/README.jpg"},
        {Op::Set, "txt", "/p/.bashrc", "/p/.bashrc.txt"},
        {Op::Set, "gz", "/p/a.tar.bz2", "/p/a.tar.gz"},
        {Op::Set, "", "/p/a.tar.bz2", "/p/a.tar"},
        {Op::Set, "док", "/p/отчёт.txt", "/p/отчёт.док"},
        {Op::Set, "txt", "/p/a.", "/p/a.txt"},
        {Op::Set, "x", "/dir.d/file", "/dir.d/file.x"},
        {Op::Remove, "", "/p/a.tar.gz", "/p/a.tar"},
        {Op::Remove, "", "/p/.bashrc", "/p/.bashrc"},
        {Op::Remove, "", "/p/..hidden", "/p/..hidden"},
        {Op::Remove, "", "/p/a.", "/p/a"},
        {Op::Remove, "", "/p/noext", "/p/noext"},
        {Op::Add, "bak", "/p/a.txt", "/p/a.txt.bak"},
        {Op::Add, "bak", "/p/.profile", "/p/.profile.bak"},
        {Op::Lower, "", "/P/IMG.JPG", "/P/IMG.jpg"},
        {Op::Lower, "", "/p/Файл.ДОК", "/p/Файл.док"},
        {Op::Upper, "", "/p/файл.док", "/p/файл.ДОК"},
        {Op::Upper, "", "/p/Straße.straße", "/p/Straße.STRASSE"},
        {Op::Upper, "", "/p/.bashrc", "/p/.bashrc"},
        {Op::Upper, "", "/p/no_ext", "/p/no_ext"},
        {Op::Upper, "", "/p/bad.\xff\xfe", "/p/bad.\xff\xfe"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        const ExtensionOptions options = makeOptions(c.operation, c.text);
        EXPECT_NO_THROW(checkOptions(options));
        EXPECT_EQ(applyExtensionToPath(c.before, options), c.after);
    }
}

TEST(ExtensionRule, RejectsUnusableBlocks)
{
    ExtensionOptions newer = makeOptions(ExtensionOperation::Set, "jpg");
    newer.version = 2;
    ExtensionOptions unknown = makeOptions(ExtensionOperation::Set, "jpg");
    unknown.operation = static_cast<ExtensionOperation>(9);
    ExtensionOptions slash = makeOptions(ExtensionOperation::Set, "a/b");
    ExtensionOptions emptyAdd = makeOptions(ExtensionOperation::Add, "");
    for (const ExtensionOptions *options : {&newer, &unknown, &slash, &emptyAdd})
        EXPECT_THROW(checkOptions(*options), std::runtime_error);
}

TEST(ExtensionRule, UnterminatedTextStopsAtTheArray)
{
    ExtensionOptions options = makeOptions(ExtensionOperation::Set);
    std::memset(options.text, 'x', sizeof options.text);
    EXPECT_EQ(optionText(options).size(), sizeof options.text);
    EXPECT_EQ(applyExtension("a.b", options), "a." + std::string(sizeof options.text, 'x'));
}
