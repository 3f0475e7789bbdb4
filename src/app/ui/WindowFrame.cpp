#include "WindowFrame.h"

#include "ImageButton.h"
#include "SplitterBar.h"
#include "TMainFormUi.h"
#include "app/FrameRules.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

WindowFrame::WindowFrame(QWidget* form, const TMainFormUi& ui)
    : QObject(form), m_form(form), m_ui(ui)
{
    // The strip follows the task area also when the splitter bar changes its width. (The
    // window's own resize arrives before its layout has moved these two.)
    m_ui.panMain->installEventFilter(this);
    m_ui.panBottomRight->installEventFilter(this);
    m_form->installEventFilter(this);
    connect(m_ui.panSplitter, &SplitterBar::mouseMoved, this, &WindowFrame::panSplitterMouseMove);
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_ui.panMain || watched == m_ui.panBottomRight) &&
        event->type() == QEvent::Resize)
        FormResize();
    // Below its layout's minimum the pictures overlap and fields vanish; a window manager that
    // ignores the minimum (or none at all) may still make it that small. It grows back.
    if (watched == m_form && event->type() == QEvent::Resize && !m_form->isMinimized()) {
        const QSize least = m_form->minimumSizeHint();
        if (m_form->width() < least.width() || m_form->height() < least.height())
            QTimer::singleShot(0, m_form, [form = m_form, least] {
                form->resize(form->size().expandedTo(least));
            });
    }
    return QObject::eventFilter(watched, event);
}

void WindowFrame::FormResize()
{
    const BottomStrip strip = BottomStripFor(m_ui.panMain->width(), m_ui.panBottomRight->width());
    for (QWidget* image :
         {static_cast<QWidget*>(m_ui.imgStart), static_cast<QWidget*>(m_ui.imgStop)})
        image->move(strip.imageLeft, image->y());
    m_ui.panBottomCenter->resize(strip.rowWidth, m_ui.panBottomCenter->height());
    // The percent labels reach a little past the rows, into the gap before the picture: "100%"
    // would be cut at the rows' edge.
    m_ui.panBottomLeft->resize(
        std::max(strip.rowWidth, strip.percentLeft + m_ui.labCurProgress->width()),
        m_ui.panBottomLeft->height());

    m_ui.bbtnSetting->move(strip.settingLeft, m_ui.bbtnSetting->y());
    m_ui.cmbProfile->resize(strip.profileWidth, m_ui.cmbProfile->height());
    m_ui.bbtnOpen->move(strip.openLeft, m_ui.bbtnOpen->y());
    m_ui.bbtnBrowser->move(strip.browseLeft, m_ui.bbtnBrowser->y());
    m_ui.edtOutputdir->resize(strip.outputWidth, m_ui.edtOutputdir->height());

    for (QLabel* percent : {m_ui.labCurProgress, m_ui.labTotalProgress})
        percent->move(strip.percentLeft, percent->y());
    for (QProgressBar* bar : {m_ui.pgbCurrent, m_ui.pgbTotal})
        bar->resize(strip.barWidth, bar->height());
    m_ui.labConvertingFile->resize(strip.fileWidth, m_ui.labConvertingFile->height());
}

void WindowFrame::panSplitterMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                       int x)
{
    const int width = SplitterDragWidth(buttons, modifiers, x, m_ui.panProfile->width(),
                                        m_form->width() - m_ui.panSplitter->width());
    if (width >= 0)
        m_ui.panProfile->setFixedWidth(width);
}
