// Hidden temporaries (".NAME.EXT.partial-XXXXXX") that a killed run left in an output folder:
// outputs it was writing, and finished ones waiting for an earlier row's name. A running claim
// holds an exclusive flock on its temporary from the moment it exists until it is published or
// removed, so a temporary nobody holds is one whose run has ended without it. The workers clear
// them at the start of a batch, on the worker thread, before the first row.
#pragma once

#include <string>

namespace varnell {

struct Job;

// Removes from the folder every regular file of exactly the temporary's pattern that no process
// holds: opened without following a symlink or blocking, locked without waiting, and unlinked
// only while its name still is the file locked. Anything else, or a folder that cannot be read,
// is left as it is.
void RemoveAbandonedTemporaries(const std::string& folder);

// The same for each distinct output folder of the job's rows; a job the launch refused, and an
// unselected row, touch nothing.
void RemoveAbandonedTemporariesOfJob(const Job& job);

}  // namespace varnell
