#include "FileDrops.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {
bool carriesFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}
} // namespace

FileDrops::FileDrops(QWidget* window, Accepting accepting, Dropped dropped)
    : QObject(window), m_window(window), m_accepting(std::move(accepting)),
      m_dropped(std::move(dropped))
{
    m_window->setAcceptDrops(true);
    // Seen before any control's own drop handling, whichever control is under the pointer.
    qApp->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != m_window && !m_window->isAncestorOf(widget)))
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (!carriesFiles(drop->mimeData()))
        return false;
    // Refused while a batch runs, so such a drop never arrives.
    if (!m_accepting()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        m_dropped(drop->mimeData()->urls());
    return true;
}
