#pragma once

#include <QString>

namespace tree {

// Text as an SQL string literal: between single quotes, each quote inside written twice.
QString quoted(QString text);

} // namespace tree
