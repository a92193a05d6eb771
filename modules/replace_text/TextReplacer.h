#pragma once

#include "modules/replace_text/ReplaceOptions.h"

#include <QRegularExpression>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace brenmark::modules {

// The replace action made ready from one options block: the pattern is
// compiled and the replacement parsed once, here, not per file.
class TextReplacer
{
public:
    // Throws ModuleError for an invalid pattern or a reference to a group
    // the pattern does not have.
    explicit TextReplacer(const ReplaceOptions &options);

    // Appends the new name of `fileName` (valid UTF-8) to `out`; throws
    // ModuleError when nothing would be left of the name.
    void apply(std::string_view fileName, std::string &out) const;

private:
    struct Piece
    {
        std::string literal; // UTF-8, used when group < 0
        int group = -1;
    };

    void replaceIn(std::string_view text, std::string &out) const;
    void replaceExact(std::string_view text, std::string &out) const;
    void replaceIgnoringCase(std::string_view text, std::string &out) const;
    void replacePattern(std::string_view text, std::string &out) const;

    ReplaceScope m_scope;
    bool m_pattern;
    bool m_caseSensitive;
    bool m_every;
    std::string m_find;
    QString m_findText;
    std::string m_replacement;
    QRegularExpression m_regex;
    std::vector<Piece> m_pieces;
    // Buffers kept to spare allocations per file.
    mutable QString m_subject;
    mutable std::string m_base;
};

// The action's caption, e.g. «Замена: "IMG_" → "Фото_"».
std::string replaceCaption(const ReplaceOptions &options);

} // namespace brenmark::modules
