#pragma once
// Every benchmark prints its results as rows that scripts/bench.sh gathers into one table.
#include <QString>
#include <cstdio>

namespace bench {
inline void Row(const QString& name, double value, const QString& unit, const QString& note = QString())
{
    std::printf("BENCH\t%s\t%.3f\t%s\t%s\n", name.toUtf8().constData(), value, unit.toUtf8().constData(),
                note.toUtf8().constData());
    std::fflush(stdout);
}
}  // namespace bench
