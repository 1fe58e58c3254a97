#include "folders/FolderListing.h"

#include <algorithm>
#include <numeric>

namespace Dunmorra {

FolderListing::FolderListing(QList<FolderItem> items)
    : m_items(std::move(items))
{
    m_ranks.resize(m_items.size());
    m_listedIndex.reserve(m_items.size());
    for (int i = 0; i < m_items.size(); ++i) {
        m_ranks[i].listed = i;
        m_listedIndex.insert(m_items[i].path, i);
    }
    sort();
}

bool FolderListing::applySize(const QByteArray& path, const Size& size)
{
    const auto it = m_listedIndex.constFind(path);
    if (it == m_listedIndex.cend())
        return false;
    const int row = m_rowOfListed[*it];
    FolderItem& item = m_items[row];
    item.sizeBytes = size.totalBytes;
    item.childCount = size.fileCount;
    item.isUnreadable = size.unreadable;
    item.isIncomplete = size.incomplete;
    m_ranks[row].arrival = ++m_arrivals;
    return true;
}

void FolderListing::sort()
{
    const auto n = static_cast<std::size_t>(m_items.size());
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    const auto sizeOf = [this](int row) { return m_items[row].sizeBytes.value_or(0); };
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const quint64 sa = sizeOf(a), sb = sizeOf(b);
        if (sa != sb)
            return sa > sb;
        const Rank& ra = m_ranks[a];
        const Rank& rb = m_ranks[b];
        if (sa != 0 && ra.arrival != rb.arrival)
            return ra.arrival < rb.arrival;
        return ra.listed < rb.listed;
    });

    QList<FolderItem> items;
    items.reserve(m_items.size());
    std::vector<Rank> ranks(n);
    m_rowOfListed.assign(n, 0);
    for (std::size_t row = 0; row < n; ++row) {
        items.append(std::move(m_items[order[row]]));
        ranks[row] = m_ranks[order[row]];
        m_rowOfListed[ranks[row].listed] = static_cast<int>(row);
    }
    m_items = std::move(items);
    m_ranks = std::move(ranks);
}

} // namespace Dunmorra
