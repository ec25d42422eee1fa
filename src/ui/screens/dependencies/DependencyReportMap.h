#pragma once

#include "engine/inspection/FileDependencyReport.h"

#include <QVariantMap>

namespace velk::screens {

// The processes a report lists by name at most; a line counts the rest.
inline constexpr qsizetype kShownProcesses = 200;

// A finished report as the sheet shows it, every text in both languages:
//   banner: kind, tone (a colour role), symbol, title, titleEnglish, body,
//           bodyEnglish;
//   processes: [{pid, command}], the first kShownProcesses holders;
//   processCount: all holders; moreProcesses, moreProcessesEnglish: the
//           line that counts those not listed, absent when all are;
//   launchItems: [{label, plistPath, scope, scopeEnglish}];
//   lists in the report's order;
//   owner (absent without one): name, symbol, sentence, sentenceEnglish and
//           appPath (empty without an application);
//   downloadedFrom: [address]; created, lastAccess: dates, absent when
//           unknown; hardLinkCount.
QVariantMap dependencyReportMap(const inspection::FileDependencyReport& report);

} // namespace velk::screens
