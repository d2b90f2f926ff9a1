#pragma once
// Passes over the running processes, taken on a thread of their own so that the window thread
// only puts them into the list. Passes are numbered as they start, and a pass is handed over only
// when no later one was handed over already, so the list never goes back in time.

#include "main/processes/ProcessListUpdate.h"

// Receives a finished pass on the window thread (the thread that started the sampler).
using ProcessPassReceiver = void (*)(ProcessPass& pass);

// Starts the sampling thread and a message window on the calling thread through which finished
// passes reach `receiver`. A second call only replaces the receiver.
void StartProcessSampler(ProcessPassReceiver receiver);
// Stops the thread, after the pass it may be taking. Passes asked for afterwards run nowhere.
void StopProcessSampler();

// Asks for a pass in the background; nothing when one is asked for or under way already.
void RequestProcessPass();
// A pass on the calling thread, taken after any pass under way has finished, and newer than every
// pass handed over before. With `acceptPending` a background pass that finished or is under way
// and was not handed over yet is good enough (the list's first fill takes the pass started early
// in the program's start-up).
ProcessPass TakeProcessPassNow(bool acceptPending);
