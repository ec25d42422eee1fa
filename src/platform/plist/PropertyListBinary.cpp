#include "platform/plist/PropertyList.h"
#include "platform/plist/PropertyListBuilder.h"

#include <QDateTime>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace velk::platform::plist {

namespace {

constexpr qint64 kHeaderSize = 8;
constexpr qint64 kTrailerSize = 32;
// Seconds from the Unix epoch to 2001-01-01T00:00:00Z, the dates' epoch.
constexpr double kDateEpochOffset = 978307200.0;

// Bounds-checked big-endian reads over the object area of one file.
class Bytes {
public:
    Bytes(const QByteArray& bytes, qint64 end) : m_data(bytes.constData()), m_end(end) {}

    bool has(quint64 pos, quint64 length) const
    {
        return pos <= quint64(m_end) && length <= quint64(m_end) - pos;
    }
    quint8 byte(quint64 pos) const { return static_cast<quint8>(m_data[pos]); }
    quint64 uint(quint64 pos, int width) const
    {
        quint64 v = 0;
        for (int i = 0; i < width; ++i)
            v = (v << 8) | byte(pos + i);
        return v;
    }
    const char* at(quint64 pos) const { return m_data + pos; }

private:
    const char* m_data;
    qint64 m_end;
};

struct Trailer {
    int offsetSize = 0;
    int refSize = 0;
    quint64 objectCount = 0;
    quint64 topObject = 0;
    quint64 offsetTable = 0;
};

std::optional<Trailer> readTrailer(const QByteArray& bytes)
{
    const qint64 size = bytes.size();
    if (size < kHeaderSize + 2 + kTrailerSize)
        return std::nullopt;
    const Bytes all(bytes, size);
    const quint64 t = quint64(size - kTrailerSize);
    Trailer trailer;
    trailer.offsetSize = all.byte(t + 6);
    trailer.refSize = all.byte(t + 7);
    trailer.objectCount = all.uint(t + 8, 8);
    trailer.topObject = all.uint(t + 16, 8);
    trailer.offsetTable = all.uint(t + 24, 8);
    if (trailer.offsetSize < 1 || trailer.offsetSize > 8 || trailer.refSize < 1 || trailer.refSize > 8)
        return std::nullopt;
    if (trailer.objectCount == 0 || trailer.topObject >= trailer.objectCount)
        return std::nullopt;
    if (trailer.offsetTable < quint64(kHeaderSize) + 1 || trailer.offsetTable > t)
        return std::nullopt;
    if (trailer.objectCount > (t - trailer.offsetTable) / quint64(trailer.offsetSize))
        return std::nullopt;
    return trailer;
}

class BinaryReader {
public:
    BinaryReader(const QByteArray& bytes, const Trailer& trailer)
        : m_all(bytes, bytes.size())
        , m_objects(bytes, bytes.size() - kTrailerSize)
        , m_trailer(trailer)
        , m_tree(maxValues(bytes.size()))
    {
    }

    std::optional<QVariant> run()
    {
        if (!enter(m_trailer.topObject))
            return std::nullopt;
        while (!m_path.empty()) {
            Open& top = m_path.back();
            if (top.next == top.count) {
                m_path.pop_back();
                if (!m_tree.close())
                    return std::nullopt;
                continue;
            }
            const quint64 i = top.next++;
            quint64 child = 0;
            if (top.isDict) {
                quint64 keyRef = 0;
                QVariant key;
                if (!ref(top.refs, i, &keyRef) || !scalar(keyRef, &key) || key.typeId() != QMetaType::QString
                    || !m_tree.key(key.toString()))
                    return std::nullopt;
                if (!ref(top.refs, top.count + i, &child))
                    return std::nullopt;
            } else if (!ref(top.refs, i, &child)) {
                return std::nullopt;
            }
            if (!enter(child))
                return std::nullopt;
        }
        return m_tree.result();
    }

private:
    // An array, set or dictionary being read: where its references start.
    struct Open {
        quint64 object = 0;
        bool isDict = false;
        quint64 count = 0;
        quint64 refs = 0;
        quint64 next = 0;
    };

    bool offsetOf(quint64 object, quint64* offset) const
    {
        if (object >= m_trailer.objectCount)
            return false;
        *offset = m_all.uint(m_trailer.offsetTable + object * quint64(m_trailer.offsetSize), m_trailer.offsetSize);
        return *offset >= quint64(kHeaderSize) && m_objects.has(*offset, 1);
    }

    bool ref(quint64 refsStart, quint64 index, quint64* object) const
    {
        const quint64 pos = refsStart + index * quint64(m_trailer.refSize);
        if (!m_objects.has(pos, quint64(m_trailer.refSize)))
            return false;
        *object = m_objects.uint(pos, m_trailer.refSize);
        return *object < m_trailer.objectCount;
    }

    // The element count of the object whose marker is at `offset`, and where
    // its payload starts.
    bool count(quint64 offset, quint64* n, quint64* payload) const
    {
        const quint8 low = m_objects.byte(offset) & 0x0F;
        if (low != 0x0F) {
            *n = low;
            *payload = offset + 1;
            return true;
        }
        const quint64 intAt = offset + 1;
        if (!m_objects.has(intAt, 1))
            return false;
        const quint8 marker = m_objects.byte(intAt);
        if ((marker & 0xF0) != 0x10 || (marker & 0x0F) > 3)
            return false;
        const int width = 1 << (marker & 0x0F);
        if (!m_objects.has(intAt + 1, quint64(width)))
            return false;
        *n = m_objects.uint(intAt + 1, width);
        if (width == 8 && *n > quint64(std::numeric_limits<qint64>::max()))
            return false;
        *payload = intAt + 1 + quint64(width);
        return true;
    }

    // Opens a container or adds a scalar for `object`.
    bool enter(quint64 object)
    {
        quint64 offset = 0;
        if (!offsetOf(object, &offset))
            return false;
        const quint8 kind = m_objects.byte(offset) >> 4;
        if (kind != 0xA && kind != 0xC && kind != 0xD) {
            QVariant v;
            return scalar(object, &v) && m_tree.value(std::move(v));
        }
        // An object met again on its own path is a cycle.
        if (std::any_of(m_path.begin(), m_path.end(), [object](const Open& o) { return o.object == object; }))
            return false;
        Open open;
        open.object = object;
        open.isDict = kind == 0xD;
        if (!count(offset, &open.count, &open.refs))
            return false;
        const quint64 refCount = open.isDict ? open.count * 2 : open.count;
        if ((open.isDict && open.count > std::numeric_limits<quint64>::max() / 2)
            || refCount > std::numeric_limits<quint64>::max() / quint64(m_trailer.refSize)
            || !m_objects.has(open.refs, refCount * quint64(m_trailer.refSize)))
            return false;
        if (!(open.isDict ? m_tree.openDict() : m_tree.openArray()))
            return false;
        m_path.push_back(open);
        return true;
    }

    bool scalar(quint64 object, QVariant* out) const
    {
        quint64 offset = 0;
        if (!offsetOf(object, &offset))
            return false;
        const quint8 marker = m_objects.byte(offset);
        const quint8 low = marker & 0x0F;
        switch (marker >> 4) {
        case 0x0:
            if (marker != 0x08 && marker != 0x09)
                return false;
            *out = QVariant(marker == 0x09);
            return true;
        case 0x1:
            return integer(offset, low, out);
        case 0x2: {
            if (low != 2 && low != 3)
                return false;
            const int width = 1 << low;
            if (!m_objects.has(offset + 1, quint64(width)))
                return false;
            const quint64 bits = m_objects.uint(offset + 1, width);
            *out = QVariant(low == 2 ? double(std::bit_cast<float>(quint32(bits))) : std::bit_cast<double>(bits));
            return true;
        }
        case 0x3: {
            if (marker != 0x33 || !m_objects.has(offset + 1, 8))
                return false;
            const double seconds = std::bit_cast<double>(m_objects.uint(offset + 1, 8));
            // Keep to what a date can hold: +/- 100 million days.
            if (!std::isfinite(seconds) || std::fabs(seconds) > 8.64e15)
                return false;
            const auto msecs = static_cast<qint64>(std::llround((seconds + kDateEpochOffset) * 1000.0));
            *out = QVariant(QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC));
            return true;
        }
        case 0x4:
        case 0x5:
        case 0x6: {
            quint64 n = 0;
            quint64 payload = 0;
            if (!count(offset, &n, &payload))
                return false;
            const bool wide = (marker >> 4) == 0x6;
            if ((wide && n > std::numeric_limits<quint64>::max() / 2) || !m_objects.has(payload, wide ? n * 2 : n))
                return false;
            // Within the file, so n is small; a string takes two bytes a
            // character. Every use of a shared object is decoded anew.
            if (!m_tree.fits((marker >> 4) == 0x4 ? qint64(n) : 2 * qint64(n)))
                return false;
            const char* p = m_objects.at(payload);
            if ((marker >> 4) == 0x4) {
                *out = QVariant(QByteArray(p, qsizetype(n)));
            } else if (!wide) {
                *out = QVariant(QString::fromLatin1(p, qsizetype(n)));
            } else {
                QString s(qsizetype(n), Qt::Uninitialized);
                for (quint64 i = 0; i < n; ++i)
                    s[qsizetype(i)] = QChar(char16_t(m_objects.uint(payload + i * 2, 2)));
                *out = QVariant(s);
            }
            return true;
        }
        case 0x8: {
            const int width = low + 1;
            if (width > 8 || !m_objects.has(offset + 1, quint64(width)))
                return false;
            *out = QVariant(QVariantMap{{QStringLiteral("CF$UID"), QVariant(m_objects.uint(offset + 1, width))}});
            return true;
        }
        default:
            return false;  // containers are not scalars; other markers are not defined
        }
    }

    // Integers of 1, 2 and 4 bytes are unsigned, of 8 bytes signed; 16-byte
    // integers hold an unsigned 64-bit value or a sign-extended negative one.
    bool integer(quint64 offset, quint8 low, QVariant* out) const
    {
        if (low > 4)
            return false;
        const int width = 1 << low;
        if (!m_objects.has(offset + 1, quint64(width)))
            return false;
        if (width < 8) {
            *out = QVariant(qint64(m_objects.uint(offset + 1, width)));
            return true;
        }
        if (width == 8) {
            *out = QVariant(static_cast<qint64>(m_objects.uint(offset + 1, 8)));
            return true;
        }
        const quint64 high = m_objects.uint(offset + 1, 8);
        const quint64 lowWord = m_objects.uint(offset + 9, 8);
        if (high == 0) {
            *out = lowWord > quint64(std::numeric_limits<qint64>::max()) ? QVariant(lowWord)
                                                                          : QVariant(qint64(lowWord));
            return true;
        }
        if (high == ~quint64(0) && (lowWord >> 63) != 0) {
            *out = QVariant(static_cast<qint64>(lowWord));
            return true;
        }
        return false;
    }

    Bytes m_all;
    Bytes m_objects;
    Trailer m_trailer;
    std::vector<Open> m_path;
    TreeBuilder m_tree;
};

} // namespace

std::optional<QVariant> parseBinary(const QByteArray& bytes)
{
    if (bytes.size() > kMaxBytes || !bytes.startsWith("bplist00"))
        return std::nullopt;
    const std::optional<Trailer> trailer = readTrailer(bytes);
    if (!trailer)
        return std::nullopt;
    return BinaryReader(bytes, *trailer).run();
}

} // namespace velk::platform::plist
