#include "MediaModule.h"

#include "base/FwError.h"
#include "base/PathText.h"

#include <QCoreApplication>
#include <QLibrary>

std::unique_ptr<MediaGraph> CreateMediaGraph(const QString& folder, QWidget* videoArea,
                                             const MediaGraph::Events& events)
{
    // Never unloaded: the framework keeps threads and types of its own until the process ends.
    const QString where = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
    QLibrary module(WithBackslash(where) + QStringLiteral("fwmedia"));
    const auto create =
        reinterpret_cast<CreateMediaGraphFunction>(module.resolve(CreateMediaGraphSymbol));
    if (!create)
        throw FwError(QStringLiteral("The media framework could not be loaded: ") +
                      module.errorString());
    return std::unique_ptr<MediaGraph>(create(videoArea, events));
}
