#pragma once

// How many folders a walk may hold open at once: a share of the process's
// descriptor limit, so that the rest of the program (the window system's
// connection, the journal, the files Qt opens) always finds one free.
int folderDescriptorBudget();
