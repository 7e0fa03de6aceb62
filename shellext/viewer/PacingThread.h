// The worker that paces a viewer's decoding: it asks the view, one
// synchronous message at a time, to decode the next band of rows.
#pragma once

struct ViewerState;

// Rows decoded per step: fewer for wider pictures, at least one.
int RowsPerStep(int outputWidth, int sourceWidth);

void StartPacingThread(ViewerState* state);
// Asks the running thread to stop and waits for it to end, answering the
// message it may be sending meanwhile.
void StopPacingThread(ViewerState* state);
