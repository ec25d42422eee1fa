#pragma once

#include <sys/resource.h>

namespace velk::bench {

// User plus system CPU time in milliseconds of RUSAGE_SELF (this program) or
// RUSAGE_CHILDREN (the children it has waited for).
inline double cpuMs(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// This program's CPU time and that of the children it has waited for.
inline double cpuMsWithChildren()
{
    return cpuMs(RUSAGE_SELF) + cpuMs(RUSAGE_CHILDREN);
}

} // namespace velk::bench
