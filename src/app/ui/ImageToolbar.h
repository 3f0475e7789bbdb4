#pragma once

#include "app/ToolbarRules.h"

#include <QHash>
#include <QObject>
#include <QPixmap>

struct TMainFormUi;
class ImageButton;
class QWidget;

// The looks of the picture toolbar and of the Start and Stop images as the pointer moves over
// them, presses and releases. The rules are ToolbarRules'; this draws what they say.
class ImageToolbar final : public QObject
{
    Q_OBJECT
public:
    ImageToolbar(QWidget* form, const TMainFormUi& ui);

    // Draws the looks the state string gives; a string equal to the last one draws nothing.
    void applyToolbarState(const QString& state);
    const QString& lastState() const { return m_state.last(); }
    int picturesDrawn() const { return m_drawn; }
    int tag(const ImageButton* startOrStop) const;

    void imageMouseMove(int position, const QPoint& at);
    void imageMouseDown(int position, const QPoint& at);
    void imageMouseUp(int position);
    void Toolbar1MouseMove();
    void startStopMouseMove(ImageButton* image);
    void startStopMouseDown(ImageButton* image);
    void startStopMouseUp(ImageButton* image);
    void panBottomRightMouseMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showStartStop(ImageButton* image, int tag);
    ImageButton* imageAt(int position) const;

    const TMainFormUi& m_ui;
    ToolbarState m_state;
    QHash<const ImageButton*, int> m_tags;
    int m_drawn = 0;
};
