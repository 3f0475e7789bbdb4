#pragma once

#include "profiles/IniText.h"

#include <QString>
#include <QStringList>

// The INI store for Preferences.ini and the profile files. It keeps the whole file as lines,
// edits them in memory and writes everything back on Release. A store is short-lived: construct,
// read or write, Release.
//
// A section header is a line that reads "[" + name + "]" (letter case ignored, blanks around it
// allowed); its body runs to the next line that begins with "[". A key line is a body line whose
// text before its first "=", leading blanks left out, equals the key, letter case ignored. A new
// key goes directly under its header. A file is written back in the encoding it was read in
// (see IniText), each line with the line end it had; a new line takes the file's first line
// end (CR LF in a new file).
class TNewInifile final
{
public:
    // Loads the file if it exists; a missing file gives an empty store. A file that exists but
    // cannot be read, is no regular file (a FIFO, a device, a socket: never waited on) or is no
    // text throws FwError naming the file and the reason.
    explicit TNewInifile(const QString& path);

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    double ReadFloat(const QString& section, const QString& key, double def) const;
    bool SectionExists(const QString& section) const { return sectionLine(section) >= 0; }

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    // Writes every line with its line end through a temporary file and a rename, so a
    // failed write never leaves a truncated file (in place when the folder allows no temporary
    // file). Writes nothing when no line changed since the file was read, or when the file holds
    // these bytes already; a missing file is created. Throws FwError when the file cannot be
    // written or is no regular file.
    void Release();

    const QStringList& lines() const { return m_lines; }
    // The lines without their ends; `ends` gets each line's end (empty for a last line that
    // has none).
    static QStringList splitLines(const QString& text, QStringList* ends = nullptr);

private:
    int sectionLine(const QString& section) const;
    int keyLine(int header, const QString& key) const;
    void insertLine(int at, const QString& line);
    QByteArray bytes() const;

    QString m_path;
    QStringList m_lines;
    QStringList m_ends; // the line end of each line
    QString m_newEnd = QStringLiteral("\r\n");
    QStringList m_loaded; // the lines as read
    bool m_existed = false;
    IniText::Form m_form;
};
