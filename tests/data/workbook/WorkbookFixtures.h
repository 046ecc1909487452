#pragma once

#include "data/AdoTypes.h"
#include "data/access/RecordingSink.h"
#include "support/Fixtures.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// The workbooks the reader's tests read: those the tests write themselves with python3-xlwt
// (make_workbooks.py), and the sample workbooks kept with the tests. A test that cannot have
// them fails.
namespace test::workbook {

// Each column of a sheet's table as name:kind, T for text, N number, B truth value, D date.
inline QString kindsOf(const access::LoadedTable& table) {
    using namespace data::ado;
    static const std::map<int, QString> kinds = {
        {adVarWChar, "T"}, {adDouble, "N"}, {adBoolean, "B"}, {adDate, "D"}};
    QStringList seen;
    for (const auto& column : table.definition.columns)
        seen << column.name + ":" + kinds.at(column.adoType);
    return seen.join(' ');
}

inline QString sharedWorkbook(const QString& name) {
    return test::fixture("workbooks/" + name);
}

class WithSharedWorkbooks : public ::testing::Test {
protected:
    void SetUp() override { requireFixture(QStringLiteral("workbooks/profiles.xls")); }
};

// Writes the test workbooks once for all the tests of a suite, with Debian's python, where
// python3-xlwt and python3-openpyxl are installed (another python3 may come first on the PATH):
// the .xls workbooks (make_workbooks.py), then the .xlsx ones (make_xlsx.py).
class WithMadeWorkbooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<QTemporaryDir>();
        problem_.clear();
        for (const char* script : {"make_workbooks.py", "make_xlsx.py"}) {
            QProcess python;
            python.start(QStringLiteral("/usr/bin/python3"),
                         {QStringLiteral(QUARRYMERE_TEST_SOURCES "/data/workbook/") + script,
                          folder_->path()});
            const bool ran = python.waitForFinished(-1) &&
                             python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
            if (!ran) {
                problem_ = "Cannot write the test workbooks with /usr/bin/python3, xlwt and "
                           "openpyxl (install python3-xlwt and python3-openpyxl): " +
                           QString::fromLocal8Bit(python.readAllStandardError() +
                                                  python.errorString().toLocal8Bit())
                               .toStdString();
                return;
            }
        }
    }
    static void TearDownTestSuite() { folder_.reset(); }

    void SetUp() override {
        if (!problem_.empty())
            FAIL() << problem_;
    }

    static QString madeWorkbook(const QString& name) { return folder_->filePath(name); }

private:
    static inline std::unique_ptr<QTemporaryDir> folder_;
    static inline std::string problem_;
};

} // namespace test::workbook
