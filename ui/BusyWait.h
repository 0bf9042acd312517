#pragma once

// While the data file is held by another program, each statement waits for it in
// short naps; this keeps the windows painting in between, under a busy cursor,
// and takes no clicks or keys until the wait is over.
void installBusyWaitFeedback();
