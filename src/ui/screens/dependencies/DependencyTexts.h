#pragma once

#include "engine/inspection/FileDependencyReport.h"

#include <QString>

namespace velk::screens::deptext {

// A text in both languages: the view picks one.
struct Pair {
    QString zh;
    QString en;
    friend bool operator==(const Pair&, const Pair&) = default;
};

// The banner over a report: which of its four kinds ("inUse", "hardLink",
// "appManaged", "noneFound"), its colour role and symbol, and its texts.
struct Banner {
    QString kind;
    QString tone;
    QString symbol;
    Pair title;
    Pair body;
};
Banner banner(const inspection::FileDependencyReport& report);

// The symbol of an owner's kind, and the sentence that explains it.
struct OwnerLook {
    QString symbol;
    Pair sentence;
};
OwnerLook owner(const inspection::FileOwnerHint& hint);

// The badge of the folder a property list was found in.
Pair scope(inspection::LaunchReference::Scope scope);

// The line under the processes shown that counts those left out:
// "…还有 9800 个进程" / "… and 9800 more process(es)", in plain decimal.
Pair moreProcesses(qsizetype hidden);

} // namespace velk::screens::deptext
