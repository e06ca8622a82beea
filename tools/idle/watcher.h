// What the watcher decides: when the saver starts and when it must go.
//
// The saver starts when the source reports the session idle and nothing inhibits idleness;
// it is ended when the source reports activity. An inhibited start is tried again one idle
// time later, and so is the start after the last inhibitor went while the session stayed
// idle: the countdown begins again, as if the inhibitor had been activity.
#ifndef TUMBLIX_IDLE_WATCHER_H
#define TUMBLIX_IDLE_WATCHER_H

// Called once at start with the idle time, and the check that says whether anything asks
// the session not to go idle now.
void WatcherInit(unsigned seconds, bool (*inhibited)());

// Called by the idle source: the session went idle (true) or saw activity (false).
void WatcherIdle(bool idle);

// Called when the last inhibitor went.
void WatcherInhibitorsGone();

// Milliseconds until WatcherTick must run; -1 when nothing is pending.
int WatcherWakeMs();
void WatcherTick();

#endif
