#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A scratch folder with helpers to put bytes into a file and read them back.
struct TempDir {
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        const QString file = path(name);
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return file;
    }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};
