// The reader never changes a file, and ends every kind of unreadable file in a data::Error.
#include "AccessFixtures.h"
#include "RecordingSink.h"
#include "data/Error.h"
#include "data/access/AccessFile.h"
#include "support/DataFailure.h"
#include "support/FileCopies.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <random>

using data::access::AccessFile;
using namespace test::access;

using test::contentsOf;
using test::writeFile;

namespace {

// Opens the file and reads every row of every table.
long readEverything(const QString& path) {
    AccessFile file(path);
    CountingSink sink;
    for (const QString& name : file.tableNames()) {
        file.describe(name);
        file.load(name, sink);
    }
    return sink.rows;
}

// The description of the data::Error reading the file ends in; empty when it reads cleanly.
QString failureOf(const QString& path) {
    return test::readFailure([&] { readEverything(path); });
}

QByteArray sha256(const QString& path) {
    return QCryptographicHash::hash(contentsOf(path), QCryptographicHash::Sha256);
}

class AccessFileFailure : public WithAccessFixtures {
protected:
    QTemporaryDir dir;
};

TEST_F(AccessFileFailure, NamesAMissingFile) {
    const QString path = dir.filePath("absent.mdb");
    EXPECT_EQ(failureOf(path), QString("Could not find file '%1'.").arg(path));
    EXPECT_EQ(failureOf(dir.path()), QString("Could not find file '%1'.").arg(dir.path()));
}

TEST_F(AccessFileFailure, RefusesWhatIsNotADatabase) {
    QByteArray wrongVersion = contentsOf(accessFixture("testV2000.mdb"));
    wrongVersion[0x14] = 0x42;
    for (const auto& [name, contents] :
         {std::pair{"notes.mdb", QByteArray("Dear diary,\nthis is not a database.\n")},
          std::pair{"empty.mdb", QByteArray()}, std::pair{"future.accdb", wrongVersion}}) {
        const QString path = writeFile(dir, name, contents);
        EXPECT_EQ(failureOf(path), QString("Unrecognized database format '%1'.").arg(path));
    }
}

TEST_F(AccessFileFailure, ReportsCopiesCutShort) {
    for (const char* fixture : {"nwind.mdb", "testV2000.mdb", "DateTestDatabase.mdb"}) {
        const QByteArray whole = contentsOf(accessFixture(fixture));
        const int pageSize = whole.at(0x14) == 0 ? 2048 : 4096;
        for (const double fraction : {0.02, 0.1, 1.0 / 3, 0.5, 2.0 / 3, 0.9}) {
            const auto length = static_cast<qsizetype>(whole.size() * fraction);
            for (const qsizetype cut : {length, length - length % pageSize}) {
                const QString path = writeFile(dir, "cut.mdb", whole.left(cut));
                const QString failure = failureOf(path);
                EXPECT_FALSE(failure.isEmpty()) << fixture << " cut to " << cut << " bytes";
                EXPECT_TRUE(failure.contains(path)) << failure.toStdString();
            }
        }
    }
}

TEST_F(AccessFileFailure, ReportsGarbageInsteadOfPages) {
    const QByteArray whole = contentsOf(accessFixture("nwind.mdb"));
    constexpr int PageSize = 2048;
    std::mt19937 random(20240607);
    const auto garbled = [&](qsizetype offset, qsizetype length) {
        QByteArray copy = whole;
        for (qsizetype i = offset; i < offset + length; ++i)
            copy[i] = static_cast<char>(random() & 0xff);
        return writeFile(dir, "garbled.mdb", copy);
    };
    const struct {
        const char* what;
        qsizetype offset;
        qsizetype length;
    } cases[] = {
        {"the middle of the file", whole.size() / 2, 64 * 1024},
        {"the catalog's definition", 2 * PageSize, PageSize},
        {"the catalog's rows", 18 * PageSize, 4 * PageSize},
        {"the Orders table's definition", 449 * PageSize, PageSize},
        {"a third of the file", whole.size() / 3, whole.size() / 3},
    };
    for (const auto& c : cases) {
        const QString failure = failureOf(garbled(c.offset, c.length));
        EXPECT_TRUE(failure.contains("damaged")) << c.what << ": " << failure.toStdString();
    }
}

TEST_F(AccessFileFailure, LeavesTheFileAndItsFolderUntouched) {
    for (const char* fixture : {"nwind.mdb", "testV2000.mdb"}) {
        const QByteArray fixtureSum = sha256(accessFixture(fixture));
        const QString copy = writeFile(dir, fixture, contentsOf(accessFixture(fixture)));
        const QByteArray before = sha256(copy);
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        const QDateTime modifiedBefore = QFileInfo(copy).lastModified();

        EXPECT_GT(readEverything(copy), 0);
        EXPECT_GT(readEverything(accessFixture(fixture)), 0);

        EXPECT_EQ(sha256(copy), before) << fixture;
        EXPECT_EQ(QFileInfo(copy).lastModified(), modifiedBefore) << fixture;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), filesBefore);
        EXPECT_EQ(sha256(accessFixture(fixture)), fixtureSum) << fixture;
    }
}

} // namespace
