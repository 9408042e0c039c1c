#pragma once

#include <QString>

#include <optional>

class QMimeData;

// The folder that dragged data carries: one local folder and nothing else.
// Files, several entries and remote places are not taken, so a drop never
// guesses which of them the user meant.
std::optional<QString> droppedFolder(const QMimeData &data);
