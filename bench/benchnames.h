#pragma once

#include <QStringList>

// Reproducible file names of the kinds that users clean: downloads with
// advertising text, music with track numbers, camera photos. About one in
// `dirtyEvery` names needs cleaning.
QStringList benchNames(int count, int dirtyEvery = 10);

// A removal list of `count` advertising strings, some of which occur in the
// dirty names of benchNames().
QStringList benchRemovals(int count);
