#include "modules/replace_text/TextReplacer.h"

#include "module_helper/Fields.h"
#include "module_helper/FileName.h"
#include "module_helper/ModuleError.h"
#include "module_helper/Utf8.h"

namespace brenmark::modules {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QStringView utf16View(const QString &text, qsizetype from, qsizetype to)
{
    return QStringView(text).mid(from, to - from);
}

} // namespace

TextReplacer::TextReplacer(const ReplaceOptions &options)
    : m_scope(options.scope)
    , m_pattern(options.regularExpression != 0)
    , m_caseSensitive(options.caseSensitive != 0)
    , m_every(options.everyOccurrence != 0)
    , m_find(sdk::fieldText(options.find))
    , m_findText(toQString(m_find))
    , m_replacement(sdk::fieldText(options.replacement))
{
    if (!m_pattern)
        return;
    QRegularExpression::PatternOptions patternOptions = QRegularExpression::UseUnicodePropertiesOption;
    if (!m_caseSensitive)
        patternOptions |= QRegularExpression::CaseInsensitiveOption;
    m_regex = QRegularExpression(m_findText, patternOptions);
    if (!m_regex.isValid())
        throw sdk::ModuleError("Ошибка в регулярном выражении (знак "
                               + std::to_string(m_regex.patternErrorOffset() + 1)
                               + "): " + m_regex.errorString().toStdString() + ".");
    m_regex.optimize();

    const std::string_view text = m_replacement;
    Piece literal;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool escape = (c == '\\' || c == '$') && i + 1 < text.size();
        if (escape && text[i + 1] >= '0' && text[i + 1] <= '9') {
            const int group = text[i + 1] - '0';
            if (group > m_regex.captureCount())
                throw sdk::ModuleError("В замене есть ссылка " + std::string(text.substr(i, 2))
                                       + " на группу, которой нет в выражении.");
            if (!literal.literal.empty())
                m_pieces.push_back(std::move(literal));
            literal = Piece{};
            m_pieces.push_back(Piece{{}, group});
            ++i;
        } else if (escape && text[i + 1] == c) {
            literal.literal.push_back(c);
            ++i;
        } else {
            literal.literal.push_back(c);
        }
    }
    if (!literal.literal.empty())
        m_pieces.push_back(std::move(literal));
}

void TextReplacer::apply(std::string_view fileName, std::string &out) const
{
    const sdk::NameParts parts = sdk::splitFileName(fileName);
    switch (m_scope) {
    case ReplaceScope::Name: {
        m_base.clear();
        replaceIn(parts.base, m_base);
        sdk::appendFileName(out, m_base, parts.extension, parts.hasExtension);
        return;
    }
    case ReplaceScope::Extension: {
        if (!parts.hasExtension) {
            out.append(fileName);
            return;
        }
        out.append(parts.base);
        const std::size_t dot = out.size();
        out.push_back('.');
        replaceIn(parts.extension, out);
        if (out.size() == dot + 1 && !parts.extension.empty())
            out.resize(dot); // an extension replaced by nothing takes its dot with it
        return;
    }
    case ReplaceScope::WholeName:
        break;
    }
    const std::size_t start = out.size();
    replaceIn(fileName, out);
    // A name that did not start with a dot must not become a hidden file.
    const bool hidden = out.size() > start && out[start] == '.' && !fileName.starts_with('.');
    if (out.size() == start || hidden)
        throw sdk::ModuleError("У файла не осталось имени.");
}

void TextReplacer::replaceIn(std::string_view text, std::string &out) const
{
    if (m_find.empty())
        out.append(text);
    else if (m_pattern)
        replacePattern(text, out);
    else if (m_caseSensitive)
        replaceExact(text, out);
    else
        replaceIgnoringCase(text, out);
}

void TextReplacer::replaceExact(std::string_view text, std::string &out) const
{
    std::size_t from = 0;
    for (;;) {
        const std::size_t hit = text.find(m_find, from);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(from, hit - from)).append(m_replacement);
        from = hit + m_find.size();
        if (!m_every)
            break;
    }
    out.append(text.substr(from));
}

void TextReplacer::replaceIgnoringCase(std::string_view text, std::string &out) const
{
    sdk::decodeUtf8(text, m_subject);
    qsizetype from = 0;
    for (;;) {
        const qsizetype hit = m_subject.indexOf(m_findText, from, Qt::CaseInsensitive);
        if (hit < 0)
            break;
        sdk::appendUtf8(out, utf16View(m_subject, from, hit));
        out.append(m_replacement);
        from = hit + m_findText.size();
        if (!m_every)
            break;
    }
    sdk::appendUtf8(out, utf16View(m_subject, from, m_subject.size()));
}

void TextReplacer::replacePattern(std::string_view text, std::string &out) const
{
    sdk::decodeUtf8(text, m_subject);
    qsizetype from = 0;
    QRegularExpressionMatchIterator matches = m_regex.globalMatch(m_subject);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        sdk::appendUtf8(out, utf16View(m_subject, from, match.capturedStart()));
        for (const Piece &piece : m_pieces) {
            if (piece.group < 0)
                out.append(piece.literal);
            else
                sdk::appendUtf8(out, match.capturedView(piece.group));
        }
        from = match.capturedEnd();
        if (!m_every)
            break;
    }
    sdk::appendUtf8(out, utf16View(m_subject, from, m_subject.size()));
}

std::string replaceCaption(const ReplaceOptions &options)
{
    std::string caption = "Замена: \"";
    caption.append(sdk::fieldText(options.find)).append("\" → \"");
    caption.append(sdk::fieldText(options.replacement)).append("\"");
    std::string notes;
    auto note = [&notes](const char *text) { notes.append(notes.empty() ? " (" : ", ").append(text); };
    if (options.regularExpression)
        note("рег. выражение");
    if (!options.caseSensitive)
        note("без учёта регистра");
    if (!options.everyOccurrence)
        note("только первое");
    if (options.scope == ReplaceScope::Extension)
        note("в расширении");
    else if (options.scope == ReplaceScope::WholeName)
        note("в имени и расширении");
    if (!notes.empty())
        caption.append(notes).append(")");
    return caption;
}

} // namespace brenmark::modules
