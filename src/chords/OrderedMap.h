// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>

#include <utility>
#include <vector>

// A keyed container that iterates in insertion order, like the runtime's
// dictionary object: exact keys, unique, no removal.
template <typename K, typename V> class OrderedMap {
public:
    bool Exists(const K &key) const { return m_index.contains(key); }
    qsizetype Count() const { return static_cast<qsizetype>(m_entries.size()); }

    // Adds a new key; false (and no change) when the key is already there.
    bool Add(const K &key, const V &value) {
        if (m_index.contains(key)) {
            return false;
        }
        m_index.insert(key, Count());
        m_entries.emplace_back(key, value);
        return true;
    }

    // The item of key, or a default value when it is not there.
    V Item(const K &key) const {
        const auto it = m_index.constFind(key);
        return it == m_index.constEnd() ? V{} : m_entries[static_cast<size_t>(*it)].second;
    }

    void SetItem(const K &key, const V &value) {
        const auto it = m_index.constFind(key);
        if (it != m_index.constEnd()) {
            m_entries[static_cast<size_t>(*it)].second = value;
        }
    }

    const std::vector<std::pair<K, V>> &Entries() const { return m_entries; }

private:
    QHash<K, qsizetype> m_index;
    std::vector<std::pair<K, V>> m_entries;
};
