// quarrymere-fuzz: feeds the program's readers and its Jet SQL engine mutated copies of seed
// inputs for a set time. Built with the sanitizers (make fuzz), a memory fault, undefined
// behaviour, runaway memory or an input that runs too long stops the process; the input that
// did it is then the file FINDINGS/last-input, which make fuzz keeps.
//
//   quarrymere-fuzz --target access|workbook|xlsx|jet --seconds N --findings DIR SEED...
//
// SEED: files or folders of seed inputs (for jet, files of statements, one a line).
#include "Mutation.h"
#include "Targets.h"
#include "app/ProcessStart.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <csignal>
#include <unistd.h>
#include <vector>

namespace {

// One input may take this long before it counts as a hang.
constexpr unsigned InputSeconds = 20;

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The seeds: every file under the paths given; for statements, every line of them.
std::vector<QByteArray> seedsFrom(const QStringList& paths, bool lines) {
    std::vector<QByteArray> seeds;
    auto add = [&](const QString& file) {
        const QByteArray bytes = contentsOf(file);
        if (!lines) {
            if (!bytes.isEmpty())
                seeds.push_back(bytes);
            return;
        }
        for (const QByteArray& line : bytes.split('\n'))
            if (!line.trimmed().isEmpty())
                seeds.push_back(line);
    };
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir()) {
            QDirIterator files(path, QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext())
                add(files.next());
        } else {
            add(path);
        }
    }
    return seeds;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    // Written through to the system before the input runs, so that it outlives the process.
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace

int main(int argc, char** argv) {
    app::ProcessStart start(argc, argv, app::ProcessStart::Platform::None,
                            app::ProcessStart::SettingsStore::User);
    QCoreApplication& application = start.application();
    QTextStream err(stderr);

    QString target, findings;
    int seconds = 60;
    QStringList seedPaths;
    const QStringList arguments = application.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--target" && i + 1 < arguments.size())
            target = arguments[++i];
        else if (a == "--seconds" && i + 1 < arguments.size())
            seconds = arguments[++i].toInt();
        else if (a == "--findings" && i + 1 < arguments.size())
            findings = arguments[++i];
        else
            seedPaths << a;
    }
    if (target.isEmpty() || findings.isEmpty() || seedPaths.isEmpty() || seconds <= 0) {
        err << "usage: quarrymere-fuzz --target access|workbook|xlsx|jet --seconds N --findings "
               "DIR "
               "SEED...\n";
        return 2;
    }
    QDir().mkpath(findings);
    const QString scratch = QDir(findings).filePath("scratch-" + target);
    fuzz::Target feed;
    std::vector<QByteArray> seeds;
    if (target == "access" || target == "workbook" || target == "xlsx") {
        // The workbook driver reads .xls and .xlsx alike; the xlsx target differs by its seeds.
        feed = target == "access" ? fuzz::accessTarget(scratch) : fuzz::workbookTarget(scratch);
        seeds = seedsFrom(seedPaths, false);
    } else if (target == "jet") {
        // The first seed path is the database the statements run on; the rest hold statements.
        feed = fuzz::jetTarget(seedPaths.takeFirst());
        seeds = seedsFrom(seedPaths, true);
    } else {
        err << "quarrymere-fuzz: unknown target \"" << target << "\"\n";
        return 2;
    }
    if (seeds.empty()) {
        err << "quarrymere-fuzz: no seeds\n";
        return 2;
    }

    const QString lastInput = QDir(findings).filePath("last-input");
    fuzz::Mutation mutation(std::uint64_t(::getpid()) * 7919u + std::uint64_t(::time(nullptr)));
    QElapsedTimer clock;
    clock.start();
    qint64 runs = 0, read = 0;
    for (std::size_t next = 0; clock.elapsed() < qint64(seconds) * 1000; ++next, ++runs) {
        // Each seed once as it is, then mutated copies of seeds in turn.
        const QByteArray& seed = seeds[next % seeds.size()];
        const QByteArray input = runs < qint64(seeds.size()) ? seed : mutation.of(seed);
        writeFile(lastInput, input);
        ::alarm(InputSeconds);
        if (feed(input))
            ++read;
        ::alarm(0);
    }
    QFile::remove(lastInput);
    QFile::remove(scratch);
    err << target << ": " << runs << " inputs in " << clock.elapsed() / 1000 << " s, " << read
        << " read whole, the rest refused with a message; no finding\n";
    return 0;
}
