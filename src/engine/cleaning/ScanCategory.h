#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/ScanCategoryID.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace velk::cleaning {

// Where one category's scan stands. Nothing in the junk feature sets `error`;
// the screens show it when present.
class ScanState {
public:
    enum class Kind { error, idle, scanning, done };

    static ScanState error(QString message) { return ScanState(Kind::error, std::move(message)); }
    static ScanState idle() { return ScanState(Kind::idle); }
    static ScanState scanning() { return ScanState(Kind::scanning); }
    static ScanState done() { return ScanState(Kind::done); }

    Kind kind() const { return m_kind; }
    // The text an `error` state carries; empty otherwise.
    const QString& errorMessage() const { return m_message; }

    bool operator==(const ScanState&) const = default;

private:
    explicit ScanState(Kind kind, QString message = {}) : m_kind(kind), m_message(std::move(message)) {}

    Kind m_kind;
    QString m_message;
};

// One junk category with the items found for it.
struct ScanCategory {
    explicit ScanCategory(ScanCategoryID categoryId) : id(categoryId) {}

    ScanCategoryID id;
    std::vector<FileItem> items;  // largest first, as the scanner returns them
    ScanState scanState = ScanState::idle();

    bool isScanning() const { return scanState.kind() == ScanState::Kind::scanning; }
    bool isDone() const { return scanState.kind() == ScanState::Kind::done; }

    std::vector<FileItem> selectedItems() const;
    std::int64_t totalSize() const;
    std::int64_t selectedSize() const;
    QString formattedTotalSize() const;

    // True when at least one item is selected.
    bool isSelected() const;
    // Selects or clears every item; a list already all at `selected` is left alone.
    void setSelected(bool selected);
};

} // namespace velk::cleaning
