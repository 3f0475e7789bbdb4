#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The small profile the panel and argument tests share: three Video rows (read-only codec,
// a size pick list, an editable bit rate) and one Audio pick list.
QStringList ExampleProfileLines();
QByteArray ExampleProfileText(); // the lines, each ended by CR LF

// Writes it as folder/Profiles/<name>.cvp and returns the path.
QString WriteExampleProfile(const QString& programFolder, const QString& name,
                            const QByteArray& text = ExampleProfileText());
