#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>

// The input report the window reads: ffprobe's JSON restated in the classic layout.
namespace ProbeReport {

// The whole report for `path` (echoed byte for byte), or empty when the JSON holds
// no format section, that is, ffprobe could not read the input.
QByteArray fromJson(const QByteArray& json, const QByteArray& path);
QByteArray fromJson(const QJsonObject& root, const QByteArray& path);

// "HH:MM:SS.cc" rounded to the nearest hundredth, or "N/A" when unknown.
QByteArray durationText(const QJsonValue& seconds);

// One "Stream #0.n: ..." line, without indentation or line break.
QByteArray streamLine(const QJsonObject& stream);

} // namespace ProbeReport
