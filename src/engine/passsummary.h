#pragma once

#include <QtGlobal>

// What a pass did, as its front end shows it afterwards.
struct PassSummary
{
    enum class End {
        NotStarted, // refused by its settings, or a question before it started said no
        Completed, // the walk ended by itself or at the limit
        Stopped, // Cancel in a dialog, or the front end asked it to stop
    };
    End end = End::NotStarted;
    // They count past 32767: a large tree must not stall on a counter.
    qint32 filesRead = 0;
    // Renames carried out, and refused renames that the user acknowledged.
    qint32 filesFixed = 0;
};
