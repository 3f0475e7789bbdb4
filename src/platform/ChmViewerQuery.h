#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QProcess;

// Whether the desktop names a default application for CHM files, asked of xdg-mime for both
// MIME types in use. A missing xdg-mime, a failure, an empty answer or no answer within
// timeoutMs (for both questions together) counts as no. The questions run beside the event loop,
// never waited for, and are asked once: the answer is kept for every later caller.
class ChmViewerQuery final : public QObject
{
    Q_OBJECT
public:
    explicit ChmViewerQuery(const QString& xdgMime = QStringLiteral("xdg-mime"),
                            int timeoutMs = 2000, QObject* parent = nullptr);
    ~ChmViewerQuery() override;

    // Starts asking unless that is done or under way; returns at once.
    void start();
    // Calls `answered` with the answer: at once when it is known, otherwise when it comes
    // (asking first if nobody has yet).
    void whenAnswered(std::function<void(bool viewer)> answered);

private:
    void ask(int type);
    void conclude(bool viewer);
    void dropQuery();

    enum class State { NotAsked, Asking, Known };
    QString m_xdgMime;
    int m_timeoutMs;
    State m_state = State::NotAsked;
    bool m_viewer = false;
    QString m_program;
    QProcess* m_query = nullptr; // a child of this object
    QTimer m_limit;
    QList<std::function<void(bool)>> m_waiting;
};
