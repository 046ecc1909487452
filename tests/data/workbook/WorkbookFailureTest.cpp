// The reader never changes a workbook, and ends every kind of unreadable file in a data::Error.
#include "WorkbookFixtures.h"
#include "data/workbook/WorkbookFile.h"
#include "support/FileCopies.h"

#include <random>

using data::workbook::WorkbookFile;
using namespace test::workbook;
using test::contentsOf;
using test::writeFile;

namespace {

QString failureOf(const QString& path) {
    return test::readFailure<WorkbookFile>(path);
}

class WorkbookFailure : public WithMadeWorkbooks {
protected:
    QTemporaryDir dir;

    // The test workbook and the sample ones.
    QStringList workbooks() const {
        QStringList paths{madeWorkbook("types.xls")};
        for (const char* name : {"profiles.xls", "ragged.xls", "xf_class.xls", "issue20.xls"})
            paths << sharedWorkbook(name);
        return paths;
    }
};

TEST_F(WorkbookFailure, NamesAMissingFileAndRefusesWhatIsNotAWorkbook) {
    for (const QString& path : {dir.filePath("absent.xls"), dir.path()})
        EXPECT_EQ(failureOf(path), QString("Could not find file '%1'.").arg(path));
    for (const auto& [name, contents] :
         {std::pair{"notes.xls", QByteArray("Dear diary,\nthis is not a workbook.\n")},
          std::pair{"empty.xls", QByteArray()}, std::pair{"zeros.xls", QByteArray(4096, '\0')}}) {
        const QString path = writeFile(dir, name, contents);
        EXPECT_EQ(failureOf(path), QString("External table is not in the expected format: '%1' is "
                                           "not an Excel workbook (.xls).")
                                       .arg(path));
    }

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
        for (const double fraction : {0.01, 0.25, 0.5, 0.9}) {
            const auto length = static_cast<qsizetype>(whole.size() * fraction);
            for (const qsizetype cut : {length, length - length % 512}) {
                const QString path = writeFile(dir, "cut.xls", whole.left(cut));
                EXPECT_TRUE(failureOf(path).contains(path)) << workbook.toStdString() << " " << cut;
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
        for (int round = 0; round < 40; ++round) {
            QByteArray copy = whole;
            // A few bytes shift the records' framing, a kilobyte wipes whole records.
            const qsizetype span = round % 2 == 0 ? 4 : 1024;
            const auto offset = static_cast<qsizetype>(random() % whole.size());
            const auto length = std::min<qsizetype>(1 + random() % span, whole.size() - offset);
            for (qsizetype i = offset; i < offset + length; ++i)
                copy[i] = static_cast<char>(random() & 0xff);
            const QString path = writeFile(dir, "garbled.xls", copy);
            const QString failure = failureOf(path);
            EXPECT_TRUE(failure.isEmpty() || failure.contains(path)) << failure.toStdString();
        }
    }
}

TEST_F(WorkbookFailure, LeavesTheFileAndItsFolderUntouched) {
    const QString copy = writeFile(dir, "copy.xls", contentsOf(madeWorkbook("types.xls")));
    QFile(copy).setPermissions(QFileDevice::ReadOwner);
    const auto before = test::FileState::of(copy);
    EXPECT_GT(test::readEverything<WorkbookFile>(copy), 0);
    EXPECT_EQ(test::FileState::of(copy), before);
}

} // namespace
