#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <utility>
#include <vector>

// Points the ODBC driver manager at a driver list (odbcinst.ini) and data sources (odbc.ini) of
// the test's own for as long as it lives.
class TemporaryOdbcConfig {
public:
    explicit TemporaryOdbcConfig(const QString& drivers, const QString& sources = {}) {
        write("odbcinst.ini", drivers);
        write("odbc.ini", sources);
        set("ODBCSYSINI", QFile::encodeName(folder_.path()));
        set("ODBCINSTINI", "odbcinst.ini");
        set("ODBCINI", QFile::encodeName(folder_.filePath("odbc.ini")));
    }
    ~TemporaryOdbcConfig() {
        for (const auto& [name, value] : previous_)
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
    }

private:
    void write(const QString& name, const QString& contents) {
        QFile file(folder_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(contents.toUtf8());
    }
    void set(const char* name, const QByteArray& value) {
        previous_.emplace_back(name, qgetenv(name));
        qputenv(name, value);
    }

    QTemporaryDir folder_;
    std::vector<std::pair<const char*, QByteArray>> previous_;
};
