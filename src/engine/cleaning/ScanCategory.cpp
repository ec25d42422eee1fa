#include "engine/cleaning/ScanCategory.h"

#include "common/format/Formatting.h"

#include <algorithm>

namespace velk::cleaning {

std::vector<FileItem> ScanCategory::selectedItems() const
{
    std::vector<FileItem> selected;
    std::copy_if(items.begin(), items.end(), std::back_inserter(selected),
                 [](const FileItem& item) { return item.isSelected; });
    return selected;
}

std::int64_t ScanCategory::totalSize() const
{
    std::int64_t total = 0;
    for (const FileItem& item : items)
        total += item.size;
    return total;
}

std::int64_t ScanCategory::selectedSize() const
{
    std::int64_t total = 0;
    for (const FileItem& item : items) {
        if (item.isSelected)
            total += item.size;
    }
    return total;
}

QString ScanCategory::formattedTotalSize() const
{
    return fmt::byteCount(totalSize(), fmt::ByteStyle::File);
}

bool ScanCategory::isSelected() const
{
    return std::any_of(items.begin(), items.end(), [](const FileItem& item) { return item.isSelected; });
}

void ScanCategory::setSelected(bool selected)
{
    if (std::all_of(items.begin(), items.end(), [&](const FileItem& item) { return item.isSelected == selected; }))
        return;
    for (FileItem& item : items)
        item.isSelected = selected;
}

} // namespace velk::cleaning
