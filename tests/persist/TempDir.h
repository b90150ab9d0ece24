#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A scratch folder with helpers to put bytes into a file and read them back.
struct TTempDir {
    QTemporaryDir Dir;

    QString Path(const QString &name) const { return Dir.filePath(name); }

    QString Write(const QString &name, const QByteArray &bytes) const
    {
        const QString file = Path(name);
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return file;
    }

    static QByteArray Read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};
