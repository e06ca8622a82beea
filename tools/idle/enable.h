// `tumblix-idle enable` and `disable`: the autostart entry, and the watcher of this session.
#ifndef TUMBLIX_IDLE_ENABLE_H
#define TUMBLIX_IDLE_ENABLE_H

// Writes our autostart entry for `seconds` (leaving a user's own entry of that name as it
// is), then ends this session's running watcher and starts a new one, detached. Returns the
// exit status.
int EnableWatcher(unsigned seconds);

// Removes our entry (never a user's own) and ends this session's running watcher.
int DisableWatcher();

#endif
