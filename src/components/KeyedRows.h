#pragma once

#include <QBoxLayout>
#include <QPointer>
#include <QWidget>

#include <map>
#include <utility>
#include <vector>

namespace Dunmorra {

// Keeps one row widget per identity (pid, device id, ...) in a box layout,
// in the order of the latest list. A row whose key stays is updated in
// place, so hover, tooltips and animations survive a refresh; only new keys
// make rows and only vanished keys delete them.
template <typename Key, typename Row>
class KeyedRows {
public:
    // Rows go into layout from position offset on.
    explicit KeyedRows(QBoxLayout* layout, int offset = 0)
        : m_layout(layout)
        , m_offset(offset)
    {
    }

    // make(item) -> Row* (unparented or parented, the layout adopts it);
    // update(Row&, item, index) brings an existing or new row up to date.
    template <typename Items, typename KeyOf, typename Make, typename Update>
    void sync(const Items& items, KeyOf keyOf, Make make, Update update)
    {
        std::map<Key, QPointer<Row>> next;
        std::vector<Row*> order;
        int index = 0;
        for (const auto& item : items) {
            Key key = keyOf(item);
            if (next.count(key))
                continue; // a duplicate identity shows once
            Row* row = nullptr;
            auto found = m_rows.find(key);
            if (found != m_rows.end() && found->second) {
                row = found->second;
                m_rows.erase(found);
            } else {
                row = make(item);
            }
            update(*row, item, index++);
            next.emplace(std::move(key), row);
            order.push_back(row);
        }
        for (auto& [key, row] : m_rows)
            delete row.data();
        m_rows = std::move(next);
        for (int i = 0; i < static_cast<int>(order.size()); ++i) {
            Row* row = order[static_cast<std::size_t>(i)];
            if (m_layout->indexOf(row) != m_offset + i) {
                m_layout->removeWidget(row);
                m_layout->insertWidget(m_offset + i, row);
                row->show();
            }
        }
    }

    Row* row(const Key& key) const
    {
        auto it = m_rows.find(key);
        return it == m_rows.end() ? nullptr : it->second.data();
    }
    int size() const { return static_cast<int>(m_rows.size()); }

private:
    QBoxLayout* m_layout;
    int m_offset;
    std::map<Key, QPointer<Row>> m_rows;
};

} // namespace Dunmorra
