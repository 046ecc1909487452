#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// The one kind of failure the program raises: an operation that cannot be carried out stops
// with a description meant for the user, which the handler at the top shows under "Error!".
class Error : public std::runtime_error {
public:
    explicit Error(const QString& description)
        : std::runtime_error(description.toStdString()), description_(description) {}

    const QString& description() const { return description_; }

private:
    QString description_;
};

} // namespace data
