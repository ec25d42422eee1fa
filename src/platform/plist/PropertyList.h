#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>

// Reader of property lists, XML ("<plist>") and binary ("bplist00").
//
// Values come back as QVariant trees:
//   dict -> QVariantMap, array and set -> QVariantList, string -> QString,
//   integer -> qint64 (quint64 above its range), real -> double,
//   true/false -> bool, date -> QDateTime (UTC), data -> QByteArray,
//   a binary UID -> QVariantMap {"CF$UID": n}, as XML archives write it.
//
// A file that is not a well-formed property list gives no value; nothing in
// here recurses, so no input can exhaust the stack.
namespace velk::platform::plist {

// Files larger than this are not read.
inline constexpr qint64 kMaxBytes = 8 * 1024 * 1024;
// Containers nested deeper than this make the file invalid.
inline constexpr int kMaxDepth = 256;
// The values a file may make, counting every use of a shared binary object
// and every value an XML entity expands to, in proportion to its size: a
// list that shares nothing makes at most one value per byte, so sharing may
// multiply a file by kValuesPerByte (small files get kBaseValues) before it
// is invalid, and no file makes more than kMaxValues. A file built to double
// itself level by level is given up after a few thousand values.
inline constexpr qint64 kBaseValues = 4096;
inline constexpr qint64 kValuesPerByte = 8;
inline constexpr qint64 kMaxValues = qint64(1) << 21;
constexpr qint64 maxValues(qint64 fileBytes)
{
    const qint64 bytes = fileBytes < 0 ? 0 : fileBytes;
    return bytes >= (kMaxValues - kBaseValues) / kValuesPerByte ? kMaxValues : kBaseValues + kValuesPerByte * bytes;
}
// A tree whose strings, keys and data take more bytes than this once decoded
// (two per UTF-16 unit), counting every use of a shared binary object and
// every entity an XML list expands, is invalid.
inline constexpr qint64 kMaxDecodedBytes = qint64(32) << 20;
// No XML entity may expand to more characters than this.
inline constexpr int kMaxEntityExpansion = 4096;

std::optional<QVariant> parse(const QByteArray& bytes);
std::optional<QVariant> parseXml(const QByteArray& bytes);
std::optional<QVariant> parseBinary(const QByteArray& bytes);

// Reads and parses a regular file (links are followed); no value when the
// file is missing, not regular, unreadable, too large or not a property list.
std::optional<QVariant> readFile(const QString& path);

// The value as compact JSON: dates as ISO 8601 text, data as base64 text.
QByteArray toCompactJson(const QVariant& value);

} // namespace velk::platform::plist
