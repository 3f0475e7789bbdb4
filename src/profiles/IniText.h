#pragma once

#include <QByteArray>
#include <QString>

// How an INI file's bytes become text and back. A file that is valid UTF-8 stays UTF-8; a file
// that opens with a UTF-16 byte-order mark stays UTF-16 in its byte order; any other file is
// taken as Windows-1252 (the five bytes that code page leaves undefined as Latin-1), as files
// written on Windows are. Decoding and encoding again gives the same bytes, so every byte the
// program does not change comes back as it was.
namespace IniText {

enum class Encoding { Utf8, Windows1252, Utf16LE, Utf16BE };

struct Form
{
    Encoding encoding = Encoding::Utf8;
    bool byteOrderMark = false; // UTF-8 files may carry one too; it is kept
};

// False when the bytes are no text: a NUL byte outside UTF-16, or UTF-16 that holds a NUL or
// breaks off in the middle of a character.
bool Detect(const QByteArray& bytes, Form* form);
// The text after the byte-order mark, if any.
QString Decode(const QByteArray& bytes, const Form& form);

// The text in the form, with its mark; false in `ok` when a character has no place in
// Windows-1252.
QByteArray Encode(const QString& text, const Form& form, bool* ok = nullptr);

} // namespace IniText
