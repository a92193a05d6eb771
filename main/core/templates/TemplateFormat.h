#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class QIODevice;

namespace brenmark {

// One action as a template file stores it.
struct TemplateAction
{
    std::string moduleFile;            // library file name without folder, bytes as on disk
    std::string caption;               // the row's caption, 8-bit bytes as the module gave them
    std::vector<std::uint8_t> options; // the options block's first optSize bytes, verbatim

    bool operator==(const TemplateAction &) const = default;
};

// A template file that cannot be read: it ends early ("Read beyond end of
// file") or holds a field no writer produces. The text is what the user sees.
class TemplateFormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The .ptp format, without header: a count N, then N records of
//   L1, module file name + zero byte (L1 bytes), L2, caption + zero byte (L2
//   bytes), S, S option bytes;
// every number a 32-bit signed little-endian integer.
namespace TemplateFormat {

// Both texts are passed through buffers of this many bytes, zero included.
inline constexpr std::int32_t maxTextField = 1001;

// Reads a whole template. A count of zero or less gives no actions. A text
// field is taken up to its first zero byte. Throws TemplateFormatError for a
// file shorter than its counts announce, a length field outside 1..1001, or
// an options size that is negative or larger than what is left in the file;
// nothing is allocated beyond the file's own size.
std::vector<TemplateAction> read(QIODevice &device);

// Writes the records in order. Texts longer than 1000 bytes are cut at the
// last whole UTF-8 character within 1000 bytes, since a reader's buffer holds
// no more. Throws TemplateFormatError when the device refuses the bytes.
void write(QIODevice &device, const std::vector<TemplateAction> &actions);

// File forms of the above; `path` may hold bytes that are not UTF-8 in the
// form of nameFromBytes. The texts of their TemplateFormatErrors begin with
// "Шаблон «name»: " and name the file. readFile also fails when the file
// cannot be opened. writeFile replaces the file only when every byte reached
// the disk ("Unable to write to <path>: <reason>" otherwise), so a failed
// save leaves the old template byte for byte.
std::vector<TemplateAction> readFile(const QString &path);
void writeFile(const QString &path, const std::vector<TemplateAction> &actions);

} // namespace TemplateFormat

} // namespace brenmark
