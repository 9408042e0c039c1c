#include "openfilelimit.h"

#include <sys/resource.h>

#include <algorithm>

int folderDescriptorBudget()
{
    // A fifth of the soft limit, as leveldb sizes its set of open files.
    constexpr rlim_t Share = 5;
    constexpr rlim_t Fewest = 4;
    constexpr rlim_t Most = 4096;
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return int(Most);
    return int(std::clamp(limit.rlim_cur / Share, Fewest, Most));
}
