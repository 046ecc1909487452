#pragma once

#include <QString>
#include <stdexcept>

// Raised deep inside the reader when the file's structure does not hold together. The reader's
// public calls turn it into a data::Error that names the file (and the table being read).
namespace data::access {

class Damage : public std::runtime_error {
public:
    explicit Damage(const QString& detail)
        : std::runtime_error(detail.toStdString()), detail_(detail) {}

    const QString& detail() const { return detail_; }

private:
    QString detail_;
};

} // namespace data::access
