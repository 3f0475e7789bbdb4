#pragma once

#include <QByteArray>
#include <QString>

// How an INI file's bytes become text and back. A file that is valid UTF-8 stays UTF-8; any other
// file is taken as Windows-1252 (the five bytes that code page leaves undefined as Latin-1), as
// files written on Windows are, so every byte the program does not change comes back as it was.
namespace IniText {

enum class Encoding { Utf8, Windows1252 };

Encoding Detect(const QByteArray& bytes);
QString Decode(const QByteArray& bytes, Encoding encoding);

// The text in the encoding; false in `ok` when a character has no place in Windows-1252.
QByteArray Encode(const QString& text, Encoding encoding, bool* ok = nullptr);

} // namespace IniText
