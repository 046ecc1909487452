// The reader never changes a workbook, and ends every kind of unreadable file in a data::Error.
#include "WorkbookFixtures.h"
#include "data/Error.h"
#include "data/access/RecordingSink.h"
#include "data/workbook/WorkbookFile.h"
#include "support/DataFailure.h"
#include "support/FileCopies.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <random>

using data::workbook::WorkbookFile;
using namespace test::workbook;

using test::contentsOf;
using test::writeFile;

namespace {

// Opens the workbook and reads every row of every worksheet that holds cells.
long readEverything(const QString& path) {
    WorkbookFile file(path);
    test::access::CountingSink sink;
    for (const QString& name : file.tableNames()) {
        try {
            file.describe(name);
        } catch (const data::Error& error) {
            if (error.description().endsWith("holds no cells."))
                continue;
            throw;
        }
        file.load(name, sink);
    }
    return sink.rows;
}

// The description of the data::Error reading the file ends in; empty when it reads cleanly.
QString failureOf(const QString& path) {
    return test::readFailure([&] { readEverything(path); });
}

class WorkbookFailure : public WithMadeWorkbooks {
protected:
    QTemporaryDir dir;

    // The test workbook and, when they are here, the shared ones.
    QStringList workbooks() const {
        QStringList paths{madeWorkbook("types.xls")};
        for (const char* name : {"profiles.xls", "ragged.xls", "xf_class.xls", "issue20.xls"})
            if (QFileInfo::exists(sharedWorkbook(name)))
                paths << sharedWorkbook(name);
        return paths;
    }
};

TEST_F(WorkbookFailure, NamesAMissingFile) {
    const QString path = dir.filePath("absent.xls");
    EXPECT_EQ(failureOf(path), QString("Could not find file '%1'.").arg(path));
    EXPECT_EQ(failureOf(dir.path()), QString("Could not find file '%1'.").arg(dir.path()));
}

TEST_F(WorkbookFailure, RefusesWhatIsNotAWorkbook) {
    for (const auto& [name, contents] :
         {std::pair{"notes.xls", QByteArray("Dear diary,\nthis is not a workbook.\n")},
          std::pair{"empty.xls", QByteArray()}, std::pair{"zeros.xls", QByteArray(4096, '\0')}}) {
        const QString path = writeFile(dir, name, contents);
        EXPECT_EQ(failureOf(path),
                  QString("External table is not in the expected format: '%1' is not an Excel "
                          "workbook (.xls).")
                      .arg(path));
    }
}

TEST_F(WorkbookFailure, RefusesAWorkbookProtectedByAPassword) {
    // The code page record (1200, UTF-16) made the record that marks a protected workbook.
    QByteArray contents = contentsOf(madeWorkbook("types.xls"));
    const qsizetype codePage = contents.indexOf(QByteArray::fromHex("42000200b004"));
    ASSERT_GE(codePage, 0);
    contents[codePage] = 0x2F;
    const QString path = writeFile(dir, "secret.xls", contents);
    EXPECT_EQ(
        failureOf(path),
        QString("The workbook '%1' is protected by a password and cannot be read.").arg(path));
}

TEST_F(WorkbookFailure, ReportsCopiesCutShort) {
    for (const QString& workbook : workbooks()) {
        const QByteArray whole = contentsOf(workbook);
        for (const double fraction : {0.01, 0.1, 0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.8, 0.9}) {
            const auto length = static_cast<qsizetype>(whole.size() * fraction);
            for (const qsizetype cut : {length, length - length % 512}) {
                const QString path = writeFile(dir, "cut.xls", whole.left(cut));
                const QString failure = failureOf(path);
                EXPECT_FALSE(failure.isEmpty()) << workbook.toStdString() << " cut to " << cut;
                EXPECT_TRUE(failure.contains(path)) << failure.toStdString();
            }
        }
    }
}

// Random bytes over parts of a workbook may leave it readable, if wrong; what matters is that
// reading ends, in rows or in a data::Error, and never in a crash (FreeXL alone crashes on some).
TEST_F(WorkbookFailure, SurvivesGarbageInsteadOfItsParts) {
    std::mt19937 random(20240607);
    for (const QString& workbook : workbooks()) {
        const QByteArray whole = contentsOf(workbook);
        for (int round = 0; round < 60; ++round) {
            QByteArray copy = whole;
            // A few bytes shift the records' framing, a kilobyte wipes whole records.
            const qsizetype span = round % 2 == 0 ? 4 : 1024;
            const auto offset = static_cast<qsizetype>(random() % whole.size());
            const auto length = std::min<qsizetype>(1 + random() % span, whole.size() - offset);
            for (qsizetype i = offset; i < offset + length; ++i)
                copy[i] = static_cast<char>(random() & 0xff);
            const QString path = writeFile(dir, "garbled.xls", copy);
            const QString failure = failureOf(path);
            if (!failure.isEmpty()) {
                EXPECT_TRUE(failure.contains(path)) << failure.toStdString();
            }
        }
    }
}

TEST_F(WorkbookFailure, LeavesTheFileAndItsFolderUntouched) {
    const QString copy = writeFile(dir, "copy.xls", contentsOf(madeWorkbook("types.xls")));
    const QByteArray before =
        QCryptographicHash::hash(contentsOf(copy), QCryptographicHash::Sha256);
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QDateTime modifiedBefore = QFileInfo(copy).lastModified();
    QFile(copy).setPermissions(QFileDevice::ReadOwner);

    EXPECT_GT(readEverything(copy), 0);

    EXPECT_EQ(QCryptographicHash::hash(contentsOf(copy), QCryptographicHash::Sha256), before);
    EXPECT_EQ(QFileInfo(copy).lastModified(), modifiedBefore);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), filesBefore);
}

} // namespace
