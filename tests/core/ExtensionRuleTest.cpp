#include "module_helper/Fields.h"
#include "module_helper/ModuleError.h"
#include "modules/extension/ExtensionRule.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace brenmark::extension;

namespace {

ExtensionOptions makeOptions(ExtensionOperation operation, const char *text = "")
{
    ExtensionOptions options;
    options.operation = operation;
    brenmark::sdk::setFieldText(options.text, text);
    return options;
}

std::string newName(const ExtensionOptions &options, std::string_view fileName)
{
    std::string out;
    appendNewName(options, fileName, out);
    return out;
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
        {Op::Set, "jpg", "photo.jpeg", "photo.jpg"},
        {Op::Set, "jpg", "README", "README.jpg"},
        {Op::Set, "txt", ".bashrc", ".bashrc.txt"},
        {Op::Set, "gz", "a.tar.bz2", "a.tar.gz"},
        {Op::Set, "", "a.tar.bz2", "a.tar"},
        {Op::Set, "док", "отчёт.txt", "отчёт.док"},
        {Op::Set, "txt", "a.", "a.txt"},
        {Op::Set, "x", "dir.d", "dir.x"},
        {Op::Remove, "", "a.tar.gz", "a.tar"},
        {Op::Remove, "", ".bashrc", ".bashrc"},
        {Op::Remove, "", "..hidden", "..hidden"},
        {Op::Remove, "", "a.", "a"},
        {Op::Remove, "", "noext", "noext"},
        {Op::Add, "bak", "a.txt", "a.txt.bak"},
        {Op::Add, "bak", ".profile", ".profile.bak"},
        {Op::Lower, "", "IMG.JPG", "IMG.jpg"},
        {Op::Lower, "", "Файл.ДОК", "Файл.док"},
        {Op::Upper, "", "файл.док", "файл.ДОК"},
        {Op::Upper, "", "Straße.straße", "Straße.STRASSE"},
        {Op::Upper, "", ".bashrc", ".bashrc"},
        {Op::Upper, "", "no_ext", "no_ext"},
        {Op::Upper, "", "bad.\xff\xfe", "bad.\xff\xfe"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before);
        const ExtensionOptions options = makeOptions(c.operation, c.text);
        EXPECT_NO_THROW(validateOptions(options));
        EXPECT_EQ(newName(options, c.before), c.after);
    }
}

TEST(ExtensionRule, RejectsUnusableBlocks)
{
    ExtensionOptions unknown = makeOptions(ExtensionOperation::Set, "jpg");
    unknown.operation = static_cast<ExtensionOperation>(9);
    ExtensionOptions slash = makeOptions(ExtensionOperation::Set, "a/b");
    ExtensionOptions emptyAdd = makeOptions(ExtensionOperation::Add, "");
    for (const ExtensionOptions *options : {&unknown, &slash, &emptyAdd})
        EXPECT_THROW(validateOptions(*options), brenmark::sdk::ModuleError);
}

TEST(ExtensionRule, UnterminatedTextStopsAtTheArray)
{
    ExtensionOptions options = makeOptions(ExtensionOperation::Set);
    std::memset(options.text, 'x', sizeof options.text);
    EXPECT_EQ(newName(options, "a.b"), "a." + std::string(sizeof options.text, 'x'));
}
