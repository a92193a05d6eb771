#pragma once

#include <QByteArray>
#include <QString>

namespace brenmark {

// File names are byte strings; the windows show QString. Valid UTF-8 maps to
// its text, and each byte that is not part of valid UTF-8 (a name written in
// another encoding) to the lone surrogate U+DC00 + byte, so that the text
// gives the same bytes back. QFile::decodeName would turn such bytes into
// U+FFFD and the file could not be found again.
QString nameFromBytes(const QByteArray &bytes);
// The inverse of nameFromBytes; for any other text its UTF-8 form.
QByteArray bytesOfName(const QString &name);

} // namespace brenmark
