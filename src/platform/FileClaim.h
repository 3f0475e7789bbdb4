#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A small file that says who works on something, beside it: made where none is, or taken over
// when whoever left it holds it no longer, and locked while held, so that of two programs (on
// this machine or on others sharing the folder) one alone holds it. A program that dies lets go
// with its lock; the file stays, with what its holder last wrote into it.
class FileClaim final
{
public:
    enum Outcome { Held, HeldElsewhere, Failed };

    // Takes the claim at the path. `text` receives what the file held before (empty for a new
    // one); `error` why it could not be taken when Failed.
    static std::unique_ptr<FileClaim> take(const QString& path, Outcome* outcome,
                                           QByteArray* text = nullptr, QString* error = nullptr);
    ~FileClaim(); // lets go: the file stays, unlocked

    // Replaces what the file holds; empty when written, otherwise why not.
    QString write(const QByteArray& text);
    // Removes the file while still holding it, then lets go.
    void remove();

    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

private:
    FileClaim(QString path, int fd) : m_path(std::move(path)), m_fd(fd) {}

    QString m_path;
    int m_fd;
};
