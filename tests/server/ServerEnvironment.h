#pragma once

#include "server/ServedDatabase.h"

// The server tests' data source: a served database (see ServedDatabase) holding the tables of
// sample-data.sql, started once per test process before the first test and stopped after the
// last. When the server cannot be set up, the process fails with the reason at the top of its
// output (a failure rather than a fatal one, which would make gtest report the tests as
// skipped).
