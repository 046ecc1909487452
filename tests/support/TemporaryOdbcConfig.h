#pragma once

#include <QFile>
#include <QTemporaryDir>

// Points the ODBC driver manager at a driver list (odbcinst.ini) and data sources (odbc.ini) of
// the test's own for as long as it lives.
class TemporaryOdbcConfig {
public:
    explicit TemporaryOdbcConfig(const QString& drivers, const QString& sources = {})
        : oldFolder_(qgetenv("ODBCSYSINI")), oldFile_(qgetenv("ODBCINSTINI")),
          oldSources_(qgetenv("ODBCINI")) {
        write("odbcinst.ini", drivers);
        write("odbc.ini", sources);
        qputenv("ODBCSYSINI", QFile::encodeName(folder_.path()));
        qputenv("ODBCINSTINI", "odbcinst.ini");
        qputenv("ODBCINI", QFile::encodeName(folder_.filePath("odbc.ini")));
    }
    ~TemporaryOdbcConfig() {
        restore("ODBCSYSINI", oldFolder_);
        restore("ODBCINSTINI", oldFile_);
        restore("ODBCINI", oldSources_);
    }

private:
    void write(const QString& name, const QString& contents) {
        QFile file(folder_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(contents.toUtf8());
    }
    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir folder_;
    QByteArray oldFolder_;
    QByteArray oldFile_;
    QByteArray oldSources_;
};
