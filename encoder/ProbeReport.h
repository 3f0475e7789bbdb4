#pragma once

#include "InputFacts.h"

#include <QByteArray>

#include <optional>

// The input report the window reads, in the classic layout.
namespace ProbeReport {

// The whole report for `path`, which is echoed byte for byte.
QByteArray text(const InputFacts& facts, const QByteArray& path);

// "HH:MM:SS.cc" rounded to the nearest hundredth, or "N/A" when unknown.
QByteArray durationText(std::optional<qint64> microseconds);

// Seconds with six decimals, as in "start: -0.040000".
QByteArray startText(qint64 microseconds);

// One "Stream #0.n: ..." line, without indentation or line break.
QByteArray streamLine(const InputFacts::Stream& stream);

} // namespace ProbeReport
