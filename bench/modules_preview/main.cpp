// Cost of one preview call of each shipped renaming module, through dlsym
// as the host makes it, and of a chain of three of them.
#include "bench/support/ModuleChain.h"
#include "modules/insert_text/InsertOptions.h"
#include "modules/letter_case/CaseOptions.h"
#include "modules/name_pattern/NamePatternOptions.h"
#include "modules/numbering/NumberingOptions.h"
#include "modules/remove_text/RemoveOptions.h"
#include "modules/replace_text/ReplaceOptions.h"
#include "module_helper/Fields.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace brenmark;
using namespace brenmark::modules;

int main()
{
    std::vector<std::string> names;
    for (int i = 0; i < 10000; ++i)
        names.push_back("/home/user/Фотографии/2024/IMG_" + std::to_string(1000 + i) + " отпуск на море.JPG");

    InsertOptions insert;
    sdk::setFieldText(insert.text, "Фото ");
    ReplaceOptions plain;
    sdk::setFieldText(plain.find, "IMG_");
    sdk::setFieldText(plain.replacement, "Фото_");
    ReplaceOptions pattern = plain;
    pattern.regularExpression = 1;
    sdk::setFieldText(pattern.find, "IMG_(\\d+)");
    sdk::setFieldText(pattern.replacement, "\\1_Фото");
    ReplaceOptions ignoringCase = plain;
    ignoringCase.caseSensitive = 0;
    RemoveOptions remove;
    remove.what = RemoveWhat::Digits;
    remove.trimBlanks = remove.collapseBlanks = 1;
    CaseOptions letterCase;
    NumberingOptions numbering;
    NamePatternOptions namePattern; // no date: no file is read
    sdk::setFieldText(namePattern.pattern, "[P] [N5-8] [N~4-] [C:1,1,авто].[E]");

    auto run = [&](const char *label, std::vector<Action> chain) {
        measure(chain, names, 1); // warm the modules' buffers
        std::printf("%-44s %8.0f ns per file\n", label, measure(chain, names, 20));
    };
    std::vector<Action> chain;
    chain.push_back(load("insert_text.so", insert));
    run("insert_text (text at the start)", std::move(chain));
    chain.clear();
    chain.push_back(load("replace_text.so", plain));
    run("replace_text (plain, case-sensitive)", std::move(chain));
    chain.clear();
    chain.push_back(load("replace_text.so", ignoringCase));
    run("replace_text (plain, ignoring case)", std::move(chain));
    chain.clear();
    chain.push_back(load("replace_text.so", pattern));
    run("replace_text (regular expression)", std::move(chain));
    chain.clear();
    chain.push_back(load("remove_text.so", remove));
    run("remove_text (digits, blanks)", std::move(chain));
    chain.clear();
    chain.push_back(load("letter_case.so", letterCase));
    run("letter_case (Title name, lower extension)", std::move(chain));
    chain.clear();
    chain.push_back(load("numbering.so", numbering));
    run("numbering (prefix 001_)", std::move(chain));
    chain.clear();
    chain.push_back(load("name_pattern.so", namePattern));
    run("name_pattern (folder, ranges, counter, ext.)", std::move(chain));
    chain.clear();
    chain.push_back(load("replace_text.so", pattern));
    chain.push_back(load("letter_case.so", letterCase));
    chain.push_back(load("numbering.so", numbering));
    run("chain: regex replace, letter case, numbering", std::move(chain));
    return 0;
}
