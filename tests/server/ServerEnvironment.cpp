#include "server/ServerEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace test::server {

namespace {

QString sampleData() {
    QFile file(QStringLiteral(QUARRYMERE_SERVER_SQL));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot read " QUARRYMERE_SERVER_SQL);
    return QString::fromUtf8(file.readAll());
}

class ServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        try {
            served_ = std::make_unique<ServedDatabase>(sampleData());
        } catch (const std::exception& e) {
            ADD_FAILURE() << "The PostgreSQL server for the server tests could not be set up.\n"
                          << e.what();
        }
    }

    void TearDown() override { served_.reset(); }

private:
    std::unique_ptr<ServedDatabase> served_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

} // namespace

} // namespace test::server
