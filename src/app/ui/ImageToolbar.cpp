#include "ImageToolbar.h"

#include "ImageButton.h"
#include "TMainFormUi.h"
#include "app/Pictures.h"

#include <QEvent>

namespace {
// Picture number 0..8 of each position 1..9.
int pictureOf(int position)
{
    return position - 1;
}
} // namespace

ImageToolbar::ImageToolbar(QWidget* form, const TMainFormUi& ui) : QObject(form), m_ui(ui)
{
    for (int position = 1; position <= ToolbarRules::Positions; ++position) {
        ImageButton* image = imageAt(position);
        if (!image)
            continue;
        image->setFirstPicture([image, position] {
            return Pictures::toolbar(pictureOf(position), Pictures::Normal,
                                     image->devicePixelRatioF());
        });
        connect(image, &ImageButton::mouseMoved, this,
                [this, position](QPoint at) { imageMouseMove(position, at); });
        connect(image, &ImageButton::mousePressed, this,
                [this, position](QPoint at) { imageMouseDown(position, at); });
        connect(image, &ImageButton::mouseReleased, this,
                [this, position] { imageMouseUp(position); });
    }
    for (ImageButton* image : {m_ui.imgStart, m_ui.imgStop}) {
        m_tags.insert(image, 0);
        const bool stop = image == m_ui.imgStop;
        image->setFirstPicture([image, stop] {
            return Pictures::startStop(stop, Pictures::Normal, image->devicePixelRatioF());
        });
        connect(image, &ImageButton::mouseMoved, this,
                [this, image] { startStopMouseMove(image); });
        connect(image, &ImageButton::mousePressed, this,
                [this, image] { startStopMouseDown(image); });
        connect(image, &ImageButton::mouseReleased, this,
                [this, image] { startStopMouseUp(image); });
    }
    for (QWidget* background :
         {m_ui.Toolbar1, m_ui.panmargin1, m_ui.panmarin2, m_ui.panBottomRight})
        background->installEventFilter(this);
}

ImageButton* ImageToolbar::imageAt(int position) const
{
    switch (position) {
    case 1:
        return m_ui.ibtnAddFile;
    case 2:
        return m_ui.ibtnAddDir;
    case 3:
        return m_ui.ibtnRemove;
    case 4:
        return m_ui.ibtnClear;
    case 5:
        return m_ui.ibtnSetting;
    case 8:
        return m_ui.ibtnAbout;
    case 9:
        return m_ui.ibtnHelp;
    default:
        return nullptr;
    }
}

void ImageToolbar::applyToolbarState(const QString& state)
{
    for (const ToolbarState::Draw& draw : m_state.apply(state)) {
        ImageButton* image = imageAt(draw.position);
        image->setPicture(Pictures::toolbar(pictureOf(draw.position),
                                            static_cast<Pictures::Look>(draw.look),
                                            image->devicePixelRatioF()));
        ++m_drawn;
    }
}

void ImageToolbar::imageMouseMove(int position, const QPoint& at)
{
    applyToolbarState(ToolbarRules::OnMove(position, at));
}

void ImageToolbar::imageMouseDown(int position, const QPoint& at)
{
    const QString pressed = ToolbarRules::OnPress(position, at);
    if (!pressed.isEmpty())
        applyToolbarState(pressed);
}

void ImageToolbar::imageMouseUp(int position)
{
    applyToolbarState(ToolbarRules::OnRelease(position));
}

void ImageToolbar::Toolbar1MouseMove()
{
    applyToolbarState(ToolbarRules::AllNormal());
}

int ImageToolbar::tag(const ImageButton* startOrStop) const
{
    return m_tags.value(startOrStop, 0);
}

void ImageToolbar::showStartStop(ImageButton* image, int tag)
{
    if (tag < 0)
        return;
    m_tags[image] = tag;
    image->setPicture(Pictures::startStop(image == m_ui.imgStop, static_cast<Pictures::Look>(tag),
                                          image->devicePixelRatioF()));
}

void ImageToolbar::startStopMouseMove(ImageButton* image)
{
    showStartStop(image, StartStopRules::OnMove(tag(image)));
}

void ImageToolbar::startStopMouseDown(ImageButton* image)
{
    showStartStop(image, StartStopRules::OnPress(tag(image)));
}

void ImageToolbar::startStopMouseUp(ImageButton* image)
{
    showStartStop(image, StartStopRules::OnRelease(tag(image)));
}

void ImageToolbar::panBottomRightMouseMove()
{
    for (ImageButton* image : {m_ui.imgStart, m_ui.imgStop})
        showStartStop(image, StartStopRules::OnStripMove(image->isVisible(), tag(image)));
}

bool ImageToolbar::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the toolbar or the strip altogether counts as moving off the images too; the
    // pointer may leave without crossing their background.
    const bool moved = event->type() == QEvent::MouseMove || event->type() == QEvent::Leave;
    if (moved && watched == m_ui.panBottomRight)
        panBottomRightMouseMove();
    else if (moved)
        Toolbar1MouseMove();
    return QObject::eventFilter(watched, event);
}
