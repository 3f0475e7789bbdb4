#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The kernel's word on a folder, as it happens and without polling: a file written and closed,
// or moved in whole. With subfolders, those made or moved in later are watched too. A watched
// folder that goes away (removed, moved, unmounted) or can no longer be read is told once; watch
// it again when it is back.
class FolderWatch final : public QObject
{
    Q_OBJECT
public:
    explicit FolderWatch(QObject* parent = nullptr);
    ~FolderWatch() override;

    // Starts watching the folder, and every folder below it when asked, in place of anything
    // watched before. False, with errorString(), when the folder cannot be watched.
    bool watch(const QString& folder, bool subfolders);
    void clear();
    QString errorString() const { return m_error; }

signals:
    // A file was closed after writing (it may be opened again), or moved in complete.
    void fileClosed(const QString& path);
    void fileMovedIn(const QString& path);
    // A folder moved in or made below a watched one: its files, if any, are not told one by one.
    void folderArrived(const QString& path);
    // The watched folder itself has gone, or cannot be read any longer.
    void folderGone(const QString& folder);

private:
    void read();
    bool add(const QString& folder);
    void addTree(const QString& folder);

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QHash<int, QString> m_folders; // watch descriptor -> folder path, no separator at its end
    QString m_root;
    bool m_subfolders = false;
    QString m_error;
};
