#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace velk::test {

// A temporary folder that tests build fixture trees in; removed afterwards.
class TempTree {
public:
    TempTree() : m_dir(QDir::tempPath() + "/velk-test-XXXXXX") {}

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.path() + '/' + relative; }

    // Creates a file of `size` bytes (parents included); returns its path.
    QString file(const QString& relative, qint64 size = 0) const
    {
        const QString p = path(relative);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        if (size > 0)
            f.write(QByteArray(static_cast<qsizetype>(size), 'x'));
        return p;
    }

    // Creates a file of `size` bytes at an absolute path (its folder exists).
    static void writeFile(const QString& absolute, qint64 size)
    {
        QFile f(absolute);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        if (size > 0)
            f.write(QByteArray(static_cast<qsizetype>(size), 'x'));
    }

    QString fileWithContent(const QString& relative, const QByteArray& content) const
    {
        const QString p = path(relative);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return p;
    }

    QString dir(const QString& relative) const
    {
        const QString p = path(relative);
        QDir().mkpath(p);
        return p;
    }

    // Creates a symbolic link at `relative` pointing to `target`.
    QString link(const QString& relative, const QString& target) const
    {
        const QString p = path(relative);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile::link(target, p);
        return p;
    }

private:
    QTemporaryDir m_dir;
};

} // namespace velk::test
