#pragma once

#include <QString>

class QDBusConnection;

// Shows a short message in the desktop's notification area, under the program's name and
// icon, through the notification service on the given bus. Sent without waiting for an answer:
// where there is no such service the message is lost, quietly.
void SendDesktopNotice(const QDBusConnection& bus, const QString& summary, const QString& body);
