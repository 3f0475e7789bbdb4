#pragma once

#include <QByteArray>
#include <QString>

// The small profile the panel and argument tests share: three Video rows (read-only codec,
// a size pick list, an editable bit rate) and one Audio pick list.
QByteArray ExampleProfileText();

// Writes it as folder/Profiles/<name>.cvp and returns the path.
QString WriteExampleProfile(const QString& programFolder, const QString& name,
                            const QByteArray& text = ExampleProfileText());
