#pragma once

#include <QWidget>

class QLabel;

// The overlay over the empty task list that tells a new user the three steps.
class GettingStartedPanel final : public QWidget
{
    Q_OBJECT
public:
    explicit GettingStartedPanel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateEmblem();

    QLabel* m_emblem = nullptr;
};
