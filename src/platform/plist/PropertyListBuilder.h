#pragma once

#include "platform/plist/PropertyList.h"

#include <QVariantList>
#include <QVariantMap>
#include <vector>

namespace velk::platform::plist {

// Builds a value tree from a flat stream of events (open a container, give a
// key, add a value, close), so the parsers need no recursion. Enforces the
// depth, value-count and decoded-bytes limits; once a limit or a misuse is
// met the builder stays failed.
class TreeBuilder {
public:
    // `maxValues` bounds the values the tree may hold (see maxValues()).
    explicit TreeBuilder(qint64 maxValues) : m_maxValues(maxValues) {}

    bool failed() const { return m_failed; }
    int depth() const { return static_cast<int>(m_stack.size()); }
    bool done() const { return m_haveRoot && m_stack.empty() && !m_failed; }
    // The open container is a dictionary still waiting for its next key.
    bool wantsKey() const { return !m_stack.empty() && m_stack.back().isDict && !m_stack.back().hasKey; }

    bool openArray() { return open(false); }
    bool openDict() { return open(true); }

    // Whether `bytes` more decoded bytes keep the tree within its limit; a
    // reader asks before it decodes a value, so that no value over the limit
    // is ever made.
    bool fits(qint64 bytes) const { return bytes >= 0 && bytes <= kMaxDecodedBytes - m_bytes; }

    bool key(const QString& k)
    {
        if (!wantsKey() || !spend(2 * qint64(k.size())))
            return fail();
        m_stack.back().key = k;
        m_stack.back().hasKey = true;
        return true;
    }

    bool value(QVariant v)
    {
        if (m_failed || !countOne() || !spend(decodedBytes(v)))
            return fail();
        return deliver(std::move(v));
    }

    // Closes the innermost container; a dictionary may not end after a key.
    bool close()
    {
        if (m_failed || m_stack.empty() || m_stack.back().hasKey)
            return fail();
        Frame frame = std::move(m_stack.back());
        m_stack.pop_back();
        return deliver(frame.isDict ? QVariant(frame.map) : QVariant(frame.list));
    }

    std::optional<QVariant> result() const
    {
        if (!done())
            return std::nullopt;
        return m_root;
    }

private:
    struct Frame {
        bool isDict = false;
        bool hasKey = false;
        QString key;
        QVariantList list;
        QVariantMap map;
    };

    bool fail()
    {
        m_failed = true;
        return false;
    }

    bool countOne() { return ++m_values <= m_maxValues; }

    bool spend(qint64 bytes)
    {
        if (!fits(bytes))
            return false;
        m_bytes += bytes;
        return true;
    }

    static qint64 decodedBytes(const QVariant& v)
    {
        if (v.typeId() == QMetaType::QString)
            return 2 * qint64(v.toString().size());
        if (v.typeId() == QMetaType::QByteArray)
            return qint64(v.toByteArray().size());
        return 0;
    }

    bool open(bool isDict)
    {
        if (m_failed || (m_stack.empty() && m_haveRoot) || (!m_stack.empty() && wantsKey()))
            return fail();
        if (depth() >= kMaxDepth || !countOne())
            return fail();
        Frame frame;
        frame.isDict = isDict;
        m_stack.push_back(std::move(frame));
        return true;
    }

    bool deliver(QVariant v)
    {
        if (m_stack.empty()) {
            if (m_haveRoot)
                return fail();
            m_root = std::move(v);
            m_haveRoot = true;
            return true;
        }
        Frame& top = m_stack.back();
        if (top.isDict) {
            if (!top.hasKey)
                return fail();
            top.map.insert(top.key, std::move(v));
            top.hasKey = false;
        } else {
            top.list.append(std::move(v));
        }
        return true;
    }

    std::vector<Frame> m_stack;
    QVariant m_root;
    qint64 m_maxValues;
    qint64 m_values = 0;
    qint64 m_bytes = 0;
    bool m_haveRoot = false;
    bool m_failed = false;
};

} // namespace velk::platform::plist
