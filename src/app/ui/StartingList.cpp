#include "StartingList.h"

#include "AppContext.h"
#include "InputCommands.h"
#include "KeptQueue.h"

#include <QWidget>

void FillStartingList(const AppContext& context, KeptQueue& queue, InputCommands& inputs,
                      QWidget& gettingStarted)
{
    const auto restore = [&inputs](const QList<TaskRecord>& tasks) { inputs.restore(tasks); };
    const auto addArguments = [&context, &inputs] {
        inputs.AddCommandLineInputs(context.arguments, context.unreadableArguments);
    };
    if (context.keepsList && context.restoreWhileShowing && queue.mayHoldTasks()) {
        // The getting-started page would show for a moment before the tasks come.
        gettingStarted.hide();
        queue.restoreLater(restore, [&inputs, &gettingStarted, addArguments] {
            if (inputs.rows().rowCount() == 0)
                gettingStarted.show();
            addArguments();
        });
    } else {
        if (context.keepsList)
            queue.restore(restore);
        else
            queue.standAside();
        addArguments();
    }
}
