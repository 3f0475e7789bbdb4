#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers message boxes that a test provokes, so a modal box never blocks the test run, and
// records what each one said. With the answer NoButton the boxes are left open, each recorded
// once.
class ModalWatcher final : public QObject
{
    Q_OBJECT
public:
    explicit ModalWatcher(QMessageBox::StandardButton answer = QMessageBox::Ok);

    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };
    QList<Seen> seen;

    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }

private:
    void poll();

    QTimer m_timer;
    QMessageBox::StandardButton m_answer;
    QList<QMessageBox*> m_leftOpen; // compared only, never followed
};
