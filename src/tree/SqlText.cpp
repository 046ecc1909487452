#include "tree/SqlText.h"

namespace tree {

QString quoted(QString text) {
    text.replace('\'', "''");
    return '\'' + text + '\'';
}

} // namespace tree
