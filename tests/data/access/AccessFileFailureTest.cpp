// The reader never changes a file, and ends every kind of unreadable file in a data::Error.
#include "AccessFixtures.h"
#include "data/access/AccessFile.h"
#include "support/FileCopies.h"

#include <random>

using data::access::AccessFile;
using namespace test::access;
using test::contentsOf;
using test::writeFile;

namespace {

QString failureOf(const QString& path) {
    return test::readFailure<AccessFile>(path);
}

class AccessFileFailure : public WithAccessFixtures {
protected:
    QTemporaryDir dir;
};

TEST_F(AccessFileFailure, NamesAMissingFileAndRefusesWhatIsNotADatabase) {
    for (const QString& path : {dir.filePath("absent.mdb"), dir.path()})
        EXPECT_EQ(failureOf(path), QString("Could not find file '%1'.").arg(path));

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
        for (const double fraction : {0.02, 0.1, 0.5, 0.9}) {
            const auto length = static_cast<qsizetype>(whole.size() * fraction);
            for (const qsizetype cut : {length, length - length % pageSize}) {
                const QString path = writeFile(dir, "cut.mdb", whole.left(cut));
                EXPECT_TRUE(failureOf(path).contains(path)) << fixture << " cut to " << cut;
            }
        }
    }
}

TEST_F(AccessFileFailure, ReportsGarbageInsteadOfPages) {
    const QByteArray whole = contentsOf(accessFixture("nwind.mdb"));
    constexpr int PageSize = 2048;
    std::mt19937 random(20240607);
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
        QByteArray copy = whole;
        for (qsizetype i = c.offset; i < c.offset + c.length; ++i)
            copy[i] = static_cast<char>(random() & 0xff);
        const QString failure = failureOf(writeFile(dir, "garbled.mdb", copy));
        EXPECT_TRUE(failure.contains("damaged")) << c.what << ": " << failure.toStdString();
    }
}

TEST_F(AccessFileFailure, LeavesTheFileAndItsFolderUntouched) {
    for (const char* fixture : {"nwind.mdb", "testV2000.mdb"}) {
        const auto sample = test::FileState::of(accessFixture(fixture));
        const QString copy = writeFile(dir, fixture, contentsOf(accessFixture(fixture)));
        const auto before = test::FileState::of(copy);
        EXPECT_GT(test::readEverything<AccessFile>(copy), 0);
        EXPECT_GT(test::readEverything<AccessFile>(accessFixture(fixture)), 0);
        EXPECT_EQ(test::FileState::of(copy), before) << fixture;
        EXPECT_EQ(test::FileState::of(accessFixture(fixture)), sample) << fixture;
    }
}

} // namespace
