#pragma once

#include "engine/cleaning/RemovalFailure.h"
#include "ui/models/SystemWords.h"

#include <QList>

// What the failure alerts of the cleaners say about the items a removal
// left: each item with why it stayed, in both languages.
namespace velk::models::removalwords {

// Why an item stayed. A system error is named by its errno; one without a
// text of ours is shown with the system's own text in both languages.
WordPair reason(platform::files::RemovalReason reason, int error);

// The lines listing `failures`, one an item ("path: why"), the first
// kShownLines of them and then a line counting the rest, so that an alert
// stays within its window.
constexpr int kShownLines = 8;
WordPair failureLines(const QList<cleaning::RemovalFailure>& failures);

} // namespace velk::models::removalwords
