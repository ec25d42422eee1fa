#pragma once

#include "engine/inspection/FileDependencyReport.h"

#include <QVariantMap>

namespace velk::screens {

// A finished report as the sheet shows it, every text in both languages:
//   banner: kind, tone (a colour role), symbol, title, titleEnglish, body,
//           bodyEnglish;
//   processes: [{pid, command}]; launchItems: [{label, plistPath, scope,
//           scopeEnglish}], in the report's order;
//   owner (absent without one): name, symbol, sentence, sentenceEnglish and
//           appPath (empty without an application);
//   downloadedFrom: [address]; created, lastAccess: dates, absent when
//           unknown; hardLinkCount.
QVariantMap dependencyReportMap(const inspection::FileDependencyReport& report);

} // namespace velk::screens
