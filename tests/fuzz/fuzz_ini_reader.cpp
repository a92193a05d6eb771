// The ini reader under arbitrary text: every key it finds must be readable,
// every value convertible without crashing, and a key written into the text
// must read back while the other keys keep their values.
#include "options/core/ColorValue.h"
#include "options/core/IniDocument.h"
#include "options/core/IniValue.h"

#include <cstdlib>

using namespace brenmark;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniDocument document = IniDocument::fromBytes(bytes);
    const QStringList sections{QStringLiteral("MAIN"), QStringLiteral("MODULES"), QStringLiteral("VIEW")};

    for (const QString &section : sections) {
        for (const QString &key : document.keys(section)) {
            const auto value = document.value(section, key);
            check(value.has_value());
            parseIniInteger(*value);
            if (const auto color = colorFromString(*value))
                check(colorFromString(colorToString(*color)) == color);
        }
    }

    const QStringList mainKeys = document.keys(QStringLiteral("MAIN"));
    IniDocument edited = IniDocument::fromBytes(bytes);
    edited.setValue(QStringLiteral("VIEW"), QStringLiteral("fname_ed_col"), QStringLiteral("$00123456"));
    const IniDocument reread = IniDocument::fromBytes(edited.toBytes());
    check(reread.value(QStringLiteral("VIEW"), QStringLiteral("fname_ed_col")) == QStringLiteral("$00123456"));
    for (const QString &key : mainKeys)
        check(reread.value(QStringLiteral("MAIN"), key) == document.value(QStringLiteral("MAIN"), key));

    edited.eraseSection(QStringLiteral("MODULES"));
    check(!IniDocument::fromBytes(edited.toBytes()).hasSection(QStringLiteral("MODULES")));
    return 0;
}
