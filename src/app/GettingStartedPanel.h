#pragma once

#include <QWidget>

// The overlay over the empty task list that tells a new user the three steps.
class GettingStartedPanel final : public QWidget
{
    Q_OBJECT
public:
    explicit GettingStartedPanel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
